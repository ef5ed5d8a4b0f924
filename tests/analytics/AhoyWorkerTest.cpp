#include "analytics/AhoyWorker.h"

#include "EventLoop.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "TestHttpServer.h"
#include "analytics/UserDefault.h"
#include "network/URLError.h"
#include "network/UserAgent.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtMath>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Reply = test::TestHttpServer::Reply;
using Request = test::TestHttpServer::Request;

const QString kVisitorKey = settingsKey(UserDefault::currentVisitorToken);
const QRegularExpression kCanonicalUuid(
    u"^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"_s);

using test::runUntil;

QString canonical(const QUuid& uuid) { return uuid.toString(QUuid::WithoutBraces).toUpper(); }

QString consoleLine(const QString& text) { return u'"' + text + u"\"\n"_s; }

class AhoyWorkerTest : public testing::Test {
protected:
    AhoyWorkerTest() {
        server.reply(u"POST"_s, u"/api/visits"_s, Reply{200, "{}"});
        server.reply(u"POST"_s, u"/api/events"_s, Reply{200, "{}"});
    }

    std::shared_ptr<AhoyWorker> worker(const QUrl& baseURL) {
        return AhoyWorker::create(
            12, baseURL, {u"TestOS"_s, u"2.1"_s, u"9.3"_s}, URLFormatter{}, settings,
            DebugConsole([lines = console](const QString& line) { lines->append(line); }));
    }
    std::shared_ptr<AhoyWorker> worker() { return worker(server.url(u"/api"_s)); }

    bool runUntilRequests(qsizetype count) {
        return runUntil([&] { return server.requests().size() >= count; });
    }

    // Lets everything the worker has already started reach the wire and come back.
    static void settle(const AhoyWorker& ahoy) {
        ahoy.networkQueue()->sync([] {});
        QCoreApplication::processEvents();
    }

    QList<Request> requestsTo(const QString& path) const {
        QList<Request> found;
        for (const Request& request : server.requests()) {
            if (request.path == path) {
                found.append(request);
            }
        }
        return found;
    }

    static QJsonObject onlyEvent(const Request& request) {
        const QJsonArray events = test::jsonObject(request.body).value(u"events"_s).toArray();
        EXPECT_EQ(events.size(), 1);
        return events.first().toObject();
    }

    test::TestHttpServer server;
    QTemporaryDir directory;
    std::shared_ptr<QSettings> settings =
        std::make_shared<QSettings>(directory.filePath(u"settings.ini"_s), QSettings::IniFormat);
    // Shared with the workers' sinks, which may outlive a test by a request still in flight.
    std::shared_ptr<QStringList> console = std::make_shared<QStringList>();
};

TEST_F(AhoyWorkerTest, SendsOneVisitAndThenTheEventsThatWaitedForIt) {
    server.reply(u"POST"_s, u"/api/visits"_s, Reply{200, "{}", u"application/json"_s, true});
    const auto ahoy = worker();

    ahoy->log(u"first"_s, std::nullopt);
    ahoy->log(u"second"_s, QVariantMap{{u"n"_s, 1}});
    ASSERT_TRUE(runUntil([&] { return !requestsTo(u"/api/visits"_s).isEmpty(); }));
    settle(*ahoy);
    EXPECT_EQ(server.requests().size(), 1) << "events wait until the visit has succeeded";
    server.release();
    ASSERT_TRUE(runUntilRequests(3));

    const QList<Request> requests = server.requests();
    EXPECT_EQ(requests[0].method, u"POST"_s);
    EXPECT_EQ(requests[0].path, u"/api/visits"_s);
    const QJsonObject visit = test::jsonObject(requests[0].body);
    EXPECT_EQ(visit, (QJsonObject{{u"app_id"_s, 12},
                                  {u"visit_token"_s, canonical(ahoy->visitToken())},
                                  {u"visitor_token"_s, ahoy->storedVisitorToken().value_or(u""_s)},
                                  {u"platform"_s, u"TestOS"_s},
                                  {u"app_version"_s, u"2.1"_s},
                                  {u"os_version"_s, u"9.3"_s}}));
    QStringList names;
    for (const Request& request : requests.sliced(1)) {
        EXPECT_EQ(request.path, u"/api/events"_s);
        const QJsonObject body = test::jsonObject(request.body);
        EXPECT_EQ(body.value(u"visit_token"_s), visit.value(u"visit_token"_s));
        EXPECT_EQ(body.value(u"visitor_token"_s), visit.value(u"visitor_token"_s));
        names.append(onlyEvent(request).value(u"name"_s).toString());
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{u"first"_s, u"second"_s}));

    ahoy->log(u"third"_s, std::nullopt);
    ASSERT_TRUE(runUntilRequests(4));
    EXPECT_EQ(server.requests()[3].path, u"/api/events"_s) << "the visit is confirmed for good";
    EXPECT_TRUE(console->isEmpty()) << console->join(u""_s).toStdString();
}

