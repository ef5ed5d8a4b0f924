#include "analytics/Analytics.h"

#include "QtPrinting.h"
#include "analytics/AhoyWorker.h"
#include "analytics/AppEvent.h"
#include "analytics/ConsoleWorker.h"

#include <gtest/gtest.h>
#include <QSettings>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

struct Call {
    QString worker;
    QString name;
    std::optional<QVariantMap> properties;
};

// Appends every event it receives, under its own label, to a log it shares with other workers.
class RecordingWorker final : public AnalyticsWorker {
public:
    RecordingWorker(QString label, std::shared_ptr<QList<Call>> calls)
        : m_label(std::move(label)), m_calls(std::move(calls)) {}

    void log(const QString& name, const std::optional<QVariantMap>& properties) override {
        m_calls->append({m_label, name, properties});
    }

private:
    QString m_label;
    std::shared_ptr<QList<Call>> m_calls;
};

TEST(AnalyticsTest, HandsEachEventToEveryWorkerInTheirOrder) {
    auto calls = std::make_shared<QList<Call>>();
    const Analytics analytics({std::make_shared<RecordingWorker>(u"first"_s, calls),
                               std::make_shared<RecordingWorker>(u"second"_s, calls)});
    const Analytics copy = analytics;

    analytics.log(AppEvent::appOpened());
    copy.log(AppEvent::stepOpened(7, u"intro"_s));

    ASSERT_EQ(calls->size(), 4);
    const QList<std::pair<QString, QString>> expected{{u"first"_s, u"app_opened"_s},
                                                      {u"second"_s, u"app_opened"_s},
                                                      {u"first"_s, u"step_opened"_s},
                                                      {u"second"_s, u"step_opened"_s}};
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ((*calls)[i].worker, expected[i].first) << i;
        EXPECT_EQ((*calls)[i].name, expected[i].second) << i;
    }
    EXPECT_FALSE((*calls)[0].properties);
    EXPECT_EQ((*calls)[3].properties,
              (QVariantMap{{u"workflow_id"_s, 7}, {u"step_identifier"_s, u"intro"_s}}));
}

TEST(AnalyticsTest, AppEventsCarryTheirWireNamesAndProperties) {
    struct Case {
        AppEvent event;
        QString name;
        std::optional<QVariantMap> properties;
    };
    const QList<Case> cases{
        {AppEvent::workflowOpened(7), u"workflow_opened"_s, QVariantMap{{u"workflow_id"_s, 7}}},
        {AppEvent::stepOpened(7, u"intro"_s), u"step_opened"_s,
         QVariantMap{{u"workflow_id"_s, 7}, {u"step_identifier"_s, u"intro"_s}}},
        {AppEvent::appOpened(), u"app_opened"_s, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.event.name(), c.name);
        const std::optional<QVariantMap> properties = c.event.properties();
        EXPECT_EQ(properties, c.properties) << c.name.toStdString();
        if (properties) {
            EXPECT_EQ(properties->value(u"workflow_id"_s).typeId(), QMetaType::LongLong)
                << "the workflow id is an integer, not text";
        }
    }
}

TEST(AnalyticsTest, ConsoleWorkerWritesOneQuotedLinePerEvent) {
    struct Case {
        QString name;
        std::optional<QVariantMap> properties;
        QString line;
    };
    const QList<Case> cases{
        {u"app_opened"_s, std::nullopt, uR"("Event: app_opened, Parameters: [:]")"_s},
        {u"empty"_s, QVariantMap{}, uR"("Event: empty, Parameters: [:]")"_s},
        {u"step_opened"_s, AppEvent::stepOpened(7, u"intro"_s).properties(),
         uR"("Event: step_opened, Parameters: [\"step_identifier\": \"intro\", \"workflow_id\": 7]")"_s},
        {u"note"_s, QVariantMap{{u"text"_s, uR"(say "hi" \ bye)"_s}},
         uR"("Event: note, Parameters: [\"text\": \"say \\\"hi\\\" \\\\ bye\"]")"_s},
        {u"note"_s, QVariantMap{{u"text"_s, u"two\nlines"_s}},
         uR"("Event: note, Parameters: [\"text\": \"two\\nlines\"]")"_s},
        {u"mixed"_s,
         QVariantMap{{u"flag"_s, true},
                     {u"ratio"_s, 0.5},
                     {u"tags"_s, QStringList{u"a"_s, u"b"_s}},
                     {u"count"_s, QVariantList{1, u"x"_s}},
                     {u"none"_s, QVariant()}},
         uR"("Event: mixed, Parameters: [\"count\": [1, \"x\"], \"flag\": true, \"none\": nil, \"ratio\": 0.5, \"tags\": [\"a\", \"b\"]]")"_s},
    };
    for (const Case& c : cases) {
        QStringList lines;
        ConsoleWorker worker(DebugConsole([&](const QString& line) { lines.append(line); }));
        worker.log(c.name, c.properties);
        EXPECT_EQ(lines, QStringList{c.line + u'\n'});
    }
}

TEST(AnalyticsTest, AssemblesAConsoleWorkerFirstAndAnAhoyWorkerOnlyForAnAnalyticsAddress) {
    const QTemporaryDir directory;
    auto settings =
        std::make_shared<QSettings>(directory.filePath(u"settings.ini"_s), QSettings::IniFormat);

    const Analytics withoutAddress = Analytics::assembled(12, std::nullopt, settings);
    ASSERT_EQ(withoutAddress.workers().size(), 1);
    EXPECT_TRUE(dynamic_cast<ConsoleWorker*>(withoutAddress.workers()[0].get()));

    const QUrl address(u"https://analytics.example.com/ahoy"_s);
    const Analytics withAddress = Analytics::assembled(12, address, settings);
    ASSERT_EQ(withAddress.workers().size(), 2);
    EXPECT_TRUE(dynamic_cast<ConsoleWorker*>(withAddress.workers()[0].get()));
    const auto* ahoy = dynamic_cast<AhoyWorker*>(withAddress.workers()[1].get());
    ASSERT_TRUE(ahoy);
    EXPECT_EQ(ahoy->appId(), 12);
    EXPECT_EQ(ahoy->baseURL(), address);
    EXPECT_FALSE(ahoy->platform().platform.isEmpty());
}

}  // namespace
}  // namespace pathloom
