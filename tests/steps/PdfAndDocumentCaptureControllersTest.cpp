#include "Credentials.h"
#include "EventLoop.h"
#include "PdfInspection.h"
#include "QtPrinting.h"
#include "RecordingDelegate.h"
#include "TestHttpServer.h"
#include "network/NetworkManager.h"
#include "network/UserAgent.h"
#include "session/Session.h"
#include "steps/DocumentCaptureController.h"
#include "steps/PathloomPDFStep.h"
#include "steps/PdfStepController.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKTextQuestionResult.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Reply = test::TestHttpServer::Reply;

using test::RecordingDelegate;
using test::runUntil;

// Lets the main queue run for a while: long enough for a report to arrive if one wrongly would.
void settle() {
    QDeadlineTimer settled(300);
    while (!settled.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// A real one-page PDF document.
QByteArray pdfDocument() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        painter.drawText(QPointF(100, 100), u"Visitor guide"_s);
    }
    return buffer.data();
}

class PdfStepControllerTest : public testing::Test {
protected:
    std::shared_ptr<PathloomPDFStep> step(const QString& pdfURL) {
        return std::make_shared<PathloomPDFStep>(u"guide"_s, pdfURL, manager);
    }

    bool loaded() const { return delegate.events.contains(u"loaded"_s); }

    const QByteArray pdf = pdfDocument();
    test::TestHttpServer server;
    std::shared_ptr<Session> session = std::make_shared<Session>();
    test::Credentials credentials = test::credentialsWithSessionToken(u"secret"_s);
    std::shared_ptr<NetworkManager> manager = NetworkManager::create(
        Server{1, server.url()}, session, URLFormatter::placeholderPattern.toString(),
        credentials.store, nullptr);
    RecordingDelegate delegate;
};

TEST_F(PdfStepControllerTest, HandsOverThePdfFetchedWithoutTheSessionToken) {
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    server.reply(u"GET"_s, u"/files/guide.pdf"_s, Reply{200, pdf, u"application/pdf"_s});
    PdfStepController controller(step(server.url(u"/files/guide.pdf"_s).toString()), delegate);

    controller.start();
    EXPECT_TRUE(controller.isLoading());
    EXPECT_FALSE(controller.hasDocument());

    ASSERT_TRUE(runUntil([&] { return loaded(); }));
    EXPECT_EQ(delegate.events,
              (QStringList{u"loading"_s, u"document /files/guide.pdf"_s, u"loaded"_s}));
    ASSERT_EQ(delegate.documents.size(), 1);
    EXPECT_EQ(delegate.documents[0], pdf) << "the bytes exactly as served";
    EXPECT_TRUE(controller.hasDocument());
    EXPECT_FALSE(controller.isLoading());
    EXPECT_TRUE(delegate.results.isEmpty()) << "showing a document records nothing";
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].method, u"GET"_s);
    EXPECT_FALSE(requests[0].headers.contains(u"authorization"_s))
        << "the document's host may not be the app's server";
    EXPECT_EQ(requests[0].headers.value(u"user-agent"_s), QString::fromUtf8(userAgent()));
}

