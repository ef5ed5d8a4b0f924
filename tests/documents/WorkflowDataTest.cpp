#include "documents/WorkflowData.h"

#include "FakeImageLoader.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;

TEST(WorkflowDocument, ReadsStepsInOrderAndKeepsEachStepWhole) {
    test::FakeImageLoader images;
    const QJsonObject first =
        jsonObject(R"({"type":"instruction","identifier":"a","title":"Hi","n":[1,2]})");
    const QJsonObject second = jsonObject(R"({"type":"network","identifier":"b"})");
    QJsonObject document{{u"id"_s, 5},
                         {u"identifier"_s, u"w"_s},
                         {u"name"_s, u"Visit"_s},
                         {u"sfSymbolName"_s, u"star"_s},
                         {u"steps"_s, QJsonArray{first, second}}};

    const auto workflow = WorkflowData::fromJson(document, images);

    ASSERT_TRUE(workflow);
    EXPECT_EQ(workflow->id, 5);
    EXPECT_EQ(workflow->identifier, u"w"_s);
    EXPECT_EQ(workflow->name, u"Visit"_s);
    EXPECT_EQ(workflow->sfSymbolName, u"star"_s);
    ASSERT_EQ(workflow->steps.size(), 2);
    EXPECT_EQ(workflow->steps[0].type, u"instruction"_s);
    EXPECT_EQ(workflow->steps[0].identifier, u"a"_s);
    EXPECT_EQ(workflow->steps[0].content, first) << "type and identifier stay in the content";
    EXPECT_EQ(workflow->steps[1].identifier, u"b"_s);
    EXPECT_TRUE(workflow->navigationRules.isEmpty());
}

TEST(WorkflowDocument, ReadsNoRulesFromAMissingOrMistypedList) {
    test::FakeImageLoader images;
    for (const QByteArray& rules :
         {QByteArray(""), QByteArray(R"(,"navigationRules":{"from":"a"})"),
          QByteArray(R"(,"name":3,"navigationRules":"x")")}) {
        const auto workflow = WorkflowData::fromJson(
            jsonObject(R"({"id":1,"identifier":"w","steps":[])" + rules + "}"), images);
        ASSERT_TRUE(workflow) << rules.toStdString();
        EXPECT_TRUE(workflow->navigationRules.isEmpty());
        EXPECT_EQ(workflow->name, std::nullopt);
    }
}

TEST(StepDocument, LoadsTheImageOfAnImageUrlThroughTheLoader) {
    test::FakeImageLoader images;
    const QImage picture(3, 3, QImage::Format_ARGB32);
    images.add(u"https://img.example/a.png"_s, picture);

    const auto withImage = StepData::fromJson(
        jsonObject(R"({"type":"t","identifier":"s","imageURL":"https://img.example/a.png"})"),
        images);
    const auto unknownImage = StepData::fromJson(
        jsonObject(R"({"type":"t","identifier":"s","imageURL":"nowhere"})"), images);
    const auto numericImage =
        StepData::fromJson(jsonObject(R"({"type":"t","identifier":"s","imageURL":4})"), images);

    EXPECT_EQ(withImage->image, picture);
    EXPECT_EQ(withImage->imageURL, u"https://img.example/a.png"_s);
    EXPECT_EQ(unknownImage->image, std::nullopt) << "a picture that cannot be had is no error";
    EXPECT_EQ(unknownImage->imageURL, u"nowhere"_s);
    EXPECT_EQ(numericImage->image, std::nullopt);
    EXPECT_EQ(numericImage->imageURL, std::nullopt);
    EXPECT_EQ(images.requests(), (QStringList{u"https://img.example/a.png"_s, u"nowhere"_s}));
}

TEST(NavigationRuleDocument, ReadsDestinationsInOrder) {
    const auto rule = NavigationRule::fromJson(jsonObject(R"({"from":"q1","rules":[
        {"to":"yes","propertyKeyPath":"answer","operand":"==","value":"true"},
        {"to":"maybe","operand":"!=","value":3},
        {"to":"other","operand":7,"propertyKeyPath":false}
    ]})"));

    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->fromStepIdentifier, u"q1"_s);
    EXPECT_EQ(rule->destinationsRules,
              (QList<NavigationDestinationRule>{
                  {u"yes"_s, u"answer"_s, NavigationRuleOperand::isEqual, u"true"_s},
                  {u"maybe"_s, std::nullopt, std::nullopt, std::nullopt},
                  {u"other"_s, std::nullopt, std::nullopt, std::nullopt},
              }));
}

TEST(NavigationRuleDocument, ReadsNoDestinationsWithoutRules) {
    const auto rule = NavigationRule::fromJson(jsonObject(R"({"from":"q1"})"));
    ASSERT_TRUE(rule);
    EXPECT_TRUE(rule->destinationsRules.isEmpty());
}

TEST(NavigationRuleDocument, AnUnknownOperandStaysAbsentThroughTheStoredForm) {
    const auto rule =
        NavigationDestinationRule::fromJson(jsonObject(R"({"to":"b","operand":"!="})"));
    ASSERT_TRUE(rule);

    const auto stored = NavigationDestinationRule::fromStored(rule->toStored());

    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->operand, std::nullopt);
}

}  // namespace
}  // namespace pathloom
