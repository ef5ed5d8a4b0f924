#include "session/URLFormatter.h"

#include "QtPrinting.h"
#include "session/Session.h"
#include "steps/ListStepItem.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

const QString kApiBase = u"https://example.com/api"_s;

// The values the templates below read: a list step's pick, configuration parameters stored as a
// map, a form, a value naming another placeholder, and text entries whose value holds their own
// placeholder.
std::shared_ptr<Session> makeSession() {
    auto session = std::make_shared<Session>();
    session->setValueProvider(
        u"pick"_s,
        Value(Value::Dictionary{
            {u"selected"_s, Value::Object(std::make_shared<ListStepItem>(42, u"Blue"_s))}}));
    session->setValueProvider(u"params"_s, Value(Value::Dictionary{
                                               {u"order"_s, Value(qint64(42))},
                                               {u"ratio"_s, Value(2.5)},
                                               {u"flag"_s, Value(true)},
                                               {u"elsewhere"_s, u"https://elsewhere.example/x"_s},
                                           }));
    session->setValueProvider(u"form"_s, Value(Value::Dictionary{
                                             {u"name"_s, u"Jo Smith"_s},
                                             {u"discount"_s, u"10% #1"_s},
                                             {u"city"_s, u"Zürich"_s},
                                             {u"path"_s, u"a/b?c=d"_s},
                                             {u"broken"_s, QString(QChar(0xD800))},
                                             {u"suffix"_s, u".elsewhere.example"_s},
                                             {u"login"_s, u"@elsewhere.example"_s},
                                             {u"port"_s, u":8443"_s},
                                             {u"version"_s, u"/v2"_s},
                                             {u"host"_s, u"elsewhere.example"_s},
                                         }));
    session->setValueProvider(u"nested"_s, Value(Value::Dictionary{{u"inner"_s, u"{c.d}"_s}}));
    session->setValueProvider(u"grow"_s, u"a{grow.x}"_s);
    session->setValueProvider(u"c"_s, Value(Value::Dictionary{{u"d"_s, u"x"_s}}));
    session->setValueProvider(u"loop"_s, u"{loop.x}"_s);
    return session;
}

struct TemplateCase {
    const char* name;
    QString urlTemplate;
    QString base;
    bool withSession;
    std::optional<QString> expected;
};

void PrintTo(const TemplateCase& testCase, std::ostream* os) { *os << testCase.name; }

class URLFormatterTemplates : public testing::TestWithParam<TemplateCase> {};

