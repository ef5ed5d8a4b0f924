#include "steps/DisplayItem.h"
#include "steps/DisplayItemRepresentation.h"
#include "steps/PathloomDisplayStep.h"
#include "steps/PathloomNetworkDisplayStep.h"

#include "FakeImageLoader.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "StepDocuments.h"
#include "loading/Localization.h"
#include "steps/PathloomStepFactory.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;
using test::someNetworkManager;
using test::stepData;
using Representation = DisplayItemRepresentation;
using ItemType = DisplayItem::ItemType;

// Besides the texts that are shown, the table holds the URLs, methods and workflow names of the
// documents below, so that translating them by mistake would show.
const Localization kFrench(
    QList<TranslationLocale>{{u"fr"_s,
                              {Translation{1, u"Hello"_s, u"Bonjour"_s, 1},
                               Translation{2, u"Welcome"_s, u"Bienvenue"_s, 1},
                               Translation{3, u"Save"_s, u"Enregistrer"_s, 1},
                               Translation{4, u"Intro"_s, u"Introduction"_s, 1},
                               Translation{5, u"https://api.example/{visit.id}"_s, u"x"_s, 1},
                               Translation{6, u"delete"_s, u"supprimer"_s, 1},
                               Translation{7, u"Survey"_s, u"Enquete"_s, 1},
                               Translation{8, u"https://img.example/p.png"_s, u"x"_s, 1}}}},
    {u"fr"_s});

StepData displayData(const QByteArray& items) {
    return stepData(R"({"type":"display","identifier":"page","items":)" + items + "}");
}

class DisplayStepsTest : public testing::Test {
protected:
    StepBuildResult buildDisplay(const QByteArray& items) {
        return PathloomDisplayStep::build(displayData(items), StepContext{}, manager, images,
                                          kFrench);
    }
    // The items of a display page built from `items`, which must build.
    QList<std::shared_ptr<DisplayItem>> itemsOf(const QByteArray& items) {
        const StepBuildResult step = buildDisplay(items);
        QList<std::shared_ptr<DisplayItem>> result;
        if (!step) {
            ADD_FAILURE() << step.error().localizedDescription().toStdString();
            return result;
        }
        const auto display = std::dynamic_pointer_cast<PathloomDisplayStep>(*step);
        for (const Value& item : display->items) {
            result.append(item.object<DisplayItem>());
        }
        return result;
    }

    std::shared_ptr<NetworkManager> manager = someNetworkManager();
    std::shared_ptr<test::FakeImageLoader> images = std::make_shared<test::FakeImageLoader>();
};

TEST_F(DisplayStepsTest, DisplayStepRejectsItemsItCannotBuild) {
    const QList<std::pair<QByteArray, QString>> cases{
        {R"([{"type":"text","text":"Welcome"},null])", u"null display item found"_s},
        {R"(["not an item",null])", u"null display item found"_s},
        {R"([{"label":"Hello"}])", u"Display item type not found"_s},
        {R"([{"type":3}])", u"Display item type not found"_s},
        {R"([{"type":"Text"}])", u"Unsupported display item type found: Text"_s},
        {R"([{"type":"button","label":"Save","url":"u","method":"post"}])",
         u"POST actions are not supported"_s},
        {R"([{"type":"button","label":"Save","url":"u","method":"get"}])",
         u"GET actions are not supported"_s},
        {R"([{"type":"button","label":"Save","url":"u","method":"Get"}])",
         u"GET actions are not supported"_s},
        {R"([{"type":"button","label":"Save","url":"u","method":"GET"}])",
         u"GET actions are not supported"_s},
        {R"([{"type":"text","method":"fetch"}])", u"FETCH actions are not supported"_s},
        {R"([{"type":"text"},{"type":"video","method":"patch"},{"type":"sound"}])",
         u"PATCH actions are not supported"_s},
    };
    for (const auto& [items, cause] : cases) {
        const StepBuildResult step = buildDisplay(items);
        ASSERT_FALSE(step) << items.toStdString();
        EXPECT_EQ(step.error().localizedDescription(), u"Invalid step data: "_s + cause + u'.')
            << items.toStdString();
        ASSERT_TRUE(step.error().as<ParseError>());
        EXPECT_EQ(step.error().as<ParseError>()->errorCase(), ParseError::Case::invalidStepData);
    }
}