TEST_F(PdfStepControllerTest, ShowsWhyADocumentCannotBeShown) {
    server.reply(u"GET"_s, u"/api/guide.json"_s, Reply{200, R"({"error":"no document"})"});
    server.reply(u"GET"_s, u"/api/gone.pdf"_s, Reply{404, pdf, u"application/pdf"_s});
    server.reply(u"GET"_s, u"/api/empty.pdf"_s, Reply{200, {}, u"application/pdf"_s});
    const std::shared_ptr<NetworkManager> serverless =
        NetworkManager::create(std::nullopt, session, URLFormatter::placeholderPattern.toString(),
                               credentials.store, nullptr);
    const QString invalid = u"error: Unable to load PDF, invalid URL."_s;
    const QString unreadable = u"error: Unable to load PDF."_s;
    const struct {
        QString pdfURL;
        std::shared_ptr<NetworkManager> client;
        QStringList events;
        qsizetype requests;
    } cases[] = {
        {u"/api/guide.json"_s, manager, {u"loading"_s, unreadable, u"loaded"_s}, 1},
        {u"/api/gone.pdf"_s, manager, {u"loading"_s, unreadable, u"loaded"_s}, 1},
        {u"/api/empty.pdf"_s, manager, {u"loading"_s, unreadable, u"loaded"_s}, 1},
        {u"mailto:desk@example.com"_s, manager, {invalid}, 0},
        {u"file:///etc/passwd"_s, manager, {invalid}, 0},
        // Without a server the template is taken as it is, and only the scheme check stands
        // between it and the local file.
        {u"file:///etc/passwd"_s, serverless, {invalid}, 0},
        {u"mailto:desk@example.com"_s, serverless, {invalid}, 0},
        {u"/relative.pdf"_s, serverless, {invalid}, 0},
    };
    for (const auto& shown : cases) {
        delegate = {};
        const qsizetype before = server.requests().size();
        PdfStepController controller(
            std::make_shared<PathloomPDFStep>(u"guide"_s, shown.pdfURL, shown.client), delegate);

        controller.start();

        ASSERT_TRUE(runUntil([&] { return !delegate.events.isEmpty() && !controller.isLoading(); }))
            << shown.pdfURL.toStdString();
        EXPECT_EQ(delegate.events, shown.events) << shown.pdfURL.toStdString();
        EXPECT_FALSE(controller.hasDocument()) << shown.pdfURL.toStdString();
        EXPECT_EQ(server.requests().size() - before, shown.requests) << shown.pdfURL.toStdString();
    }
}

TEST_F(PdfStepControllerTest, FetchesAgainOnlyWhenTheAddressChanges) {
    server.reply(u"GET"_s, u"/api/visits/7.pdf"_s, Reply{200, pdf, u"application/pdf"_s});
    server.reply(u"GET"_s, u"/api/visits/8.pdf"_s, Reply{200, pdf + "%8", u"application/pdf"_s});
    auto visit = std::make_shared<ORKTextQuestionResult>(u"visit"_s);
    visit->answer = u"7"_s;
    session->setValueProvider(u"visit"_s, Value(std::static_pointer_cast<ORKObject>(visit)));
    PdfStepController controller(step(u"/api/visits/{visit.answer}.pdf"_s), delegate);

    controller.start();
    ASSERT_TRUE(runUntil([&] { return loaded(); }));
    delegate.events.clear();
    controller.start();
    settle();
    EXPECT_TRUE(delegate.events.isEmpty()) << "the same document appears again as it was";
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_TRUE(controller.hasDocument());

    visit->answer = u"8"_s;
    controller.start();
    EXPECT_FALSE(controller.hasDocument()) << "the document of 7 is not the one of 8";
    ASSERT_TRUE(runUntil([&] { return loaded(); }));
    EXPECT_EQ(delegate.events,
              (QStringList{u"loading"_s, u"document /api/visits/8.pdf"_s, u"loaded"_s}));
    ASSERT_EQ(delegate.documents.size(), 2);
    EXPECT_EQ(delegate.documents[1], pdf + "%8");
    EXPECT_EQ(server.requests().size(), 2);
    EXPECT_TRUE(controller.hasDocument());
}

TEST_F(PdfStepControllerTest, DroppingTheControllerMidFetchReportsNothing) {
    server.reply(u"GET"_s, u"/api/slow.pdf"_s, Reply{200, pdf, u"application/pdf"_s, true});
    auto controller = std::make_unique<PdfStepController>(step(u"/api/slow.pdf"_s), delegate);
    controller->start();
    ASSERT_TRUE(server.waitForRequests(1));
    controller->start();

    controller.reset();
    server.release();
    settle();

    EXPECT_EQ(delegate.events, QStringList{u"loading"_s});
    EXPECT_EQ(server.requests().size(), 1) << "a fetch under way for the address is not repeated";
}