TEST_F(AhoyWorkerTest, CountsItsRequestsUntilTheEventsThatWaitedForTheVisitAreAnswered) {
    server.reply(u"POST"_s, u"/api/visits"_s, Reply{200, "{}", u"application/json"_s, true});
    const auto ahoy = worker();
    EXPECT_EQ(ahoy->requestsInFlight(), 0);

    ahoy->log(u"first"_s, std::nullopt);
    ahoy->log(u"second"_s, std::nullopt);
    ASSERT_TRUE(runUntil([&] { return !requestsTo(u"/api/visits"_s).isEmpty(); }));
    EXPECT_EQ(ahoy->requestsInFlight(), 1) << "only the visit is on the wire";
    server.release();

    ASSERT_TRUE(runUntil([&] { return ahoy->requestsInFlight() == 0; }));
    EXPECT_EQ(server.requests().size(), 3) << "no count reached zero before the events were sent";
}

TEST_F(AhoyWorkerTest, AFailedVisitDropsItsEventsAndTheNextEventStartsANewOne) {
    server.reply(u"POST"_s, u"/api/visits"_s, Reply{500, "{}"});
    const auto ahoy = worker();

    ahoy->log(u"dropped"_s, std::nullopt);
    ASSERT_TRUE(runUntil([&] { return !console->isEmpty(); }));
    EXPECT_EQ(*console, QStringList{consoleLine(u"Error logging Ahoy visit: "_s +
                                                URLError::httpStatus(500).description())});
    EXPECT_EQ(server.requests().size(), 1);

    server.reply(u"POST"_s, u"/api/visits"_s, Reply{200, "{}"});
    ahoy->log(u"kept"_s, std::nullopt);
    ASSERT_TRUE(runUntilRequests(3));
    settle(*ahoy);

    const QList<Request> visits = requestsTo(u"/api/visits"_s);
    ASSERT_EQ(visits.size(), 2);
    EXPECT_EQ(test::jsonObject(visits[1].body).value(u"visit_token"_s),
              test::jsonObject(visits[0].body).value(u"visit_token"_s));
    const QList<Request> events = requestsTo(u"/api/events"_s);
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(onlyEvent(events[0]).value(u"name"_s), u"kept"_s);
}

