#include "DevServer.h"
#include "EventLoop.h"
#include "InMemoryKeyStore.h"
#include "JsonLiteral.h"
#include "Loads.h"
#include "PdfInspection.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "foundation/DebugConsole.h"
#include "loading/AppConfigurationManager.h"
#include "network/Credential.h"
#include "network/CredentialsStore.h"
#include "network/SecurityStore.h"
#include "platform/DesktopMailComposer.h"
#include "platform/SymbolCatalogue.h"
#include "screens/CustomButton.h"
#include "screens/FrameworkStepScreens.h"
#include "screens/PathloomDisplayViewController.h"
#include "screens/PathloomEmailViewController.h"
#include "session/Session.h"
#include "shell/PathloomRootViewController.h"
#include "shell/PresentationStack.h"
#include "shell/PrimaryWorkflowStyleViewController.h"
#include "shell/ScreenJournal.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKStep.h"
#include "taskmodel/ORKStepResult.h"
#include "taskscreens/ORKContinueButton.h"
#include "taskscreens/ORKNavigationContainerView.h"
#include "taskscreens/ORKTableStepViewController.h"
#include "taskscreens/ORKTableView.h"
#include "taskscreens/StepScreenFactory.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QJsonArray>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::runUntil;

// The desktop app's window on the demo, served by the development server, walked by a person:
// every step answered and left with clicks, keys and dropped files, as Qt's test events deliver
// them to the real widgets.
class ClickThroughTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(test::copyTree(examples + u"/demo/server"_s, dir.filePath(u"root"_s)));
        server.emplace(QString::fromUtf8(PATHLOOM_DEVSERVER), dir.filePath(u"root"_s),
                       dir.filePath(u"requests.jsonl"_s));
        ASSERT_FALSE(server->origin().isEmpty());
        FrameworkStepScreens::registerWith(steps, {symbols, mail, console, false});
        root.setOnShown([this](const AppConfiguration&) {
            (void)credentials->storeCredential({Credential::sessionToken(), u"demo-token"_s,
                                                QDateTime::currentDateTimeUtc().addDays(1)});
        });
        root.resize(420, 760);
        root.show();
        QApplication::setActiveWindow(&root);
    }

    [[nodiscard]] PrimaryWorkflowStyleViewController* task() const {
        return qobject_cast<PrimaryWorkflowStyleViewController*>(root.stack().topScreen());
    }

    [[nodiscard]] ORKStepViewController* screen() const {
        return task() ? task()->currentStepViewController() : nullptr;
    }

    // Waits until the step `identifier` shows, and gives its screen.
    [[nodiscard]] ORKStepViewController* waitFor(const QString& identifier) const {
        const bool shown = runUntil(
            [&] { return screen() != nullptr && screen()->step()->identifier == identifier; },
            20'000);
        EXPECT_TRUE(shown) << "waiting for " << identifier.toStdString() << ", on "
                           << (screen() ? screen()->step()->identifier.toStdString() : "nothing");
        return shown ? screen() : nullptr;
    }

    template <typename Widget = QAbstractButton>
    [[nodiscard]] Widget* find(QWidget* within, const QString& name) const {
        for (Widget* widget : within->findChildren<Widget*>(name)) {
            if (widget->isVisible()) {
                return widget;
            }
        }
        return nullptr;
    }

    void click(QWidget* widget) const {
        ASSERT_NE(widget, nullptr);
        ASSERT_TRUE(runUntil([&] { return widget->isEnabled() && widget->isVisible(); }))
            << widget->objectName().toStdString();
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    void next(const QString& identifier) const {
        ORKStepViewController* step = waitFor(identifier);
        ASSERT_NE(step, nullptr);
        click(step->navigationFooterView()->continueButton());
    }

    void type(QWidget* within, const QString& name, const QString& text) const {
        auto* field = find<QLineEdit>(within, name);
        ASSERT_NE(field, nullptr) << name.toStdString();
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, text);
    }

    // Drops the files at `paths` on `target`, as a file manager would.
    static void drop(QWidget* target, const QStringList& paths) {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls.append(QUrl::fromLocalFile(path));
        }
        data->setUrls(urls);
        const QPointF at = QRectF(target->rect()).center();
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        delete data;
    }

    // Clicks the row of a table step that shows `text`, once the rows are there.
    void chooseRow(const QString& identifier, const QString& text) const {
        auto* table = qobject_cast<ORKTableStepViewController*>(waitFor(identifier));
        ASSERT_NE(table, nullptr);
        QWidget* row = nullptr;
        ASSERT_TRUE(runUntil([&] {
            for (qsizetype index = 0; index < table->tableView().rowCount(); ++index) {
                if (table->tableView().cellForRow(index)->accessibleName() == text) {
                    row = table->tableView().cellForRow(index);
                }
            }
            return row != nullptr;
        }));
        click(row);
    }

    void pressPageButton(const QString& identifier, const QString& label) const {
        auto* page = qobject_cast<PathloomDisplayViewController*>(waitFor(identifier));
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(runUntil([&] { return page->button(label) != nullptr; }));
        click(page->button(label));
    }

    const QString examples = QString::fromUtf8(PATHLOOM_EXAMPLES);
    QTemporaryDir dir;
    std::optional<test::DevServer> server;
    // One store for the app's keys and the signed-in user's token, as in the app.
    std::shared_ptr<test::InMemoryKeyStore> keys = std::make_shared<test::InMemoryKeyStore>();
    AppConfigurationManager manager{test::managerSources(dir, keys)};
    std::shared_ptr<QSettings> settings =
        std::make_shared<QSettings>(dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
    std::shared_ptr<CredentialsStore> credentials =
        std::make_shared<CredentialsStore>(std::make_shared<const SecurityStore>(keys));
    const DebugConsole console;
    StepScreenFactory steps{console};
    const SymbolCatalogue symbols;
    ScreenJournal journal;
    PathloomRootViewController root{{manager, settings, credentials, steps, symbols, journal}, {}};
    DesktopMailComposer mail{root, QDir(dir.filePath(u"outbox"_s)),
                             QDir(dir.filePath(u"hand-off"_s)), console};
};