QImage picture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkYellow);
    return image;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DocumentCaptureControllerTest : public testing::Test {
protected:
    std::unique_ptr<DocumentCaptureController> controller(const QString& folder) {
        return std::make_unique<DocumentCaptureController>(step, delegate, PDFImageRenderer(folder),
                                                           startDate);
    }

    // The file result the controller recorded, after it went forward.
    std::shared_ptr<ORKFileResult> stored() {
        EXPECT_TRUE(runUntil([&] { return !delegate.events.isEmpty(); }));
        EXPECT_EQ(delegate.events, (QStringList{u"result"_s, u"forward"_s}));
        EXPECT_EQ(delegate.results.size(), 1);
        return delegate.results.isEmpty()
                   ? nullptr
                   : std::dynamic_pointer_cast<ORKFileResult>(delegate.results[0]);
    }

    QTemporaryDir output;
    std::shared_ptr<PathloomDocumentCaptureStep> step =
        std::make_shared<PathloomDocumentCaptureStep>(u"receipt"_s);
    QDateTime startDate = QDateTime::currentDateTime().addSecs(-30);
    RecordingDelegate delegate;
};

TEST_F(DocumentCaptureControllerTest, ThreeScannedPagesBecomeOnePdfFileResult) {
    ASSERT_TRUE(output.isValid());
    const auto capture = controller(output.path());

    capture->pagesScanned({picture(300, 400), picture(300, 400), picture(300, 400)});
    EXPECT_TRUE(delegate.events.isEmpty()) << "written off the main thread";

    const std::shared_ptr<ORKFileResult> result = stored();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->identifier, u"receipt"_s);
    EXPECT_EQ(result->contentType, u"application/pdf"_s);
    EXPECT_EQ(result->startDate, startDate);
    ASSERT_TRUE(result->endDate);
    EXPECT_GE(*result->endDate, startDate.addSecs(30));
    EXPECT_LE(*result->endDate, QDateTime::currentDateTime());
    ASSERT_TRUE(result->fileURL);
    EXPECT_EQ(result->fileURL->toLocalFile(), output.filePath(u"receipt.pdf"_s));
    const QByteArray pdf = contents(result->fileURL->toLocalFile());
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(test::pdfPageCount(pdf), 3);
}

TEST_F(DocumentCaptureControllerTest, LargePicturesAreScaledDownAndSmallOnesKeptAsTheyAre) {
    ASSERT_TRUE(output.isValid());
    const auto capture = controller(output.path());

    capture->pagesScanned({picture(6000, 3000), picture(300, 200)});

    const std::shared_ptr<ORKFileResult> result = stored();
    ASSERT_TRUE(result && result->fileURL);
    const QByteArray pdf = contents(result->fileURL->toLocalFile());
    EXPECT_EQ(test::pdfMediaBoxes(pdf), (QStringList{u"0 0 4096 2048"_s, u"0 0 4096 2048"_s}));
    EXPECT_EQ(test::pdfEmbeddedImages(pdf), (QStringList{u"4096x2048"_s, u"300x200"_s}));
}

TEST_F(DocumentCaptureControllerTest, CameraOutcomesWithoutPagesRecordNothing) {
    ASSERT_TRUE(output.isValid());
    const auto capture = controller(output.path());

    capture->pagesScanned({});
    settle();
    EXPECT_TRUE(delegate.events.isEmpty()) << "a scan without pages";
    EXPECT_FALSE(QFile::exists(output.filePath(u"receipt.pdf"_s)));

    capture->cancelled();
    capture->failed(PDFImageRenderError());
    EXPECT_EQ(delegate.events, (QStringList{u"backward"_s, u"error: Unable to save as PDF"_s}));
    EXPECT_TRUE(delegate.results.isEmpty());
}

TEST_F(DocumentCaptureControllerTest, AFileThatCannotBeWrittenIsShownAndRecordsNothing) {
    ASSERT_TRUE(output.isValid());
    QFile blocker(output.filePath(u"taken"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const auto capture = controller(output.filePath(u"taken/scans"_s));

    capture->pagesScanned({picture(300, 400)});

    ASSERT_TRUE(runUntil([&] { return !delegate.events.isEmpty(); }));
    EXPECT_EQ(delegate.events, QStringList{u"error: Unable to save as PDF"_s});
    EXPECT_TRUE(delegate.results.isEmpty());
}

TEST_F(DocumentCaptureControllerTest, DroppingTheControllerMidWriteReportsNothing) {
    ASSERT_TRUE(output.isValid());
    auto capture = controller(output.path());

    capture->pagesScanned({picture(6000, 3000)});
    capture.reset();
    settle();

    EXPECT_TRUE(delegate.events.isEmpty());
    EXPECT_TRUE(delegate.results.isEmpty());
}

}  // namespace
}  // namespace pathloom
