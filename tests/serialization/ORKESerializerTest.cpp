#include "serialization/ORKESerializer.h"

#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "taskmodel/ORKCompletionStep.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;

TEST(ORKESerializerSmoke, DecodesAndEncodesAnInstructionStep) {
    const auto decoded = ORKESerializer::objectFromJSONObject(jsonObject(
        R"({"_class":"ORKCompletionStep","identifier":"done","title":"Thanks","optional":true,"unknown":1})"));
    ASSERT_TRUE(decoded) << decoded.error().failureReason().toStdString();
    const auto step = std::dynamic_pointer_cast<ORKCompletionStep>(*decoded);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->identifier, u"done"_s);
    EXPECT_EQ(step->title, u"Thanks"_s);
    EXPECT_TRUE(step->optional);
    const QJsonValue json = ORKESerializer::JSONObjectForObject(Value(Value::Object(step)));
    EXPECT_EQ(json.toObject().value(u"_class"), QJsonValue(u"ORKCompletionStep"_s));
    EXPECT_EQ(json.toObject().value(u"title"), QJsonValue(u"Thanks"_s));
}

}  // namespace
}  // namespace pathloom