TEST_F(DisplayStepsTest, DisplayStepDropsAllItemsWhenOneIsNotAnObject) {
    for (const QByteArray& items :
         {QByteArray(R"([{"type":"text","text":"Welcome"},"Goodbye"])"),
          QByteArray(R"([{"type":"text"},[{"type":"text"}]])"), QByteArray(R"({"type":"text"})"),
          QByteArray(R"("text")"), QByteArray(R"([])")}) {
        EXPECT_TRUE(itemsOf(items).isEmpty()) << items.toStdString();
    }
}

TEST_F(DisplayStepsTest, DisplayStepTranslatesLabelAndTextOnly) {
    const auto items = itemsOf(R"([
        {"type":"text","label":"Intro","text":"Welcome"},
        {"type":"image","previewURL":"https://img.example/p.png",
         "url":"https://api.example/{visit.id}"},
        {"type":"button","label":"Save","url":"https://api.example/{visit.id}","method":"delete",
         "onSuccess":"reload","style":"danger","modalWorkflow":"Survey","buttonStyle":"outline"}])");
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(*items[0], DisplayItem(ItemType::text, u"Introduction"_s, u"Bienvenue"_s));
    EXPECT_EQ(*items[1],
              DisplayItem(ItemType::image, std::nullopt, std::nullopt,
                          u"https://img.example/p.png"_s, u"https://api.example/{visit.id}"_s));
    EXPECT_EQ(*items[2], DisplayItem(ItemType::button, u"Enregistrer"_s, std::nullopt, std::nullopt,
                                     u"https://api.example/{visit.id}"_s, u"delete"_s,
                                     SuccessAction::reload, u"Survey"_s, ButtonStyle::danger))
        << "the document form reads the style from \"style\" only";
}

TEST_F(DisplayStepsTest, DisplayStepReadsUnknownOnSuccessAndStyleAsAbsent) {
    const auto items = itemsOf(R"([
        {"type":"button","label":"Save","onSuccess":"later","style":"fancy"},
        {"type":"button","label":"Save","onSuccess":"Forward","style":1}])");
    ASSERT_EQ(items.size(), 2);
    for (const auto& item : items) {
        EXPECT_EQ(item->onSuccess, std::nullopt);
        EXPECT_EQ(item->buttonStyle, std::nullopt);
        const std::optional<Representation> representation = Representation::representation(*item);
        ASSERT_TRUE(representation);
        ASSERT_TRUE(representation->as<Representation::Button>());
        EXPECT_EQ(representation->as<Representation::Button>()->style, ButtonStyle::primary);
    }
}

TEST_F(DisplayStepsTest, DisplayStepAcceptsDeleteInLowerCaseAsARemoteAction) {
    const auto items = itemsOf(
        R"([{"type":"button","label":"Save","url":"https://api.example/1","method":"delete",
             "onSuccess":"backward"}])");
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(
        Representation::representation(*items[0]),
        Representation(Representation::Button{
            u"Enregistrer"_s, ButtonStyle::primary,
            RemoteAction{HTTPMethod::del, u"https://api.example/1"_s, SuccessAction::backward}}));
}

struct RepresentationCase {
    const char* name;
    DisplayItem item;
    std::optional<Representation> representation;
};

class DisplayItemRepresentationTest : public testing::TestWithParam<RepresentationCase> {};

TEST_P(DisplayItemRepresentationTest, ShowsTheItemsKindAndTheFirstApplicableButtonAction) {
    const RepresentationCase& representationCase = GetParam();
    EXPECT_EQ(Representation::representation(representationCase.item),
              representationCase.representation);
    if (representationCase.representation) {
        EXPECT_EQ(representationCase.representation->cell(),
                  Representation::cellOf(representationCase.item.type));
    }
}

