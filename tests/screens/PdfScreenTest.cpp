#include "screens/PathloomPDFViewController.h"

#include "Credentials.h"
#include "StepScreenHost.h"
#include "TestHttpServer.h"
#include "network/NetworkManager.h"
#include "screens/LoadingStateView.h"
#include "screens/PdfThumbnailStrip.h"
#include "session/URLFormatter.h"
#include "steps/PathloomPDFStep.h"
#include "taskmodel/ORKInstructionStep.h"

#include <QAction>
#include <QBuffer>
#include <QPainter>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPdfWriter>
#include <QSignalSpy>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Reply = test::TestHttpServer::Reply;
using test::runUntil;

// A real PDF document of `pages` pages, each saying its number.
QByteArray pdfDocument(int pages) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        for (int page = 1; page <= pages; ++page) {
            if (page > 1) {
                writer.newPage();
            }
            painter.setFont(QFont(painter.font().family(), 48));
            painter.drawText(QPointF(400, 1200), u"Page %1"_s.arg(page));
        }
    }
    return buffer.data();
}

class PdfScreenTest : public testing::Test {
protected:
    PdfScreenTest() {
        host.factory.registerKind(
            StepKind::pdf, [](const std::shared_ptr<ORKStep>& step, ORKTaskViewController& task) {
                return new PathloomPDFViewController(step, task);
            });
    }

    // Opens a task whose first step shows the document at `path` on the test server.
    void open(const QString& path) {
        auto guide =
            std::make_shared<PathloomPDFStep>(u"guide"_s, server.url(path).toString(), manager);
        guide->title = u"Visitor guide"_s;
        host.open({guide, std::make_shared<ORKInstructionStep>(u"after"_s)});
    }

    [[nodiscard]] PathloomPDFViewController* screen() const {
        return qobject_cast<PathloomPDFViewController*>(host.task->currentStepViewController());
    }

    [[nodiscard]] bool continueEnabled() const {
        return screen()->continueButtonItem()->isEnabled();
    }

    // Stopped after the screens have gone, so that no connection of theirs keeps it waiting.
    test::TestHttpServer server;
    test::StepScreenHost host;
    test::Credentials credentials = test::credentialsWithSessionToken(u"secret"_s);
    std::shared_ptr<NetworkManager> manager = NetworkManager::create(
        Server{1, server.url()}, host.environment.session,
        URLFormatter::placeholderPattern.toString(), credentials.store, nullptr);
};

TEST_F(PdfScreenTest, ShowsThePagesBesideThumbnailsAndThenAllowsContinuing) {
    server.reply(u"GET"_s, u"/guide.pdf"_s, Reply{200, pdfDocument(3), u"application/pdf"_s});
    open(u"/guide.pdf"_s);
    QSignalSpy shown(screen(), &PathloomPDFViewController::documentShown);
    EXPECT_FALSE(continueEnabled());
    EXPECT_TRUE(screen()->loadingView()->isVisible());

    ASSERT_TRUE(runUntil([&] { return !shown.isEmpty(); }));
    EXPECT_TRUE(continueEnabled());
    EXPECT_FALSE(screen()->loadingView()->isVisible());
    QPdfView* view = host.find<QPdfView>(u"pdfView"_s);
    ASSERT_EQ(view, screen()->pdfView());
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->pageMode(), QPdfView::PageMode::MultiPage);
    EXPECT_EQ(view->zoomMode(), QPdfView::ZoomMode::FitToWidth);
    EXPECT_EQ(view->document()->pageCount(), 3);
    auto* strip = host.find<PdfThumbnailStrip>(u"pdfThumbnails"_s);
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->width(), 60);
    ASSERT_EQ(strip->model()->rowCount(), 3);
    const QImage thumbnail = strip->model()->index(1, 0).data(Qt::DecorationRole).value<QImage>();
    EXPECT_FALSE(thumbnail.isNull());
    EXPECT_LE(thumbnail.width(), 60);

    host.click(u"continueButton"_s);
    EXPECT_TRUE(host.waitForStep(u"after"_s));
}

TEST_F(PdfScreenTest, ClickingAThumbnailBringsItsPageIntoView) {
    server.reply(u"GET"_s, u"/guide.pdf"_s, Reply{200, pdfDocument(4), u"application/pdf"_s});
    open(u"/guide.pdf"_s);
    ASSERT_TRUE(runUntil([&] { return continueEnabled(); }));
    PdfThumbnailStrip* strip = screen()->thumbnailStrip();
    QPdfPageNavigator* navigator = screen()->pdfView()->pageNavigator();
    EXPECT_EQ(navigator->currentPage(), 0);

    for (const int page : {2, 1}) {
        const QRect row = strip->visualRect(strip->model()->index(page, 0));
        ASSERT_TRUE(row.isValid());
        QTest::mouseClick(strip->viewport(), Qt::LeftButton, {}, row.center());
        EXPECT_TRUE(runUntil([&] { return navigator->currentPage() == page; })) << page;
    }
}

TEST_F(PdfScreenTest, WhatIsNoPdfIsSaidAndContinueStaysDisabled) {
    const struct {
        const char* name;
        Reply reply;
    } cases[] = {
        {"text", Reply{200, "Visitor guide, in plain words", u"text/plain"_s}},
        {"a server error", Reply{500, pdfDocument(1), u"application/pdf"_s}},
        {"a broken PDF", Reply{200, "%PDF-1.4\nnothing follows", u"application/pdf"_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = u"/"_s + QString::fromUtf8(c.name).replace(u' ', u'-');
        server.reply(u"GET"_s, path, c.reply);
        open(path);

        AlertDialog* alert = host.waitForAlert();
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert->message(), u"Unable to load PDF."_s);
        EXPECT_FALSE(continueEnabled());
        EXPECT_FALSE(screen()->loadingView()->isVisible());
        EXPECT_EQ(screen()->document().pageCount(), 0);
        alert->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(PdfScreenTest, ReappearingOnTheSameAddressKeepsTheDocument) {
    server.reply(u"GET"_s, u"/guide.pdf"_s, Reply{200, pdfDocument(2), u"application/pdf"_s});
    open(u"/guide.pdf"_s);
    ASSERT_TRUE(runUntil([&] { return continueEnabled(); }));

    // Covered by another screen and shown again.
    host.task->viewWillDisappear();
    host.task->viewWillAppear();
    QTest::qWait(100);

    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_TRUE(continueEnabled());
    EXPECT_FALSE(screen()->loadingView()->isVisible());
    EXPECT_EQ(screen()->document().pageCount(), 2);
}

}  // namespace
}  // namespace pathloom