TEST_P(URLFormatterTemplates, BuildsTheExpectedURL) {
    const TemplateCase& testCase = GetParam();
    const std::shared_ptr<Session> session = makeSession();
    const std::optional<QUrl> url = URLFormatter().url(
        testCase.urlTemplate, QUrl(testCase.base), testCase.withSession ? session.get() : nullptr);
    ASSERT_EQ(url.has_value(), testCase.expected.has_value())
        << (url ? url->toString(QUrl::FullyEncoded).toStdString() : "no URL");
    if (url) {
        EXPECT_EQ(url->toString(QUrl::FullyEncoded), *testCase.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , URLFormatterTemplates,
    testing::Values(
        TemplateCase{"ListEntryValue", u"/orders/{pick.selected.id}"_s, kApiBase, true,
                     u"https://example.com/api/orders/42"_s},
        TemplateCase{"MapParameterValue", u"/orders/{params.order}"_s, kApiBase, true,
                     u"https://example.com/api/orders/42"_s},
        TemplateCase{"NumberAndBooleanValues", u"/r/{params.ratio}/{params.flag}"_s, kApiBase, true,
                     u"https://example.com/api/r/2.5/true"_s},
        TemplateCase{"StepNeverShownKeepsEncodedPlaceholder", u"/orders/{list.selected.id}"_s,
                     kApiBase, true, u"https://example.com/api/orders/%7Blist.selected.id%7D"_s},
        TemplateCase{"ValueWithoutTextKeepsEncodedPlaceholder", u"/orders/{pick.selected}"_s,
                     kApiBase, true, u"https://example.com/api/orders/%7Bpick.selected%7D"_s},
        TemplateCase{"UnresolvedPlaceholderStopsAllReplacement", u"{a.b}/{c.d}"_s, kApiBase, true,
                     u"https://example.com/api%7Ba.b%7D/%7Bc.d%7D"_s},
        TemplateCase{"SpaceInValue", u"/q?name={form.name}"_s, kApiBase, true,
                     u"https://example.com/api/q?name=Jo%20Smith"_s},
        TemplateCase{"PercentAndHashInValue", u"/q?discount={form.discount}"_s, kApiBase, true,
                     u"https://example.com/api/q?discount=10%25%20%231"_s},
        TemplateCase{"NonAsciiValueAsUtf8Bytes", u"/q?city={form.city}"_s, kApiBase, true,
                     u"https://example.com/api/q?city=Z%C3%BCrich"_s},
        TemplateCase{"ValueStructureIsKept", u"/{form.path}"_s, kApiBase, true,
                     u"https://example.com/api/a/b?c=d"_s},
        TemplateCase{"ValueWithoutUtf8FormLeavesTemplateOnBase", u"/q?name={form.broken}"_s,
                     kApiBase, true, u"https://example.com/api/q?name=%7Bform.broken%7D"_s},
        TemplateCase{"SelfReproducingValueTerminates", u"/{loop.x}"_s, kApiBase, true,
                     u"https://example.com/api/%7Bloop.x%7D"_s},
        TemplateCase{"SelfGrowingValueTerminates", u"/{grow.x}"_s, kApiBase, true,
                     u"https://example.com/api/"_s + QString(64, u'a') + u"%7Bgrow.x%7D"_s},
        TemplateCase{"PlaceholderInAValueIsResolvedInALaterPass", u"/{nested.inner}"_s, kApiBase,
                     true, u"https://example.com/api/x"_s},
        TemplateCase{"AbsoluteTemplateWithoutPlaceholder", u"https://other.example/v1?x=1"_s,
                     kApiBase, true, u"https://other.example/v1?x=1"_s},
        TemplateCase{"AbsoluteTemplateWithResolvedPlaceholder",
                     u"https://other.example/orders/{pick.selected.id}"_s, kApiBase, true,
                     u"https://other.example/orders/42"_s},
        TemplateCase{"AbsoluteTemplateWithUnresolvedPlaceholder",
                     u"https://other.example/orders/{list.selected.id}"_s, kApiBase, true,
                     u"https://other.example/orders/%7Blist.selected.id%7D"_s},
        TemplateCase{"AbsoluteTemplateValueStartingAPath",
                     u"https://api.example.com{form.version}/x"_s, kApiBase, true,
                     u"https://api.example.com/v2/x"_s},
        // An absolute template keeps the host and port its own text names.
        TemplateCase{"ValueCannotExtendTheHostOfAnAbsoluteTemplate",
                     u"https://api.example.com{form.suffix}/x"_s, kApiBase, true, std::nullopt},
        TemplateCase{"ValueCannotTurnAnAbsoluteTemplatesHostIntoUserInfo",
                     u"https://api.example.com{form.login}/x"_s, kApiBase, true, std::nullopt},
        TemplateCase{"ValueCannotChangeThePortOfAnAbsoluteTemplate",
                     u"https://api.example.com{form.port}/x"_s, kApiBase, true, std::nullopt},
        TemplateCase{"ValueCannotNameTheHostOfAnAbsoluteTemplate", u"https://{form.host}/x"_s,
                     kApiBase, true, std::nullopt},
        TemplateCase{"ValueCannotMoveTheRequestToAnotherServer", u"{params.elsewhere}"_s, kApiBase,
                     true, u"https://example.com/apihttps://elsewhere.example/x"_s},
        // On a base without a path, joined text that does not start with "/" continues the
        // base's host; it must not move the request to another server or port.
        TemplateCase{"ValueCannotExtendTheHostOfAHostOnlyBase", u"{form.suffix}/x"_s,
                     u"https://example.com"_s, true, u"https://example.com/%7Bform.suffix%7D/x"_s},
        TemplateCase{"ValueCannotTurnTheHostIntoUserInfo", u"{form.login}/x"_s,
                     u"https://example.com"_s, true, u"https://example.com/%7Bform.login%7D/x"_s},
        TemplateCase{"ValueCannotChangeThePort", u"{form.port}/x"_s, u"https://example.com"_s, true,
                     u"https://example.com/%7Bform.port%7D/x"_s},
        TemplateCase{"TemplateTextCannotExtendTheHostEither",
                     u"s.elsewhere.example/{pick.selected.id}"_s, u"https://example.com"_s, true,
                     u"https://example.com/s.elsewhere.example/%7Bpick.selected.id%7D"_s},
        TemplateCase{"ValueStartingAPathOnAHostOnlyBase", u"/{form.path}"_s,
                     u"https://example.com"_s, true, u"https://example.com/a/b?c=d"_s},
        TemplateCase{"MailLink", u"mailto:someone@example.com"_s, kApiBase, true, std::nullopt},
        TemplateCase{"FtpAddress", u"ftp://files.example.com/report.pdf"_s, kApiBase, true,
                     std::nullopt},
        TemplateCase{"PlainPathComponent", u"users"_s, kApiBase, true,
                     u"https://example.com/api/users"_s},
        TemplateCase{"RelativeTemplateKeepsItsQuery", u"/items?all=true"_s, kApiBase, true,
                     u"https://example.com/api/items?all=true"_s},
        TemplateCase{"QueryOnAHostOnlyBase", u"items?all=true&page=2"_s, u"https://example.com"_s,
                     true, u"https://example.com/items?all=true&page=2"_s},
        TemplateCase{"QueryAfterTheBasesQuery", u"/items?all=true"_s,
                     u"https://example.com/api?key=k"_s, true,
                     u"https://example.com/api/items?key=k&all=true"_s},
        TemplateCase{"PathOnBaseEndingWithSlash", u"/visits"_s, u"https://example.com/api/"_s,
                     false, u"https://example.com/api/visits"_s},
        TemplateCase{"PathOnBaseWithoutSlash", u"/visits"_s, kApiBase, false,
                     u"https://example.com/api/visits"_s},
        TemplateCase{"PathOnHostOnlyBase", u"users"_s, u"https://example.com"_s, true,
                     u"https://example.com/users"_s},
        TemplateCase{"WordInBracesIsNoPlaceholder", u"{token}"_s, kApiBase, true,
                     u"https://example.com/api/%7Btoken%7D"_s},
        TemplateCase{"WithoutSessionTemplateGoesOnBase", u"/orders/{pick.selected.id}"_s, kApiBase,
                     false, u"https://example.com/api/orders/%7Bpick.selected.id%7D"_s},
        TemplateCase{"BaseThatIsNoWebURL", u"users"_s, u"file:///tmp/api"_s, true, std::nullopt},
        TemplateCase{"NoBaseForRelativeTemplate", u"/orders/{pick.selected.id}"_s, QString(), true,
                     std::nullopt}),
    [](const testing::TestParamInfo<TemplateCase>& info) { return info.param.name; });

struct PatternCase {
    QString text;
    bool isPlaceholder;
};

class URLFormatterPattern : public testing::TestWithParam<PatternCase> {};

TEST_P(URLFormatterPattern, RecognisesDottedPlaceholdersOnly) {
    const QRegularExpression expression(URLFormatter().regex);
    ASSERT_TRUE(expression.isValid());
    EXPECT_EQ(expression.match(GetParam().text).hasMatch(), GetParam().isPlaceholder);
}

INSTANTIATE_TEST_SUITE_P(
    , URLFormatterPattern,
    testing::Values(PatternCase{u"{a.b}"_s, true}, PatternCase{u"{a.b.c}"_s, true},
                    PatternCase{u"{step_1.Value_2}"_s, true}, PatternCase{u"{a}"_s, false},
                    PatternCase{u"{a.}"_s, false}, PatternCase{u"{.a}"_s, false},
                    PatternCase{u"{a..b}"_s, false}, PatternCase{u"{a-b.c}"_s, false},
                    PatternCase{u"{ a.b }"_s, false}, PatternCase{u"{ä.b}"_s, false}));

TEST(URLFormatter, PatternThatDoesNotCompileGivesNoURL) {
    URLFormatter formatter;
    formatter.regex = u"({"_s;
    EXPECT_EQ(formatter.url(u"users"_s, QUrl(kApiBase)), std::nullopt);
}

// Each formatter's own pattern applies, however formatters of different patterns take turns on
// one thread.
TEST(URLFormatter, FormattersOfDifferentPatternsTakeTurns) {
    auto session = std::make_shared<Session>();
    session->setValueProvider(u"site"_s, Value(Value::Dictionary{{u"id"_s, u"7"_s}}));
    URLFormatter dotted;
    URLFormatter braced;
    braced.regex = u"\\[([a-z]+\\.[a-z]+)\\]"_s;
    URLFormatter broken;
    broken.regex = u"({"_s;
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(dotted.url(u"/sites/{site.id}"_s, QUrl(kApiBase), session.get()),
                  QUrl(kApiBase + u"/sites/7"_s));
        EXPECT_EQ(braced.url(u"/sites/[site.id]"_s, QUrl(kApiBase), session.get()),
                  QUrl(kApiBase + u"/sites/7"_s));
        EXPECT_EQ(braced.url(u"/sites/{site.id}"_s, QUrl(kApiBase), session.get()),
                  QUrl(kApiBase + u"/sites/%7Bsite.id%7D"_s));
        EXPECT_EQ(broken.url(u"users"_s, QUrl(kApiBase)), std::nullopt);
    }
}

struct WebURLCase {
    QString url;
    bool valid;
};

class URLFormatterWebURL : public testing::TestWithParam<WebURLCase> {};

TEST_P(URLFormatterWebURL, NeedsAnHttpSchemeAndAHost) {
    EXPECT_EQ(URLFormatter::isValidWebURL(QUrl(GetParam().url)), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(, URLFormatterWebURL,
                         testing::Values(WebURLCase{u"http://example.com"_s, true},
                                         WebURLCase{u"https://example.com/a?b=c"_s, true},
                                         WebURLCase{u"ftp://example.com"_s, false},
                                         WebURLCase{u"mailto:someone@example.com"_s, false},
                                         WebURLCase{u"https:///no-host"_s, false},
                                         WebURLCase{u"/relative/path"_s, false},
                                         WebURLCase{QString(), false}));

}  // namespace
}  // namespace pathloom