TEST_F(AhoyWorkerTest, EventsCarryTheirPropertiesWithTheAppIdAndNoId) {
    struct Case {
        QString name;
        std::optional<QVariantMap> properties;
        QJsonObject sent;
    };
    const QList<Case> cases{
        {u"absent"_s, std::nullopt, {{u"app_id"_s, 12}}},
        {u"step_opened"_s,
         QVariantMap{{u"workflow_id"_s, qint64(3)}, {u"step_identifier"_s, u"intro"_s}},
         {{u"workflow_id"_s, 3}, {u"step_identifier"_s, u"intro"_s}, {u"app_id"_s, 12}}},
        {u"own_app_id"_s, QVariantMap{{u"app_id"_s, u"other"_s}}, {{u"app_id"_s, 12}}},
        {u"native"_s,
         QVariantMap{{u"flag"_s, true},
                     {u"ratio"_s, 0.25},
                     {u"list"_s, QVariantList{1, u"a"_s}},
                     {u"map"_s, QVariantMap{{u"k"_s, 2}}}},
         {{u"flag"_s, true},
          {u"ratio"_s, 0.25},
          {u"list"_s, QJsonArray{1, u"a"_s}},
          {u"map"_s, QJsonObject{{u"k"_s, 2}}},
          {u"app_id"_s, 12}}},
        {u"described"_s,
         QVariantMap{{u"url"_s, QUrl(u"https://example.com/x"_s)},
                     {u"mixed"_s, QVariantList{1, QUrl(u"https://example.com/y"_s)}},
                     {u"nan"_s, qQNaN()}},
         {{u"url"_s, u"https://example.com/x"_s},
          {u"mixed"_s, u"[1, https://example.com/y]"_s},
          {u"nan"_s, u"nan"_s},
          {u"app_id"_s, 12}}},
    };
    const auto ahoy = worker();
    const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-1000);

    for (const Case& c : cases) {
        ahoy->log(c.name, c.properties);
    }
    ASSERT_TRUE(runUntilRequests(1 + cases.size()));
    const QDateTime after = QDateTime::currentDateTimeUtc();

    QMap<QString, QJsonObject> sent;
    for (const Request& request : requestsTo(u"/api/events"_s)) {
        const QJsonObject event = onlyEvent(request);
        EXPECT_EQ(event.keys(), (QStringList{u"name"_s, u"properties"_s, u"time"_s}))
            << "no id, not even null";
        const QString time = event.value(u"time"_s).toString();
        EXPECT_TRUE(QRegularExpression(u"^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$"_s)
                        .match(time)
                        .hasMatch())
            << time.toStdString();
        const QDateTime sentAt = QDateTime::fromString(time, Qt::ISODate);
        EXPECT_TRUE(sentAt >= before && sentAt <= after) << time.toStdString();
        sent.insert(event.value(u"name"_s).toString(), event.value(u"properties"_s).toObject());
    }
    for (const Case& c : cases) {
        EXPECT_EQ(sent.value(c.name), c.sent) << c.name.toStdString();
    }
}

TEST_F(AhoyWorkerTest, AFailedEventWritesTheConsoleLineAndKeepsTheVisit) {
    server.reply(u"POST"_s, u"/api/events"_s, Reply{404, "{}"});
    const auto ahoy = worker();

    ahoy->log(u"lost"_s, std::nullopt);
    ASSERT_TRUE(runUntil([&] { return !console->isEmpty(); }));
    EXPECT_EQ(*console, QStringList{consoleLine(u"Error logging Ahoy event: "_s +
                                                URLError::httpStatus(404).description())});

    ahoy->log(u"next"_s, std::nullopt);
    ASSERT_TRUE(runUntilRequests(3));
    EXPECT_EQ(server.requests()[2].path, u"/api/events"_s);
    EXPECT_EQ(requestsTo(u"/api/visits"_s).size(), 1);
}

TEST_F(AhoyWorkerTest, RequestsCarryTheTokensInCanonicalFormAndTheUserAgent) {
    const QString stored = u"0f8fad5b-d9cb-469f-a165-70867728950e"_s;
    settings->setValue(kVisitorKey, stored);
    const auto ahoy = worker();

    ahoy->log(u"event"_s, std::nullopt);
    ASSERT_TRUE(runUntilRequests(2));

    for (const Request& request : server.requests()) {
        const auto header = [&](const QString& name) { return request.headers.value(name); };
        EXPECT_EQ(header(u"content-type"_s), u"application/json"_s);
        EXPECT_EQ(header(u"ahoy-visit"_s), canonical(ahoy->visitToken()));
        EXPECT_EQ(header(u"ahoy-visitor"_s), stored.toUpper());
        EXPECT_EQ(test::jsonObject(request.body).value(u"visitor_token"_s), stored.toUpper());
        EXPECT_EQ(header(u"user-agent"_s), QString::fromUtf8(userAgent()));
#ifdef Q_OS_LINUX
        EXPECT_TRUE(header(u"user-agent"_s).contains(u"Linux"_s))
            << "analytics servers drop requests from unknown systems";
#endif
    }
    EXPECT_TRUE(kCanonicalUuid.match(canonical(ahoy->visitToken())).hasMatch());
    EXPECT_EQ(settings->value(kVisitorKey), stored) << "a valid token stays as it was stored";
}