TEST_F(ClickThroughTest, APersonWalksTheDemoWithMouseKeysAndDroppedFiles) {
    const QString photo = examples + u"/demo/photo.png"_s;
    root.loadAppConfiguration(
        AppConfigurationContext::remote(server->origin() + u"/app.json"_s, 1));
    QListWidget* workflows = nullptr;
    ASSERT_TRUE(runUntil([&] {
        workflows = root.findChild<QListWidget*>(u"workflows"_s);
        return workflows != nullptr && workflows->count() == 2;
    }));
    QTest::mouseClick(workflows->viewport(), Qt::LeftButton, {},
                      workflows->visualItemRect(workflows->item(0)).center());
    // What each workflow's session holds as its task ends, and the scan it recorded.
    QJsonObject session;
    QJsonObject feedback;
    std::shared_ptr<const ORKStepResult> scanned;
    const auto sessionAtTheEnd = [&](QJsonObject& into) {
        PrimaryWorkflowStyleViewController* shown = task();
        QObject::connect(shown, &ORKTaskViewController::willFinish, shown, [&, shown] {
            into = test::jsonObject(
                root.environment().session->jsonRepresentation().value_or("{}"_ba));
            scanned = scanned ? scanned : shown->runner()->lastResult(u"receipt"_s);
        });
    };
    ASSERT_TRUE(runUntil([&] { return task() != nullptr; }));
    sessionAtTheEnd(session);

    next(u"welcome"_s);
    type(waitFor(u"inspector"_s), u"answerText"_s, u"Ada"_s);
    next(u"inspector"_s);
    click(find(waitFor(u"site_type"_s), u"choice:1"_s));
    next(u"site_type"_s);
    click(find(waitFor(u"accessible"_s), u"yes"_s));
    next(u"accessible"_s);
    ORKStepViewController* details = waitFor(u"details"_s);
    ASSERT_NE(details, nullptr);
    type(find<QWidget>(details, u"answer:floors"_s), u"answerNumber"_s, u"3"_s);
    type(find<QWidget>(details, u"answer:notes"_s), u"answerText"_s, u"Fire exits clear"_s);
    next(u"details"_s);
    drop(waitFor(u"photo"_s), {photo});
    next(u"photo"_s);
    // The post, the upload and the simulated wait move on by themselves.
    chooseRow(u"rooms"_s, u"Server room"_s);
    pressPageButton(u"room"_s, u"Mark checked"_s);
    pressPageButton(u"room"_s, u"Continue"_s);
    chooseRow(u"follow_up"_s, u"Schedule a repair"_s);
    pressPageButton(u"summary"_s, u"Give feedback"_s);
    auto* rating = find<QSlider>(waitFor(u"rating"_s), u"answerScale"_s);
    ASSERT_NE(rating, nullptr);
    sessionAtTheEnd(feedback);
    rating->setFocus();
    QTest::keyClick(rating, Qt::Key_Right);
    next(u"rating"_s);
    next(u"thanks"_s);
    auto* email = qobject_cast<PathloomEmailViewController*>(waitFor(u"email_report"_s));
    ASSERT_NE(email, nullptr);
    click(email->button());
    QPushButton* send = nullptr;
    ASSERT_TRUE(runUntil([&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == u"mailComposer"_s && window->isVisible()) {
                send = window->findChild<QPushButton*>(u"mailComposer:Send"_s);
            }
        }
        return send != nullptr;
    }));
    click(send);
    next(u"guide"_s);
    ORKStepViewController* receipt = waitFor(u"receipt"_s);
    ASSERT_NE(receipt, nullptr);
    QWidget* picker = nullptr;
    ASSERT_TRUE(runUntil([&] { return (picker = find<QWidget>(receipt, u"pagePicker"_s)); }));
    drop(picker, {photo, photo});
    click(find(receipt, u"pagePicker:Save"_s));
    next(u"done"_s);
    ASSERT_TRUE(runUntil([&] { return task() == nullptr; }));

    QStringList requests;
    for (const QByteArray& line : test::readFile(dir.filePath(u"requests.jsonl"_s)).split('\n')) {
        const QJsonObject request = line.isEmpty() ? QJsonObject() : test::jsonObject(line);
        if (!line.isEmpty() && !request.value(u"path"_s).toString().startsWith(u"/ahoy/"_s)) {
            requests.append(request.value(u"method"_s).toString() + u' ' +
                            request.value(u"path"_s).toString() + u' ' +
                            request.value(u"authorization"_s).toString(u"-"_s));
        }
    }
    EXPECT_EQ(requests,
              (QStringList{u"GET /app.json -"_s, u"POST /inspections Bearer demo-token"_s,
                           u"PUT /uploads/Ada -"_s, u"GET /rooms.json Bearer demo-token"_s,
                           u"GET /rooms/2.json Bearer demo-token"_s,
                           u"PUT /rooms/2/checked Bearer demo-token"_s, u"GET /guide.pdf -"_s}));
    const auto answer = [](const QJsonObject& of, const QString& identifier) {
        return of.value(identifier).toObject().value(u"answer"_s);
    };
    EXPECT_EQ(answer(session, u"inspector"_s), QJsonValue(u"Ada"_s));
    EXPECT_EQ(answer(session, u"site_type"_s), QJsonValue(QJsonArray{u"warehouse"_s}));
    EXPECT_EQ(answer(session, u"accessible"_s), QJsonValue(true));
    EXPECT_EQ(answer(session, u"floors"_s), QJsonValue(3));
    EXPECT_EQ(answer(session, u"notes"_s), QJsonValue(u"Fire exits clear"_s));
    EXPECT_EQ(session.value(u"rooms"_s).toObject().value(u"selected"_s).toObject().value(u"id"_s),
              QJsonValue(2));
    EXPECT_EQ(
        session.value(u"follow_up"_s).toObject().value(u"selected"_s).toObject().value(u"text"_s),
        QJsonValue(u"Schedule a repair"_s));
    EXPECT_EQ(answer(feedback, u"rating"_s), QJsonValue(4)) << "one step right of the default";
    EXPECT_TRUE(session.value(u"rating"_s).isUndefined())
        << "the feedback's session is given back as the inspection had it";
    ASSERT_TRUE(scanned && scanned->results.size() == 1);
    const auto scan = std::dynamic_pointer_cast<const ORKFileResult>(scanned->results[0]);
    ASSERT_TRUE(scan && scan->fileURL);
    EXPECT_EQ(scan->contentType, u"application/pdf"_s);
    EXPECT_EQ(test::pdfPageCount(test::readFile(scan->fileURL->toLocalFile())), 2);
    EXPECT_EQ(QDir(dir.filePath(u"outbox"_s)).entryList(QDir::Files),
              QStringList{u"email_report-1.eml"_s});
}

}  // namespace
}  // namespace pathloom
