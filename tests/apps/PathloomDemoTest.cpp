#include "AppProcessTest.h"
#include "DevServer.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "foundation/Json.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>

// The demo walked on screen by the autopilot and by the command against fresh copies of the
// development server: they must agree.
namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::AppRun;

// What the development server saw of a walk: its requests other than analytics, as
// "METHOD path status authorization", and the names of the analytics events, sorted (they are sent
// as they happen, so their order among themselves may differ from run to run).
struct ServerLog {
    QStringList requests;
    QStringList events;
};

ServerLog serverLog(const QString& file) {
    ServerLog log;
    for (const QByteArray& line : test::readFile(file).split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        const QJsonObject request = test::jsonObject(line);
        const QString path = request.value(u"path"_s).toString();
        if (path == u"/ahoy/events"_s) {
            const QJsonObject body = test::jsonObject(request.value(u"body"_s).toString().toUtf8());
            for (const QJsonValue event : body.value(u"events"_s).toArray()) {
                log.events.append(event.toObject().value(u"name"_s).toString());
            }
        } else if (!path.startsWith(u"/ahoy/"_s)) {
            log.requests.append(
                u"%1 %2 %3 %4"_s.arg(request.value(u"method"_s).toString(), path,
                                     QString::number(request.value(u"status"_s).toInt()),
                                     request.value(u"authorization"_s).toString(u"-"_s)));
        }
    }
    log.events.sort();
    return log;
}

// An e-mail file without what differs from one writing to the next: its date, its id and the
// boundary between its parts.
QByteArray comparableMail(const QString& file) {
    QByteArray mail = test::readFile(file);
    const QRegularExpression boundary(u"boundary=\"([^\"]+)\""_s);
    if (const QRegularExpressionMatch match = boundary.match(QString::fromUtf8(mail));
        match.hasMatch()) {
        mail.replace(match.captured(1).toUtf8(), "BOUNDARY");
    }
    QByteArrayList lines = mail.split('\n');
    lines.removeIf([](const QByteArray& line) {
        return line.startsWith("Date:") || line.startsWith("Message-ID:");
    });
    return lines.join('\n');
}

// One walk of the demo's inspection workflow with its answers, on screen and with the command,
// each against the development server on its own fresh copy of the demo's server folder.
struct DemoWalk {
    AppRun onScreen;
    AppRun headless;
    QJsonObject screenReport;
    QJsonObject commandReport;
    ServerLog screenServer;
    ServerLog commandServer;
};

class PathloomDemoTest : public test::AppProcessTest {
protected:
    // A change to the server folder before a walk.
    using Change = std::function<void(const QString& root)>;

    // `name` keeps the walk's files apart; without `outbox` the app hands e-mail to the desktop's
    // mail program, and finds none.
    DemoWalk walk(const QString& name, const Change& change = {}, bool outbox = true) const {
        const QString examples = QString::fromUtf8(PATHLOOM_EXAMPLES);
        const QString folder = name + u"/"_s;
        const QString answers = examples + u"/demo/answers.json"_s;
        const QStringList common{u"--server-id"_s, u"1"_s,       u"--workflow"_s,
                                 u"inspection"_s,  u"--token"_s, u"demo-token"_s,
                                 u"--answers"_s,   answers};
        DemoWalk walk;
        for (const QString& side : {u"screen"_s, u"command"_s}) {
            const QString root = path(folder + side + u"-root"_s);
            EXPECT_TRUE(test::copyTree(examples + u"/demo/server"_s, root));
            if (change) {
                change(root);
            }
            const QString log = path(folder + side + u"-requests.jsonl"_s);
            const test::DevServer server(QString::fromUtf8(PATHLOOM_DEVSERVER), root, log);
            EXPECT_FALSE(server.origin().isEmpty());
            QStringList arguments = QStringList{server.origin() + u"/app.json"_s} + common +
                                    QStringList{u"--report"_s, path(folder + side + u".json"_s)};
            if (side == u"screen"_s) {
                // The app takes the answers as its autopilot's.
                arguments.replace(arguments.indexOf(u"--answers"_s), u"--autopilot"_s);
                if (outbox) {
                    arguments << u"--outbox"_s << path(folder + u"screen-outbox"_s);
                }
                walk.onScreen = app(arguments, 60, folder, !outbox);
            } else {
                arguments << u"--outbox"_s << path(folder + u"command-outbox"_s) << u"--files-dir"_s
                          << path(folder + u"files"_s);
                walk.headless = command(arguments, folder);
            }
        }
        walk.screenReport = test::jsonObject(test::readFile(path(folder + u"screen.json"_s)));
        walk.commandReport = test::jsonObject(test::readFile(path(folder + u"command.json"_s)));
        walk.screenServer = serverLog(path(folder + u"screen-requests.jsonl"_s));
        walk.commandServer = serverLog(path(folder + u"command-requests.jsonl"_s));
        return walk;
    }