const QString kUrl = u"https://api.example/items/1"_s;

INSTANTIATE_TEST_SUITE_P(
    Items, DisplayItemRepresentationTest,
    testing::Values(
        RepresentationCase{"text", DisplayItem(ItemType::text, u"L"_s, u"T"_s, u"p"_s, u"u"_s),
                           Representation(Representation::Text{u"L"_s, u"T"_s})},
        RepresentationCase{"image", DisplayItem(ItemType::image, u"L"_s, u"T"_s, u"p"_s, u"u"_s),
                           Representation(Representation::Image{u"p"_s, u"u"_s})},
        RepresentationCase{"video", DisplayItem(ItemType::video, {}, {}, u"p"_s, u"u"_s),
                           Representation(Representation::Video{u"p"_s, u"u"_s})},
        RepresentationCase{
            "modalWorkflowFirst",
            DisplayItem(ItemType::button, u"Go"_s, {}, {}, kUrl, u"PUT"_s, SuccessAction::forward,
                        u"Survey"_s, ButtonStyle::outline),
            Representation(Representation::Button{
                u"Go"_s, ButtonStyle::outline,
                DisplayItemButtonAction::ModalWorkflow{u"Survey"_s, SuccessAction::forward}})},
        RepresentationCase{
            "putInAnyCase",
            DisplayItem(ItemType::button, u"Go"_s, {}, {}, kUrl, u"pUt"_s, SuccessAction::reload),
            Representation(Representation::Button{
                u"Go"_s, ButtonStyle::primary,
                RemoteAction{HTTPMethod::put, kUrl, SuccessAction::reload}})},
        RepresentationCase{
            "delete", DisplayItem(ItemType::button, u"Go"_s, {}, {}, kUrl, u"DELETE"_s),
            Representation(Representation::Button{u"Go"_s, ButtonStyle::primary,
                                                  RemoteAction{HTTPMethod::del, kUrl, {}}})},
        RepresentationCase{"postIsASimpleTap",
                           DisplayItem(ItemType::button, u"Go"_s, {}, {}, kUrl, u"POST"_s,
                                       SuccessAction::none, {}, ButtonStyle::danger),
                           Representation(Representation::Button{
                               u"Go"_s, ButtonStyle::danger,
                               DisplayItemButtonAction::SimpleTap{SuccessAction::none}})},
        RepresentationCase{
            "methodWithoutUrl", DisplayItem(ItemType::button, u"Go"_s, {}, {}, {}, u"PUT"_s),
            Representation(Representation::Button{u"Go"_s, ButtonStyle::primary,
                                                  DisplayItemButtonAction::SimpleTap{}})},
        RepresentationCase{
            "urlWithoutMethod",
            DisplayItem(ItemType::button, u"Go"_s, {}, {}, kUrl, {}, SuccessAction::backward),
            Representation(Representation::Button{
                u"Go"_s, ButtonStyle::primary,
                DisplayItemButtonAction::SimpleTap{SuccessAction::backward}})},
        RepresentationCase{"buttonWithoutLabel",
                           DisplayItem(ItemType::button, {}, u"T"_s, {}, kUrl, u"PUT"_s),
                           std::nullopt}),
    [](const testing::TestParamInfo<RepresentationCase>& info) { return info.param.name; });

TEST(DisplayItemCreation, AcceptsOnlyPutOrDeleteInAnyLetterCase) {
    const QList<std::pair<std::optional<QString>, std::optional<QString>>> cases{
        {std::nullopt, std::nullopt},
        {u"put"_s, std::nullopt},
        {u"Delete"_s, std::nullopt},
        {u"DELETE"_s, std::nullopt},
        {u"patch"_s, u"Invalid step data: PATCH actions are not supported."_s},
        {u"options"_s, u"Invalid step data: OPTIONS actions are not supported."_s},
        {u""_s, u"Invalid step data:  actions are not supported."_s},
        {u"PUT "_s, u"Invalid step data: PUT  actions are not supported."_s},
    };
    for (const auto& [method, failure] : cases) {
        const auto item =
            DisplayItem::create(ItemType::button, u"Go"_s, {}, {}, kUrl, method, {}, {}, {});
        EXPECT_EQ(item.has_value(), !failure) << method.value_or(u"(none)"_s).toStdString();
        if (item) {
            EXPECT_EQ((*item)->method, method) << "the method is kept as written";
        } else if (failure) {
            EXPECT_EQ(item.error().description(), *failure);
        }
    }
}

