#include "steps/PathloomListStep.h"
#include "steps/PathloomNetworkListStep.h"
#include "steps/PathloomNetworkStep.h"
#include "steps/PathloomSimulateNetworkStep.h"

#include "FakeImageLoader.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "StepDocuments.h"
#include "loading/Localization.h"
#include "steps/ImageCaptureStepBuilder.h"
#include "steps/ListStepItem.h"
#include "steps/PathloomDisplayStep.h"
#include "steps/PathloomDocumentCaptureStep.h"
#include "steps/PathloomEmailStep.h"
#include "steps/PathloomNetworkDisplayStep.h"
#include "steps/PathloomPDFStep.h"
#include "steps/PathloomStepFactory.h"
#include "taskmodel/ORKImageCaptureStep.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;
using test::someNetworkManager;
using test::stepData;

// Besides the texts that are shown, the table holds the URLs and symbol names of the documents
// below, so that translating them by mistake would show.
const Localization kFrench(
    QList<TranslationLocale>{
        {u"fr"_s,
         {Translation{1, u"Hello"_s, u"Bonjour"_s, 1}, Translation{2, u"Wait"_s, u"Patientez"_s, 1},
          Translation{3, u"Blue"_s, u"Bleu"_s, 1}, Translation{4, u"Dark"_s, u"Sombre"_s, 1},
          Translation{5, u"Nothing here"_s, u"Rien ici"_s, 1},
          Translation{6, u"https://api.example/{visit.id}"_s, u"x"_s, 1},
          Translation{7, u"star"_s, u"etoile"_s, 1},
          Translation{8, u"https://img.example/b.png"_s, u"x"_s, 1}}}},
    {u"fr"_s});

class NetworkAndListStepsTest : public testing::Test {
protected:
    template <typename Step>
    std::shared_ptr<Step> build(const QByteArray& document) {
        const StepBuildResult step =
            Step::build(stepData(document), StepContext{}, manager, images, kFrench);
        if (!step) {
            ADD_FAILURE() << step.error().localizedDescription().toStdString();
            return nullptr;
        }
        auto built = std::dynamic_pointer_cast<Step>(*step);
        EXPECT_TRUE(built) << "built a step of another class";
        return built;
    }

    std::shared_ptr<NetworkManager> manager = someNetworkManager();
    std::shared_ptr<test::FakeImageLoader> images = std::make_shared<test::FakeImageLoader>();
};

TEST_F(NetworkAndListStepsTest, NetworkStepNeedsATextUrl) {
    const QList<QByteArray> documents{
        R"({"type":"network","identifier":"send"})",
        R"({"type":"network","identifier":"send","url":42})",
        R"({"type":"network","identifier":"send","url":null})",
    };
    for (const QByteArray& document : documents) {
        const StepBuildResult step =
            PathloomNetworkStep::build(stepData(document), StepContext{}, manager, images, kFrench);
        ASSERT_FALSE(step) << document.toStdString();
        EXPECT_EQ(step.error().localizedDescription(),
                  u"Invalid step data: Invalid NetworkStep url for send."_s);
        EXPECT_TRUE(step.error().as<ParseError>());
    }
}

TEST_F(NetworkAndListStepsTest, NetworkStepTranslatesItsTextsButNotItsUrl) {
    const auto step = build<PathloomNetworkStep>(
        R"({"type":"network","identifier":"send","url":"https://api.example/{visit.id}",
            "title":"Hello","text":"Wait"})");
    ASSERT_TRUE(step);
    EXPECT_EQ(step->identifier, u"send"_s);
    EXPECT_EQ(step->url(), u"https://api.example/{visit.id}"_s);
    EXPECT_EQ(step->contentURL(), u"https://api.example/{visit.id}"_s);
    EXPECT_EQ(step->title, u"Bonjour"_s);
    EXPECT_EQ(step->text, u"Patientez"_s);
    EXPECT_EQ(step->networkManager(), manager);

    const auto plain =
        build<PathloomNetworkStep>(R"({"type":"network","identifier":"n","url":"u","text":7})");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->title, std::nullopt);
    EXPECT_EQ(plain->text, std::nullopt);
}

TEST_F(NetworkAndListStepsTest, SimulatedStepKeepsOnlyAnExactIntegerInterval) {
    const QList<std::pair<QByteArray, std::optional<qint64>>> cases{
        {R"({"interval":4})", 4},
        {R"({"interval":4.0})", 4},
        {R"({"interval":2.5})", std::nullopt},
        {R"({"interval":"4"})", std::nullopt},
        {R"({"interval":true})", std::nullopt},
        {R"({})", std::nullopt},
    };
    for (const auto& [content, interval] : cases) {
        QJsonObject json = jsonObject(content);
        json.insert(u"title"_s, u"Wait"_s);
        const auto step = PathloomSimulateNetworkStep::build(
            StepData{u"simulateNetwork"_s, u"sim"_s, std::nullopt, std::nullopt, json},
            StepContext{}, manager, images, kFrench);
        ASSERT_TRUE(step);
        const auto simulated = std::dynamic_pointer_cast<PathloomSimulateNetworkStep>(*step);
        ASSERT_TRUE(simulated);
        EXPECT_EQ(simulated->interval(), interval) << content.toStdString();
        EXPECT_EQ(simulated->title, u"Patientez"_s);
    }
}