    // Rewrites the JSON file `file` under `root` with `edit`.
    static void editJson(const QString& root, const QString& file,
                         const std::function<void(QJsonValue&)>& edit) {
        const QJsonDocument document = QJsonDocument::fromJson(test::readFile(root + u'/' + file));
        QJsonValue value =
            document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
        edit(value);
        EXPECT_TRUE(test::writeFile(root + u'/' + file,
                                    value.isArray() ? QJsonDocument(value.toArray()).toJson()
                                                    : QJsonDocument(value.toObject()).toJson()));
    }

    // Changes the step `identifier` of the demo's first workflow.
    static Change editStep(const QString& identifier,
                           const std::function<void(QJsonObject&)>& edit) {
        return [identifier, edit](const QString& root) {
            editJson(root, u"app.json"_s, [&](QJsonValue& value) {
                QJsonObject app = value.toObject();
                QJsonArray workflows = app.value(u"workflows"_s).toArray();
                QJsonObject workflow = workflows[0].toObject();
                QJsonArray steps = workflow.value(u"steps"_s).toArray();
                for (qsizetype index = 0; index < steps.size(); ++index) {
                    QJsonObject step = steps[index].toObject();
                    if (step.value(u"identifier"_s).toString() == identifier) {
                        edit(step);
                        steps[index] = step;
                    }
                }
                workflow.insert(u"steps"_s, steps);
                workflows[0] = workflow;
                app.insert(u"workflows"_s, workflows);
                value = app;
            });
        };
    }
};

TEST_F(PathloomDemoTest, TheDemoWalksOnScreenAsTheCommandWalksIt) {
    const DemoWalk demo = walk(u"demo"_s);

    EXPECT_EQ(demo.onScreen.exitCode, 0) << demo.onScreen.err.toStdString();
    EXPECT_EQ(demo.headless.exitCode, 0) << demo.headless.err.toStdString();
    EXPECT_EQ(demo.screenReport, demo.commandReport);
    EXPECT_EQ(demo.screenReport.value(u"finish"_s), QJsonValue(u"completed"_s));
    EXPECT_EQ(demo.screenServer.requests, demo.commandServer.requests);
    EXPECT_TRUE(
        demo.screenServer.requests.contains(u"PUT /rooms/2/checked 200 Bearer demo-token"_s))
        << demo.screenServer.requests.join(u'\n').toStdString();
    EXPECT_TRUE(demo.screenServer.requests.contains(u"GET /guide.pdf 200 -"_s));
    EXPECT_EQ(demo.screenServer.events, demo.commandServer.events);
    const QStringList mail = QDir(path(u"demo/screen-outbox"_s)).entryList(QDir::Files);
    ASSERT_EQ(mail, QStringList{u"email_report-1.eml"_s});
    EXPECT_EQ(comparableMail(path(u"demo/screen-outbox/"_s) + mail[0]),
              comparableMail(path(u"demo/command-outbox/"_s) + mail[0]));

    // What the screens showed on the way.
    QStringList shown;
    for (const QJsonObject& event : demo.onScreen.journal) {
        const QString name = event.value(u"event"_s).toString();
        if (name == u"content"_s && event.value(u"identifier"_s) == u"rooms"_s) {
            shown << u"rooms: "_s + event.value(u"rows"_s).toVariant().toStringList().join(u", "_s);
        } else if ((name == u"present"_s || name == u"dismiss"_s) &&
                   event.value(u"workflow"_s) == 2) {
            shown << name + u" feedback"_s +
                         (name == u"dismiss"_s && event.value(u"reason"_s) == 2 ? u" completed"_s
                                                                                : QString());
        } else if (name == u"mail"_s) {
            shown << u"mail "_s + event.value(u"result"_s).toString();
        } else if (name == u"document"_s) {
            shown << u"document, continue "_s +
                         (event.value(u"continueEnabled"_s).toBool() ? u"on"_s : u"off"_s);
        }
    }
    EXPECT_EQ(shown, (QStringList{u"rooms: Lobby, Server room"_s, u"present feedback"_s,
                                  u"dismiss feedback completed"_s, u"mail sent"_s,
                                  u"document, continue on"_s}));
}