struct JsonFormCase {
    const char* name;
    QByteArray json;
    std::optional<DisplayItem> item;
};

class DisplayItemJsonFormTest : public testing::TestWithParam<JsonFormCase> {};

TEST_P(DisplayItemJsonFormTest, DecodesKnownValuesAndFailsOnOthers) {
    const JsonFormCase& formCase = GetParam();
    const auto item = DisplayItem::fromJson(jsonObject(formCase.json));
    ASSERT_EQ(item.has_value(), formCase.item.has_value())
        << (item ? "decoded" : item.error().description().toStdString());
    if (item) {
        EXPECT_EQ(**item, *formCase.item);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Items, DisplayItemJsonFormTest,
    testing::Values(
        JsonFormCase{"typeOnly", R"({"type":"video"})", DisplayItem(ItemType::video)},
        JsonFormCase{"everyKey",
                     R"({"type":"button","label":"Hello","text":"t","previewURL":"p","url":"u",
                         "method":"post","onSuccess":"forward","modalWorkflow":"Survey",
                         "buttonStyle":"outline","style":"danger"})",
                     DisplayItem(ItemType::button, u"Hello"_s, u"t"_s, u"p"_s, u"u"_s, u"post"_s,
                                 SuccessAction::forward, u"Survey"_s, ButtonStyle::outline)},
        JsonFormCase{"nullOptionals", R"({"type":"text","label":null,"onSuccess":null})",
                     DisplayItem(ItemType::text)},
        JsonFormCase{"missingType", R"({"label":"Hello"})", std::nullopt},
        JsonFormCase{"nullType", R"({"type":null})", std::nullopt},
        JsonFormCase{"unknownType", R"({"type":"Button"})", std::nullopt},
        JsonFormCase{"unknownOnSuccess", R"({"type":"button","onSuccess":"later"})", std::nullopt},
        JsonFormCase{"unknownButtonStyle", R"({"type":"button","buttonStyle":"fancy"})",
                     std::nullopt},
        JsonFormCase{"labelOfAnotherType", R"({"type":"text","label":3})", std::nullopt},
        JsonFormCase{"methodOfAnotherType", R"({"type":"button","method":true})", std::nullopt}),
    [](const testing::TestParamInfo<JsonFormCase>& info) { return info.param.name; });

TEST(DisplayItemJsonForm, SaysWhichValueItCouldNotDecode) {
    const auto item = DisplayItem::fromJson(
        jsonObject(R"({"type":"button","buttonStyle":"fancy"})"), u"items[2]"_s);
    ASSERT_FALSE(item);
    EXPECT_EQ(item.error().reason(), DecodingError::Reason::dataCorrupted);
    EXPECT_EQ(item.error().path(), u"items[2].buttonStyle"_s);
    EXPECT_TRUE(item.error().description().contains(u"fancy"_s));
}

TEST(DisplayItemJsonForm, WritesPresentKeysOnlyAndReadsBackTheSameItem) {
    const DisplayItem sparse(ItemType::text, u"Hello"_s);
    EXPECT_EQ(sparse.toJson(), jsonObject(R"({"type":"text","label":"Hello"})"));

    const DisplayItem full(ItemType::button, u"Go"_s, u"t"_s, u"p"_s, u"u"_s, u"POST"_s,
                           SuccessAction::backward, u"Survey"_s, ButtonStyle::danger);
    EXPECT_EQ(full.toJson(), jsonObject(R"({"type":"button","label":"Go","text":"t",
        "previewURL":"p","url":"u","method":"POST","onSuccess":"backward",
        "modalWorkflow":"Survey","buttonStyle":"danger"})"));
    const auto decoded = DisplayItem::fromJson(full.toJson());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(**decoded, full);
}

