#include "loading/PathloomSchemeManager.h"

#include "QtPrinting.h"

#include <gtest/gtest.h>
#include <QUrlQuery>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

struct LaunchCase {
    const char* launch;
    std::optional<const char*> document;
    std::optional<qint64> serverId;
};

void PrintTo(const LaunchCase& launch, std::ostream* os) { *os << launch.launch; }

class PathloomSchemeManagerTest : public testing::TestWithParam<LaunchCase> {};

TEST_P(PathloomSchemeManagerTest, TurnsTheLaunchUrlIntoTheDocumentAddress) {
    const PathloomSchemeManager schemes(u"2"_s, u"dev.local"_s, 3000);
    const auto context = schemes.parse(QUrl(QString::fromUtf8(GetParam().launch)));
    if (!GetParam().document) {
        EXPECT_FALSE(context);
        return;
    }
    ASSERT_TRUE(context);
    const auto* remote = std::get_if<AppConfigurationContext::Remote>(&context->source);
    ASSERT_TRUE(remote);
    EXPECT_EQ(remote->url, QString::fromUtf8(*GetParam().document));
    EXPECT_EQ(remote->serverId, GetParam().serverId);
}

INSTANTIATE_TEST_SUITE_P(
    Urls, PathloomSchemeManagerTest,
    testing::Values(
        LaunchCase{"pathloom://dev.local?app_id=12&authorization=abc%2Bdef",
                   "http://dev.local:3000/api/2/apps/12.json?authorization=abc%2Bdef",
                   std::nullopt},
        LaunchCase{"pathloom://dev.local:4000?app_id=12&authorization=t",
                   "http://dev.local:4000/api/2/apps/12.json?authorization=t", std::nullopt},
        LaunchCase{"survey://apps.example.com:8443?app_id=12&authorization=t&server_id=5",
                   "https://apps.example.com:8443/api/2/apps/12.json?authorization=t", 5},
        LaunchCase{"survey://apps.example.com/tenant?app_id=12&authorization=t&extra=1",
                   "https://apps.example.com/tenant/api/2/apps/12.json?authorization=t",
                   std::nullopt},
        LaunchCase{"survey://apps.example.com?app_id=12&authorization=t&server_id=five",
                   "https://apps.example.com/api/2/apps/12.json?authorization=t", std::nullopt},
        LaunchCase{"survey://apps.example.com?app_id=12", std::nullopt, std::nullopt},
        LaunchCase{"survey://apps.example.com?app_id=&authorization=t", std::nullopt, std::nullopt},
        LaunchCase{"survey://apps.example.com", std::nullopt, std::nullopt},
        LaunchCase{"survey:app_id=12&authorization=t", std::nullopt, std::nullopt},
        LaunchCase{"pathloom://DEV.Local?app_id=12&authorization=t",
                   "http://dev.local:3000/api/2/apps/12.json?authorization=t", std::nullopt}));

// Host names compare without regard to case, however the host spells its debug host.
TEST(PathloomSchemeManagerDebugHost, MatchesWhateverItsCase) {
    for (const QString& debugHost : {u"Dev.Local"_s, u"DEV.LOCAL"_s, u"dev.local"_s}) {
        const PathloomSchemeManager schemes(u"2"_s, debugHost, 3000);
        for (const char* launch : {"pathloom://dev.local?app_id=1&authorization=t",
                                   "pathloom://Dev.LOCAL?app_id=1&authorization=t"}) {
            const auto context = schemes.parse(QUrl(QString::fromUtf8(launch)));
            ASSERT_TRUE(context);
            const auto* remote = std::get_if<AppConfigurationContext::Remote>(&context->source);
            ASSERT_TRUE(remote);
            EXPECT_EQ(remote->url, u"http://dev.local:3000/api/2/apps/1.json?authorization=t"_s)
                << debugHost.toStdString() << " " << launch;
        }
    }
}

TEST(FirstValidConfiguration, TakesTheFirstManagerThatUnderstandsAnyUrl) {
    const auto debug = std::make_shared<const PathloomSchemeManager>(u"1"_s, u"dev.local"_s, 3000);
    const auto release =
        std::make_shared<const PathloomSchemeManager>(u"2"_s, u"dev.local"_s, 3000);
    const QList<QUrl> urls{QUrl(u"survey://nothing"_s),
                           QUrl(u"survey://apps.example.com?app_id=1&authorization=t"_s)};

    const auto context = firstValidConfiguration({debug, release}, urls);

    ASSERT_TRUE(context);
    EXPECT_EQ(std::get<AppConfigurationContext::Remote>(context->source).url,
              u"https://apps.example.com/api/1/apps/1.json?authorization=t"_s);
    EXPECT_FALSE(firstValidConfiguration({}, urls));
    EXPECT_FALSE(firstValidConfiguration({debug}, {QUrl(u"survey://nothing"_s)}));
}

}  // namespace
}  // namespace pathloom