TEST_F(PathloomDemoTest, AnEmptyRoomListSaysSoOnScreen) {
    const struct {
        QString name;
        bool emptyText;
        QString message;
    } cases[] = {{u"with-text"_s, true, u"No rooms yet"_s}, {u"without"_s, false, u"No Content"_s}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name.toStdString());
        const DemoWalk demo = walk(each.name, [&](const QString& root) {
            EXPECT_TRUE(test::writeFile(root + u"/rooms.json"_s, "[]"));
            if (!each.emptyText) {
                editStep(u"rooms"_s, [](QJsonObject& step) { step.remove(u"emptyText"_s); })(root);
            }
        });
        QJsonObject rooms;
        for (const QJsonObject& event : demo.onScreen.events(u"content"_s)) {
            if (event.value(u"identifier"_s) == u"rooms"_s) {
                rooms = event;
            }
        }
        EXPECT_EQ(rooms.value(u"message"_s), QJsonValue(each.message));
        EXPECT_EQ(rooms.value(u"rows"_s), QJsonValue(QJsonArray{}));
        // The sheet chooses a room that is not there: both walks stop at the same words.
        EXPECT_EQ(demo.onScreen.exitCode, 1);
        EXPECT_EQ(demo.screenReport, demo.commandReport);
    }
}

TEST_F(PathloomDemoTest, WhatGoesWrongOnScreenEndsTheWalkAsItEndsTheCommand) {
    const auto serve = [](const QString& file, const QByteArray& bytes,
                          std::optional<QString> route = {}) -> Change {
        return [=](const QString& root) {
            EXPECT_TRUE(test::writeFile(root + u'/' + file, bytes));
            if (route) {
                editJson(root, u"routes.json"_s, [&](QJsonValue& value) {
                    QJsonArray routes = value.toArray();
                    for (qsizetype index = 0; index < routes.size(); ++index) {
                        QJsonObject entry = routes[index].toObject();
                        if (entry.value(u"path"_s).toString() == *route) {
                            entry.remove(u"body"_s);
                            entry.insert(u"file"_s, file);
                            routes[index] = entry;
                        }
                    }
                    value = routes;
                });
            }
        };
    };
    const struct {
        QString name;
        Change change;
        bool outbox;
        QString error;
        bool feedbackShown = true;
    } cases[] = {
        {u"post"_s, serve(u"bad.txt"_s, "not json", u"/inspections"_s), true, {}, false},
        {u"list"_s, serve(u"rooms.json"_s, "{}"), true, u"Expected an array at ''."_s, false},
        {u"pdf"_s, serve(u"guide.pdf"_s, "this is text, not a document"), true,
         u"Unable to load PDF."_s},
        {u"workflow-name"_s,
         editStep(u"summary"_s,
                  [](QJsonObject& step) {
                      QJsonArray items = step.value(u"items"_s).toArray();
                      QJsonObject feedback = items[1].toObject();
                      feedback.insert(u"modalWorkflow"_s, u"feedback"_s);
                      items[1] = feedback;
                      step.insert(u"items"_s, items);
                  }),
         true, u"Could not find workflow: feedback"_s, false},
        {u"no-mail"_s,
         {},
         false,
         u"No email accounts available. Please configure one in the Settings app."_s},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name.toStdString());
        const DemoWalk demo = walk(each.name, each.change, each.outbox);

        EXPECT_EQ(demo.onScreen.exitCode, 1) << demo.onScreen.err.toStdString();
        const QList<QJsonObject> alerts = demo.onScreen.events(u"alert"_s);
        ASSERT_EQ(alerts.size(), 1);
        const QString shown = alerts[0].value(u"message"_s).toString();
        if (each.error.isEmpty()) {
            EXPECT_TRUE(shown.contains(u"JSON"_s)) << shown.toStdString();
        } else {
            EXPECT_EQ(shown, each.error);
        }
        EXPECT_EQ(demo.screenReport.value(u"error"_s), QJsonValue(shown));
        EXPECT_EQ(demo.onScreen.err.trimmed().split(u'\n').last(), shown);
        const bool feedbackShown = std::ranges::any_of(
            demo.onScreen.events(u"present"_s),
            [](const QJsonObject& event) { return event.value(u"workflow"_s) == 2; });
        EXPECT_EQ(feedbackShown, each.feedbackShown);
        if (each.outbox) {
            // The command has no mail program to miss: it writes into its outbox.
            EXPECT_EQ(demo.headless.exitCode, 1);
            EXPECT_EQ(demo.screenReport, demo.commandReport);
            EXPECT_EQ(demo.screenServer.requests, demo.commandServer.requests);
        }
    }
}

}  // namespace
}  // namespace pathloom