TEST(DisplayItemCopy, IsIndependentOfTheOriginal) {
    DisplayItem original(ItemType::text, u"Hello"_s);
    const std::shared_ptr<DisplayItem> copy = original.copy();
    original.label = u"Changed"_s;
    EXPECT_EQ(copy->label, u"Hello"_s);
    EXPECT_EQ(copy->type, ItemType::text);
}

TEST_F(DisplayStepsTest, DisplayRowsFollowTheKindOfEachItem) {
    const StepBuildResult built = buildDisplay(R"([
        {"type":"text","label":"Intro","text":"Welcome"},
        {"type":"image","previewURL":"p"},
        {"type":"video","url":"v"},
        {"type":"button","label":"Save","style":"outline"},
        {"type":"button","style":"danger"}])");
    ASSERT_TRUE(built);
    const auto step = std::dynamic_pointer_cast<PathloomDisplayStep>(*built);
    ASSERT_TRUE(step);
    EXPECT_EQ(
        step->cellClassNames(),
        (QMap<QString, QString>{{u"textReuseIdentifier"_s, u"PathloomSubtitleTableViewCell"_s},
                                {u"imageReuseIdentifier"_s, u"PathloomImageTableViewCell"_s},
                                {u"videoReuseIdentifier"_s, u"PathloomVideoTableViewCell"_s},
                                {u"buttonReuseIdentifier"_s, u"PathloomButtonTableViewCell"_s}}));

    TableRow text;
    text.reuseIdentifier = u"textReuseIdentifier"_s;
    text.cellClassName = u"PathloomSubtitleTableViewCell"_s;
    text.title = {.text = u"Introduction"_s,
                  .color = TableRow::TextColor::secondaryLabel,
                  .style = TableRow::TextStyle::subheadline};
    text.detail = {.text = u"Bienvenue"_s,
                   .color = TableRow::TextColor::label,
                   .style = TableRow::TextStyle::body,
                   .wraps = true};
    EXPECT_EQ(step->tableRow(0), text);

    TableRow image;
    image.reuseIdentifier = u"imageReuseIdentifier"_s;
    image.cellClassName = u"PathloomImageTableViewCell"_s;
    image.clearsPicture = true;
    EXPECT_EQ(step->tableRow(1), image);

    TableRow video;
    video.reuseIdentifier = u"videoReuseIdentifier"_s;
    video.cellClassName = u"PathloomVideoTableViewCell"_s;
    video.clearsPicture = true;
    video.symbolName = u"play.fill"_s;
    video.symbolStyle = TableRow::TextStyle::largeTitle;
    video.buttonEnabled = true;
    EXPECT_EQ(step->tableRow(2), video);

    TableRow button;
    button.reuseIdentifier = u"buttonReuseIdentifier"_s;
    button.cellClassName = u"PathloomButtonTableViewCell"_s;
    button.title = {.text = u"Enregistrer"_s};
    button.buttonStyle = ButtonStyle::outline;
    button.buttonEnabled = true;
    EXPECT_EQ(step->tableRow(3), button);

    const std::optional<TableRow> unlabelled = step->tableRow(4);
    ASSERT_TRUE(unlabelled) << "a button without label keeps its row";
    EXPECT_EQ(unlabelled->reuseIdentifier, u"buttonReuseIdentifier"_s);
    EXPECT_EQ(unlabelled->title.text, std::nullopt);
    EXPECT_FALSE(unlabelled->buttonEnabled) << "it has no action to run";

    EXPECT_EQ(step->tableRow(5), std::nullopt);
}

TEST_F(DisplayStepsTest, DisplayStepKeepsItsClientAndLoaderAndAllowsNoSelection) {
    const StepBuildResult built = buildDisplay(R"([{"type":"text"}])");
    ASSERT_TRUE(built);
    const auto step = std::dynamic_pointer_cast<PathloomDisplayStep>(*built);
    ASSERT_TRUE(step);
    EXPECT_FALSE(step->allowsSelection);
    EXPECT_EQ(step->networkManager(), manager);
    EXPECT_EQ(step->imageLoader(), images);
    EXPECT_TRUE(dynamic_cast<const RemoteActionStep*>(step.get()));
}

