#include "JsonPositions.h"

#include "QtPrinting.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

const JsonPath kRoot;

TEST(JsonPositionsTest, FindsWhereValuesStart) {
    const QByteArray text = "{\"a\": [1,\n  {\"b\": \"x\"}],\n\"c\": {}}";

    const auto positions = JsonPositions::locate(
        text, {kRoot.key(u"a"_s), kRoot.key(u"a"_s).index(1).key(u"b"_s), kRoot.key(u"c"_s)});

    ASSERT_TRUE(positions);
    EXPECT_EQ(positions->position(kRoot.key(u"a"_s)), (LintFinding::Position{1, 7}));
    EXPECT_EQ(positions->position(kRoot.key(u"a"_s).index(1).key(u"b"_s)),
              (LintFinding::Position{2, 9}));
    EXPECT_EQ(positions->position(kRoot.key(u"c"_s)), (LintFinding::Position{3, 6}));
    EXPECT_FALSE(positions->position(kRoot.key(u"d"_s)));
}

TEST(JsonPositionsTest, CountsColumnsInCharactersAndTakesTheLastOfRepeatedKeys) {
    const QByteArray text = u"{\"é\": \"ü\", \"k\": 1, \"k\": 2}"_s.toUtf8();

    const auto positions = JsonPositions::locate(text, {kRoot.key(u"é"_s), kRoot.key(u"k"_s)});

    ASSERT_TRUE(positions);
    EXPECT_EQ(positions->position(kRoot.key(u"é"_s)), (LintFinding::Position{1, 7}));
    EXPECT_EQ(positions->position(kRoot.key(u"k"_s)), (LintFinding::Position{1, 25}));
}

TEST(JsonPositionsTest, GivesNothingForATextItCannotRead) {
    EXPECT_FALSE(JsonPositions::locate("{\"a\": ", {kRoot.key(u"a"_s)}));
}

TEST(JsonPositionsTest, WritesPathsAsAuthorsReadThem) {
    EXPECT_EQ(kRoot.key(u"workflows"_s).index(2).key(u"steps"_s).index(4).key(u"url"_s).text(),
              u"workflows[2].steps[4].url"_s);
    EXPECT_EQ(kRoot.key(u"items"_s).key(u"first name"_s).text(), u"items[\"first name\"]"_s);
}

}  // namespace
}  // namespace pathloom