TEST_F(NetworkAndListStepsTest, ListStepsReadSecondaryWorkflowIdsFromAnArrayOfObjectsOnly) {
    const QList<std::pair<QByteArray, QList<qint64>>> cases{
        {R"([{"id":7},{"id":"x"},{"id":9}])", {7, 9}},
        {R"([{"id":7},{"name":"other"},{"id":2.0}])", {7, 2}},
        {R"([{"id":7},3,{"id":9}])", {}},
        {R"([{"id":7},null])", {}},
        {R"({"id":7})", {}},
        {R"([])", {}},
        {R"(null)", {}},
    };
    for (const auto& [workflows, ids] : cases) {
        const QByteArray content = R"({"type":"list","identifier":"l","workflows":)" + workflows +
                                   R"(,"url":"https://api.example/list"})";
        const auto list = build<PathloomListStep>(content);
        const auto networkList = build<PathloomNetworkListStep>(content);
        ASSERT_TRUE(list && networkList);
        EXPECT_EQ(list->secondaryWorkflowIDs(), ids) << workflows.toStdString();
        EXPECT_EQ(networkList->secondaryWorkflowIDs(), ids) << workflows.toStdString();
    }
}

TEST_F(NetworkAndListStepsTest, ListStepKeepsEntriesWithIntegerIdAndTextInOrder) {
    const auto step = build<PathloomListStep>(R"({"type":"list","identifier":"colour","items":[
        {"id":1,"text":"Blue","detailText":"Dark","sfSymbolName":"star",
         "imageURL":"https://img.example/b.png"},
        {"id":"2","text":"Digits are not an integer"},
        {"id":3},
        {"id":4,"text":5},
        {"id":5.5,"text":"Not whole"},
        {"id":6,"text":"Green","detailText":7}]})");
    ASSERT_TRUE(step);
    EXPECT_TRUE(step->allowsSelection);
    EXPECT_EQ(step->networkManager(), manager);
    EXPECT_EQ(step->imageLoader(), images);

    ASSERT_EQ(step->items.size(), 2);
    const auto first = step->objectForRow(0).object<ListStepItem>();
    const auto second = step->objectForRow(1).object<ListStepItem>();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*first,
              ListStepItem(1, u"Bleu"_s, u"Sombre"_s, u"star"_s, u"https://img.example/b.png"_s))
        << "texts translated; symbol and image URL never";
    EXPECT_EQ(*second, ListStepItem(6, u"Green"_s));
}

TEST_F(NetworkAndListStepsTest, ListStepWithoutAnArrayOfObjectsHasNoEntries) {
    const QList<QByteArray> itemsValues{R"([{"id":1,"text":"Blue"},"Red"])",
                                        R"({"id":1,"text":"Blue"})", R"("Blue")", R"([])"};
    for (const QByteArray& items : itemsValues) {
        const auto step =
            build<PathloomListStep>(R"({"type":"list","identifier":"l","items":)" + items + "}");
        ASSERT_TRUE(step);
        EXPECT_TRUE(step->items.isEmpty()) << items.toStdString();
    }
}

TEST_F(NetworkAndListStepsTest, NetworkListStepKeepsItsUrlUntranslatedAndStartsEmpty) {
    const auto step = build<PathloomNetworkListStep>(
        R"({"type":"networkList","identifier":"remote","url":"https://api.example/{visit.id}",
            "emptyText":"Nothing here","items":[{"id":1,"text":"Blue"}]})");
    ASSERT_TRUE(step);
    EXPECT_EQ(step->url(), u"https://api.example/{visit.id}"_s);
    EXPECT_EQ(step->contentURL(), step->url());
    EXPECT_EQ(step->emptyText(), u"Rien ici"_s);
    EXPECT_TRUE(step->items.isEmpty()) << "entries come from the server only";
    EXPECT_TRUE(step->allowsSelection);
    EXPECT_EQ(step->resolvedURL(), std::nullopt);
    EXPECT_EQ(step->networkManager(), manager);
    EXPECT_EQ(step->imageLoader(), images);

    step->setResolvedURL(QUrl(u"https://api.example/12"_s));
    EXPECT_EQ(step->resolvedURL(), QUrl(u"https://api.example/12"_s));

    for (const QByteArray& document :
         {QByteArray(R"({"type":"networkList","identifier":"remote"})"),
          QByteArray(R"({"type":"networkList","identifier":"remote","url":3,"emptyText":4})")}) {
        const auto bare = build<PathloomNetworkListStep>(document);
        ASSERT_TRUE(bare);
        EXPECT_EQ(bare->url(), std::nullopt);
        EXPECT_EQ(bare->contentURL(), std::nullopt);
        EXPECT_EQ(bare->emptyText(), std::nullopt);
    }
}