TEST_F(AhoyWorkerTest, KeepsAValidStoredVisitorTokenAndReplacesAnyOther) {
    const QString valid = u"0F8FAD5B-D9CB-469F-A165-70867728950E"_s;
    const QList<std::pair<QVariant, bool>> cases{
        {QVariant(), false},
        {u"not a token"_s, false},
        {u"{0f8fad5b-d9cb-469f-a165-70867728950e}"_s, false},
        {u"0f8fad5bd9cb469fa16570867728950e"_s, false},
        {u"0f8fad5b-d9cb-469f-a165-70867728950"_s, false},
        {u"0f8fad5b-d9cb-469f-a165-70867728950g"_s, false},
        {42, false},
        {valid, true},
        {valid.toLower(), true},
    };
    for (const auto& [stored, kept] : cases) {
        settings->remove(kVisitorKey);
        if (stored.isValid()) {
            settings->setValue(kVisitorKey, stored);
        }
        const auto first = worker(server.url(u"/api"_s));
        const QString token = settings->value(kVisitorKey).toString();
        if (kept) {
            EXPECT_EQ(token, stored.toString());
        } else {
            EXPECT_TRUE(kCanonicalUuid.match(token).hasMatch()) << token.toStdString();
        }
        const auto second = worker(server.url(u"/api"_s));
        EXPECT_EQ(settings->value(kVisitorKey).toString(), token) << "kept across workers";
        EXPECT_NE(first->visitToken(), second->visitToken()) << "a new visit for every worker";
    }
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(AhoyWorkerTest, AVisitorTokenRemovedWhileTheWorkerLivesIsReplaced) {
    const auto ahoy = worker();
    const std::optional<QString> before = ahoy->storedVisitorToken();
    ahoy->setStoredVisitorToken(std::nullopt);
    ASSERT_FALSE(settings->contains(kVisitorKey));

    ahoy->log(u"event"_s, std::nullopt);
    ASSERT_TRUE(runUntilRequests(2));

    const QString now = settings->value(kVisitorKey).toString();
    EXPECT_TRUE(kCanonicalUuid.match(now).hasMatch());
    EXPECT_NE(std::optional(now), before);
    for (const Request& request : server.requests()) {
        EXPECT_EQ(request.headers.value(u"ahoy-visitor"_s), now);
    }
}

TEST_F(AhoyWorkerTest, ARequestInFlightOutlivesTheWorker) {
    server.reply(u"POST"_s, u"/api/events"_s, Reply{500, "{}", u"application/json"_s, true});
    auto ahoy = worker();

    ahoy->log(u"event"_s, std::nullopt);
    ASSERT_TRUE(runUntilRequests(2));
    ahoy.reset();
    server.release();

    ASSERT_TRUE(runUntil([&] { return !console->isEmpty(); }));
    EXPECT_EQ(*console, QStringList{consoleLine(u"Error logging Ahoy event: "_s +
                                                URLError::httpStatus(500).description())});
}

TEST_F(AhoyWorkerTest, ABaseAddressWithoutEndpointsFailsTheVisit) {
    const auto ahoy = worker(QUrl(u"ftp://example.com/api"_s));

    ahoy->log(u"event"_s, std::nullopt);

    ASSERT_TRUE(runUntil([&] { return !console->isEmpty(); }));
    EXPECT_EQ(*console, QStringList{consoleLine(u"Error logging Ahoy visit: "_s +
                                                URLError(URLError::badURL).description())});
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST(AhoyWorkerPlatformTest, DescribesTheRunningSystemAndTheAppVersion) {
    const QString original = QCoreApplication::applicationVersion();
    for (const auto& [version, expected] :
         QList<std::pair<QString, QString>>{{u"3.4"_s, u"3.4"_s}, {QString(), u"-"_s}}) {
        QCoreApplication::setApplicationVersion(version);
        const AhoyWorker::Platform platform = AhoyWorker::Platform::current();
        EXPECT_EQ(platform.appVersion, expected);
        EXPECT_FALSE(platform.platform.isEmpty());
        EXPECT_FALSE(platform.osVersion.isEmpty());
#ifdef Q_OS_LINUX
        EXPECT_EQ(platform.platform, u"Linux"_s);
#endif
    }
    QCoreApplication::setApplicationVersion(original);
}

}  // namespace
}  // namespace pathloom
