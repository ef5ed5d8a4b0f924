#include "foundation/UrlParsing.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

struct UrlCase {
    const char* text;
    bool parses;
};

void PrintTo(const UrlCase& urlCase, std::ostream* os) { *os << '"' << urlCase.text << '"'; }

class UrlParsingTest : public testing::TestWithParam<UrlCase> {};

TEST_P(UrlParsingTest, AcceptsOnlyValidUrlReferences) {
    EXPECT_EQ(parseUrl(QString::fromUtf8(GetParam().text)).has_value(), GetParam().parses);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UrlParsingTest,
    testing::Values(UrlCase{"https://example.com/api/v1?x=1&y=%20#top", true},
                    UrlCase{"http://127.0.0.1:8080", true}, UrlCase{"relative/path", true},
                    UrlCase{"mailto:someone@example.com", true}, UrlCase{"", false},
                    UrlCase{"https://example.com/a b", false},
                    UrlCase{"https://example.com/{step.id}", false},
                    UrlCase{"https://example.com/100%", false},
                    UrlCase{"https://example.com/%zz", false},
                    UrlCase{"https://exämple.com", false}, UrlCase{"http://[::1", false}));

TEST(UrlParsing, KeepsTheUrlItParsed) {
    EXPECT_EQ(parseUrl(QStringLiteral("https://example.com/a%20b"))->path(),
              QStringLiteral("/a b"));
}

TEST(UrlParsing, ReadsItsWrittenFormAsTheSameUrl) {
    for (const char* text :
         {"a#b#c", "https://example.com/#top#more", "http://x/a%2Fb#c%23d#e", "ht+#%23#x://y"}) {
        const std::optional<QUrl> url = parseUrlAsWritten(QString::fromUtf8(text));
        ASSERT_TRUE(url) << text;
        EXPECT_EQ(parseUrlAsWritten(url->toString(QUrl::FullyEncoded)), url) << text;
    }
}

}  // namespace
}  // namespace pathloom