TEST_F(NetworkAndListStepsTest, ListRowsShowTextDetailSymbolAndDisclosure) {
    const auto step = build<PathloomListStep>(R"({"type":"list","identifier":"l","items":[
        {"id":1,"text":"Blue","detailText":"Dark","sfSymbolName":"star","imageURL":"u"},
        {"id":2,"text":"Green"}]})");
    ASSERT_TRUE(step);
    EXPECT_EQ(step->cellClassNames(),
              (QMap<QString, QString>{
                  {u"DetailCellReuseIdentifier"_s, u"PathloomSubtitleTableViewCell"_s}}));

    TableRow expected;
    expected.reuseIdentifier = u"DetailCellReuseIdentifier"_s;
    expected.cellClassName = u"PathloomSubtitleTableViewCell"_s;
    expected.title = {.text = u"Bleu"_s, .color = TableRow::TextColor::label};
    expected.detail = {.text = u"Sombre"_s, .color = TableRow::TextColor::secondaryLabel};
    expected.symbolName = u"star"_s;
    expected.showsDisclosureIndicator = true;
    EXPECT_EQ(step->tableRow(0), expected);

    const std::optional<TableRow> plain = step->tableRow(1);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->title.text, u"Green"_s);
    EXPECT_EQ(plain->detail.text, std::nullopt);
    EXPECT_EQ(plain->symbolName, std::nullopt);

    step->allowsSelection = false;
    EXPECT_FALSE(step->tableRow(0)->showsDisclosureIndicator);
    EXPECT_EQ(step->tableRow(2), std::nullopt);
    EXPECT_EQ(step->tableRow(-1), std::nullopt);
}

TEST_F(NetworkAndListStepsTest, NetworkListRowsDescribeTheEntriesTheScreenStored) {
    const auto step =
        build<PathloomNetworkListStep>(R"({"type":"networkList","identifier":"remote"})");
    ASSERT_TRUE(step);
    step->items = {Value::Object(std::make_shared<ListStepItem>(3, u"Red"_s, u"Warm"_s)),
                   Value(u"not an entry"_s)};

    const std::optional<TableRow> row = step->tableRow(0);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->reuseIdentifier, u"DetailCellReuseIdentifier"_s);
    EXPECT_EQ(row->title.text, u"Red"_s);
    EXPECT_EQ(row->detail.text, u"Warm"_s);
    EXPECT_TRUE(row->showsDisclosureIndicator);
    EXPECT_EQ(step->tableRow(1), std::nullopt);
}

TEST_F(NetworkAndListStepsTest, FactoryBuildsEachFrameworkTypeWithItsClassAndTitle) {
    images->add(u"template.png"_s, QImage(1, 1, QImage::Format_RGB32));
    struct Case {
        QByteArray document;
        const std::type_info& stepClass;
    };
    const QList<Case> cases{
        {R"({"type":"imageCapture","templateImageURL":"template.png"})",
         typeid(ORKImageCaptureStep)},
        {R"({"type":"list"})", typeid(PathloomListStep)},
        {R"({"type":"networkList"})", typeid(PathloomNetworkListStep)},
        {R"({"type":"pdfViewer","pdfURL":"https://api.example/a.pdf"})", typeid(PathloomPDFStep)},
        {R"({"type":"network","url":"https://api.example/"})", typeid(PathloomNetworkStep)},
        {R"({"type":"simulateNetwork"})", typeid(PathloomSimulateNetworkStep)},
        {R"({"type":"display","items":[]})", typeid(PathloomDisplayStep)},
        {R"({"type":"networkDisplay"})", typeid(PathloomNetworkDisplayStep)},
        {R"({"type":"documentCapture"})", typeid(PathloomDocumentCaptureStep)},
        {R"({"type":"email"})", typeid(PathloomEmailStep)},
    };
    const PathloomStepFactory factory;
    for (const Case& stepCase : cases) {
        QJsonObject json = jsonObject(stepCase.document);
        json.insert(u"identifier"_s, u"s1"_s);
        json.insert(u"title"_s, u"Hello"_s);
        const StepBuildResult step = factory.buildStep(
            StepData{json.value(u"type").toString(), u"s1"_s, std::nullopt, std::nullopt, json},
            StepContext{u"App"_s, u"Visit"_s}, manager, images, kFrench);
        ASSERT_TRUE(step) << stepCase.document.toStdString() << ": "
                          << step.error().localizedDescription().toStdString();
        const ORKStep& built = **step;
        EXPECT_EQ(typeid(built), stepCase.stepClass) << stepCase.document.toStdString();
        EXPECT_EQ(built.identifier, u"s1"_s);
        EXPECT_EQ(built.title, u"Bonjour"_s) << stepCase.document.toStdString();
    }
}

TEST_F(NetworkAndListStepsTest, FactoryPassesTheNetworkStepErrorUnchanged) {
    const StepBuildResult step = PathloomStepFactory().buildStep(
        stepData(R"({"type":"network","identifier":"upload","title":"Hello"})"), StepContext{},
        manager, images, kFrench);
    ASSERT_FALSE(step);
    EXPECT_EQ(step.error().localizedDescription(),
              u"Invalid step data: Invalid NetworkStep url for upload."_s);
}

}  // namespace
}  // namespace pathloom