TEST_F(DisplayStepsTest, NetworkDisplayStepKeepsItsUrlUntranslatedAndStartsEmpty) {
    const QList<std::pair<QByteArray, std::optional<QString>>> cases{
        {R"({"url":"https://api.example/{visit.id}","items":[{"type":"text"}]})",
         u"https://api.example/{visit.id}"_s},
        {R"({"url":5})", std::nullopt},
        {R"({})", std::nullopt},
    };
    for (const auto& [content, url] : cases) {
        const StepBuildResult built = PathloomNetworkDisplayStep::build(
            StepData{u"networkDisplay"_s, u"remote"_s, std::nullopt, std::nullopt,
                     jsonObject(content)},
            StepContext{}, manager, images, kFrench);
        ASSERT_TRUE(built);
        const auto step = std::dynamic_pointer_cast<PathloomNetworkDisplayStep>(*built);
        ASSERT_TRUE(step);
        EXPECT_EQ(step->url(), url) << content.toStdString();
        EXPECT_EQ(step->contentURL(), url);
        EXPECT_TRUE(step->items.isEmpty()) << "items come from the server only";
        EXPECT_FALSE(step->allowsSelection);
        EXPECT_EQ(step->resolvedURL(), std::nullopt);
        EXPECT_EQ(step->networkManager(), manager);
        EXPECT_EQ(step->imageLoader(), images);
    }
}

TEST_F(DisplayStepsTest, NetworkDisplayRowsDescribeTheItemsTheScreenStored) {
    const StepBuildResult built = PathloomNetworkDisplayStep::build(
        StepData{u"networkDisplay"_s, u"remote"_s, std::nullopt, std::nullopt, {}}, StepContext{},
        manager, images, kFrench);
    ASSERT_TRUE(built);
    const auto step = std::dynamic_pointer_cast<PathloomNetworkDisplayStep>(*built);
    ASSERT_TRUE(step);
    const auto decoded = DisplayItem::fromJson(jsonObject(R"({"type":"video","url":"v"})"));
    ASSERT_TRUE(decoded);
    step->items = {Value::Object(*decoded)};
    ASSERT_TRUE(step->tableRow(0));
    EXPECT_EQ(step->tableRow(0)->symbolName, u"play.fill"_s);
    EXPECT_EQ(step->cellClassNames().size(), 4);
}

TEST_F(DisplayStepsTest, FactoryTitlesDisplayStepsAndPassesTheirErrors) {
    const PathloomStepFactory factory;
    const StepBuildResult page =
        factory.buildStep(stepData(R"({"type":"display","identifier":"page","title":"Hello",
                     "items":[{"type":"text","text":"Welcome"}]})"),
                          StepContext{}, manager, images, kFrench);
    ASSERT_TRUE(page);
    EXPECT_EQ((*page)->title, u"Bonjour"_s);
    ASSERT_TRUE(std::dynamic_pointer_cast<PathloomDisplayStep>(*page));
    EXPECT_EQ(std::dynamic_pointer_cast<PathloomDisplayStep>(*page)->items.size(), 1);

    const StepBuildResult broken =
        factory.buildStep(stepData(R"({"type":"display","identifier":"page","title":"Hello",
                     "items":[{"type":"button","label":"Save","url":"u","method":"GET"}]})"),
                          StepContext{}, manager, images, kFrench);
    ASSERT_FALSE(broken);
    EXPECT_EQ(broken.error().localizedDescription(),
              u"Invalid step data: GET actions are not supported."_s);

    const StepBuildResult remote = factory.buildStep(
        stepData(R"({"type":"networkDisplay","identifier":"remote","title":"Hello"})"),
        StepContext{}, manager, images, kFrench);
    ASSERT_TRUE(remote);
    EXPECT_EQ((*remote)->title, u"Bonjour"_s);
}

}  // namespace
}  // namespace pathloom
