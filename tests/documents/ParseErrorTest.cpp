#include "documents/ParseError.h"

#include "QtPrinting.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

TEST(ParseError, FramesItsCauseByCase) {
    const QList<std::pair<ParseError, QString>> cases{
        {ParseError::invalidStepData(u"Missing identifier"_s),
         u"Invalid step data: Missing identifier."_s},
        {ParseError::invalidWorkflowData(u"c"_s), u"Invalid task data: c"_s},
        {ParseError::invalidServerData(u"c"_s), u"Invalid server data: c"_s},
        {ParseError::invalidAppName(u"c"_s), u"Invalid name data: c"_s},
        {ParseError::invalidAppData(u"c"_s), u"Invalid workflow data: c"_s},
        {ParseError::invalidNavigationStyle(u"c"_s), u"Invalid navigation style data: c"_s},
        {ParseError::invalidNavigationRule(u"c"_s), u"Invalid navigation rule data: c"_s},
    };
    for (const auto& [error, text] : cases) {
        EXPECT_EQ(error.description(), text);
    }
}

TEST(ParseError, KeepsItsCaseCauseAndDomain) {
    const ParseError error = ParseError::invalidNavigationRule(u"Missing 'to' stepIdentifier"_s);
    EXPECT_EQ(error.errorCase(), ParseError::Case::invalidNavigationRule);
    EXPECT_EQ(error.cause(), u"Missing 'to' stepIdentifier"_s);
    EXPECT_EQ(ParseError::domain(), u"Pathloom.AppConfigurationManager"_s);
    EXPECT_NE(error, ParseError::invalidAppData(u"Missing 'to' stepIdentifier"_s));
}

}  // namespace
}  // namespace pathloom
