#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "run/QuestionAnswers.h"
#include "session/ValueText.h"
#include "serialization/ORKESerializer.h"
#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/ORKLocation.h"
#include "taskscreens/answers/AnswerWidget.h"
#include "taskscreens/answers/AnswerWidgets.h"
#include "taskscreens/answers/NoAnswerWidget.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <variant>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

std::shared_ptr<ORKAnswerFormat> answerFormat(const QByteArray& json) {
    const auto object = ORKESerializer::objectFromJSONObject(test::jsonObject(json));
    EXPECT_TRUE(object.has_value()) << json.toStdString();
    return object ? std::dynamic_pointer_cast<ORKAnswerFormat>(*object) : nullptr;
}

// An answers-file answer: the answer of a one-key object, so that any JSON kind can be written.
QJsonValue answerJson(const QByteArray& json) {
    return test::jsonObject("{\"a\":" + json + "}").value(u"a"_s);
}

struct RoundTrip {
    const char* name;
    QByteArray format;
    QByteArray answer;
    // Pickers of a date or a time always show one, which is their answer.
    bool alwaysAnswers = false;
};

class AnswerWidgetsRoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

// What an answers file gives a widget is what the widget answers: the screens and the command
// record the same value for the same answer.
TEST_P(AnswerWidgetsRoundTripTest, AnswersWhatItWasGiven) {
    const auto format = answerFormat(GetParam().format);
    ASSERT_TRUE(format);
    const DebugConsole console([](const QString&) {});
    std::unique_ptr<AnswerWidget> widget(AnswerWidgets::make(*format, std::nullopt, console));
    ASSERT_EQ(dynamic_cast<NoAnswerWidget*>(widget.get()), nullptr) << "a widget of its own";
    const auto given = QuestionAnswers::fromJson(*format, answerJson(GetParam().answer), u"q"_s);
    ASSERT_TRUE(given.has_value()) << given.error().toStdString();

    widget->setAnswer(*given);

    EXPECT_EQ(widget->answer(), *given);
    EXPECT_FALSE(widget->validationMessage().has_value());
    widget->setAnswer(Value());
    EXPECT_EQ(widget->isAnswered(), GetParam().alwaysAnswers) << "no value clears";
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormatWithAWidget, AnswerWidgetsRoundTripTest,
    ::testing::Values(
        RoundTrip{"Text", R"({"_class":"ORKTextAnswerFormat"})", R"("Ada")"},
        RoundTrip{"MultipleLines", R"({"_class":"ORKTextAnswerFormat","multipleLines":true})",
                  R"("one\ntwo")"},
        RoundTrip{"Email", R"({"_class":"ORKEmailAnswerFormat"})", R"("ada@example.com")"},
        RoundTrip{"SingleChoice", R"({"_class":"ORKTextChoiceAnswerFormat","style":"singleChoice",
            "textChoices":[{"_class":"ORKTextChoice","text":"A","value":"a"},
                           {"_class":"ORKTextChoice","text":"B","value":2}]})",
                  "2"},
        RoundTrip{"OtherChoiceText",
                  R"({"_class":"ORKTextChoiceAnswerFormat","style":"singleChoice",
            "textChoices":[{"_class":"ORKTextChoice","text":"A","value":"a"},
                           {"_class":"ORKTextChoiceOther","text":"Other","value":"other",
                            "textViewInputOptional":true}]})",
                  R"("my own words")"},
        RoundTrip{"Boolean", R"({"_class":"ORKBooleanAnswerFormat"})", "false"},
        RoundTrip{"Integer", R"({"_class":"ORKNumericAnswerFormat","style":"integer"})", "-12"},
        RoundTrip{"Decimal", R"({"_class":"ORKNumericAnswerFormat","style":"decimal"})", "2.5"},
        RoundTrip{"Scale", R"({"_class":"ORKScaleAnswerFormat","minimum":0,"maximum":10,"step":2})",
                  "6"},
        RoundTrip{"Date", R"({"_class":"ORKDateAnswerFormat","style":"date"})", R"("2026-03-14")",
                  true},
        RoundTrip{"DateTime", R"({"_class":"ORKDateAnswerFormat","style":"dateTime"})",
                  R"("2026-03-14T09:30:00Z")", true},
        RoundTrip{"TimeOfDay", R"({"_class":"ORKTimeOfDayAnswerFormat"})", R"("06:45")", true},
        RoundTrip{"ContinuousScale", R"({"_class":"ORKContinuousScaleAnswerFormat","minimum":0,
            "maximum":1,"maximumFractionDigits":2})",
                  "0.35"},
        RoundTrip{"TextScale", R"({"_class":"ORKTextScaleAnswerFormat","textChoices":[
            {"_class":"ORKTextChoice","text":"Low","value":"low"},
            {"_class":"ORKTextChoice","text":"High","value":"high"}]})",
                  R"("high")"},
        RoundTrip{"ValuePicker", R"({"_class":"ORKValuePickerAnswerFormat","textChoices":[
            {"_class":"ORKTextChoice","text":"Canada","value":"CA"},
            {"_class":"ORKTextChoice","text":"Japan","value":"JP"}]})",
                  R"("JP")"},
        RoundTrip{"ImageChoices",
                  R"({"_class":"ORKImageChoiceAnswerFormat","style":"multipleChoice",
            "imageChoices":[{"_class":"ORKImageChoice","text":"Circle","value":"circle"},
                            {"_class":"ORKImageChoice","text":"Star","value":"star"}]})",
                  R"(["circle","star"])"},
        RoundTrip{"TimeInterval", R"({"_class":"ORKTimeIntervalAnswerFormat","step":5})", "5400"},
        RoundTrip{"MultipleValuePicker", R"({"_class":"ORKMultipleValuePickerAnswerFormat",
            "separator":"/","valuePickers":[
              {"_class":"ORKValuePickerAnswerFormat","textChoices":[
                {"_class":"ORKTextChoice","text":"1","value":1},
                {"_class":"ORKTextChoice","text":"2","value":2}]},
              {"_class":"ORKValuePickerAnswerFormat","textChoices":[
                {"_class":"ORKTextChoice","text":"a","value":"a"},
                {"_class":"ORKTextChoice","text":"b","value":"b"}]}]})",
                  R"([2,"a"])"},
        RoundTrip{"MetricHeight",
                  R"({"_class":"ORKHeightAnswerFormat","measurementSystem":"metric"})", "172"},
        RoundTrip{"HeightInFeetAndInches",
                  R"({"_class":"ORKHeightAnswerFormat","measurementSystem":"USC"})", "175.26"},
        RoundTrip{"MetricWeight", R"({"_class":"ORKWeightAnswerFormat","measurementSystem":"metric",
            "numericPrecision":0,"minimumValue":0,"maximumValue":0,"defaultValue":0})",
                  "7.5"},
        RoundTrip{"Ses", R"({"_class":"ORKSESAnswerFormat","topRungText":"Best off"})", "7"},
        RoundTrip{"Currency", R"({"_class":"ORKCurrencyAnswerFormat","currencyCode":"EUR"})",
                  "12.5"}),
    [](const ::testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });

struct KeyboardCase {
    const char* name;
    QByteArray format;
    // Keys pressed one after the other; a text is typed as it is.
    QList<std::variant<Qt::Key, QString>> keys;
    QByteArray answer;
};

class AnswerWidgetsKeyboardTest : public ::testing::TestWithParam<KeyboardCase> {};

// Every widget is answered from the keyboard alone, starting where its focus starts.
TEST_P(AnswerWidgetsKeyboardTest, AnswersWithKeysAlone) {
    const auto format = answerFormat(GetParam().format);
    ASSERT_TRUE(format);
    const DebugConsole console([](const QString&) {});
    std::unique_ptr<AnswerWidget> widget(AnswerWidgets::make(*format, std::nullopt, console));
    widget->show();
    QApplication::setActiveWindow(widget.get());
    widget->setFocus(Qt::TabFocusReason);
    ASSERT_NE(QApplication::focusWidget(), nullptr);

    for (const auto& key : GetParam().keys) {
        if (const QString* text = std::get_if<QString>(&key)) {
            QTest::keyClicks(QApplication::focusWidget(), *text);
        } else {
            QTest::keyClick(QApplication::focusWidget(), std::get<Qt::Key>(key));
        }
    }

    const auto expected = QuestionAnswers::fromJson(*format, answerJson(GetParam().answer), u"q"_s);
    ASSERT_TRUE(expected.has_value());
    if (const auto location = expected->object<ORKLocation>()) {
        const auto typed = widget->answer().object<ORKLocation>();
        ASSERT_TRUE(typed);
        EXPECT_EQ(typed->coordinate, location->coordinate);
        return;
    }
    EXPECT_EQ(widget->answer(), *expected)
        << stringValue(widget->answer()).value_or(u"nothing"_s).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfWidget, AnswerWidgetsKeyboardTest,
    ::testing::Values(
        KeyboardCase{"Text", R"({"_class":"ORKTextAnswerFormat"})", {u"Ada"_s}, R"("Ada")"},
        KeyboardCase{"SingleChoice",
                     R"({"_class":"ORKTextChoiceAnswerFormat",
            "style":"singleChoice","textChoices":[
              {"_class":"ORKTextChoice","text":"A","value":"a"},
              {"_class":"ORKTextChoice","text":"B","value":"b"}]})",
                     {Qt::Key_Down, Qt::Key_Space},
                     R"("b")"},
        KeyboardCase{"Boolean", R"({"_class":"ORKBooleanAnswerFormat"})", {Qt::Key_Space}, "true"},
        KeyboardCase{
            "Integer", R"({"_class":"ORKNumericAnswerFormat","style":"integer"})", {u"42"_s}, "42"},
        KeyboardCase{"Scale",
                     R"({"_class":"ORKScaleAnswerFormat","minimum":1,"maximum":5,
            "step":1})",
                     {Qt::Key_Right, Qt::Key_Right},
                     "3"},
        KeyboardCase{"ContinuousScale",
                     R"({"_class":"ORKContinuousScaleAnswerFormat",
            "minimum":0,"maximum":1,"maximumFractionDigits":1})",
                     {Qt::Key_Right},
                     "0.1"},
        KeyboardCase{"TextScale",
                     R"({"_class":"ORKTextScaleAnswerFormat","textChoices":[
              {"_class":"ORKTextChoice","text":"Low","value":"low"},
              {"_class":"ORKTextChoice","text":"High","value":"high"}]})",
                     {Qt::Key_Right},
                     R"("high")"},
        KeyboardCase{"ValuePicker",
                     R"({"_class":"ORKValuePickerAnswerFormat","textChoices":[
              {"_class":"ORKTextChoice","text":"Canada","value":"CA"},
              {"_class":"ORKTextChoice","text":"Japan","value":"JP"}]})",
                     {Qt::Key_Down, Qt::Key_Down},
                     R"("JP")"},
        KeyboardCase{"ImageChoice",
                     R"({"_class":"ORKImageChoiceAnswerFormat",
            "style":"singleChoice","imageChoices":[
              {"_class":"ORKImageChoice","text":"Circle","value":"circle"}]})",
                     {Qt::Key_Space},
                     R"("circle")"},
        KeyboardCase{"TimeInterval",
                     R"({"_class":"ORKTimeIntervalAnswerFormat","step":5})",
                     {Qt::Key_Up, Qt::Key_Tab, Qt::Key_Up},
                     "3900"},
        KeyboardCase{"MultipleValuePicker",
                     R"({"_class":"ORKMultipleValuePickerAnswerFormat",
            "valuePickers":[
              {"_class":"ORKValuePickerAnswerFormat","textChoices":[
                {"_class":"ORKTextChoice","text":"S","value":"S"}]},
              {"_class":"ORKValuePickerAnswerFormat","textChoices":[
                {"_class":"ORKTextChoice","text":"Black","value":"black"}]}]})",
                     {Qt::Key_Down, Qt::Key_Tab, Qt::Key_Down},
                     R"(["S","black"])"},
        KeyboardCase{"Height",
                     R"({"_class":"ORKHeightAnswerFormat","measurementSystem":"metric"})",
                     {u"172"_s},
                     "172"},
        KeyboardCase{
            "Ses", R"({"_class":"ORKSESAnswerFormat"})", {Qt::Key_Down, Qt::Key_Space}, "9"},
        KeyboardCase{"Currency",
                     R"({"_class":"ORKCurrencyAnswerFormat","currencyCode":"EUR"})",
                     {u"12.5"_s},
                     "12.5"},
        KeyboardCase{"Location",
                     R"({"_class":"ORKLocationAnswerFormat"})",
                     {u"Paris"_s, Qt::Key_Tab, u"48.85"_s, Qt::Key_Tab, u"2.35"_s},
                     R"({"latitude":48.85,"longitude":2.35})"}),
    [](const ::testing::TestParamInfo<KeyboardCase>& info) {
        return std::string(info.param.name);
    });

TEST(AnswerWidgetsTest, ChoicesAndPickersAnswerWithTheirOwnControls) {
    const DebugConsole console([](const QString&) {});
    const auto picker = answerFormat(R"({"_class":"ORKValuePickerAnswerFormat","textChoices":[
        {"_class":"ORKTextChoice","text":"Canada","value":"CA"},
        {"_class":"ORKTextChoice","text":"Japan","value":"JP"}]})");
    std::unique_ptr<AnswerWidget> pickerWidget(AnswerWidgets::make(*picker, {}, console));
    auto* box = pickerWidget->findChild<QComboBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->itemText(0), u"Select"_s);
    EXPECT_FALSE(pickerWidget->isAnswered());
    box->setCurrentIndex(2);
    EXPECT_EQ(pickerWidget->answer(), Value(Value::Array{u"JP"_s}));

    const auto images = answerFormat(R"({"_class":"ORKImageChoiceAnswerFormat",
        "style":"singleChoice","imageChoices":[
            {"_class":"ORKImageChoice","text":"Circle","value":"circle"},
            {"_class":"ORKImageChoice","text":"Star","value":"star"}]})");
    std::unique_ptr<AnswerWidget> imageWidget(AnswerWidgets::make(*images, {}, console));
    const QList<QToolButton*> buttons = imageWidget->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    buttons[0]->click();
    buttons[1]->click();
    EXPECT_EQ(imageWidget->answer(), Value(Value::Array{u"star"_s})) << "one choice at a time";

    const auto interval = answerFormat(R"({"_class":"ORKTimeIntervalAnswerFormat","step":15})");
    std::unique_ptr<AnswerWidget> intervalWidget(AnswerWidgets::make(*interval, {}, console));
    EXPECT_FALSE(intervalWidget->isAnswered());
    auto* minutes = intervalWidget->findChild<QSpinBox*>(u"answerMinutes"_s);
    ASSERT_NE(minutes, nullptr);
    QTest::keyClick(minutes, Qt::Key_Up);
    EXPECT_EQ(intervalWidget->answer(), Value(qint64(15 * 60)));
}

TEST(AnswerWidgetsTest, ALocationIsEnteredByHand) {
    QStringList lines;
    const DebugConsole console([&](const QString& line) { lines.append(line); });
    const auto format =
        answerFormat(R"({"_class":"ORKLocationAnswerFormat","useCurrentLocation":true})");
    std::unique_ptr<AnswerWidget> widget(AnswerWidgets::make(*format, {}, console));
    EXPECT_EQ(lines.size(), 1) << "no positioning service, said once";
    const auto given = QuestionAnswers::fromJson(
        *format, answerJson(R"({"latitude":48.8566,"longitude":2.3522,"address":"Paris"})"),
        u"q"_s);
    ASSERT_TRUE(given.has_value());

    widget->setAnswer(*given);

    const auto location = widget->answer().object<ORKLocation>();
    ASSERT_TRUE(location);
    EXPECT_DOUBLE_EQ(location->coordinate.latitude, 48.8566);
    EXPECT_DOUBLE_EQ(location->coordinate.longitude, 2.3522);
    ASSERT_TRUE(location->postalAddress);
    EXPECT_EQ(location->postalAddress->street, u"Paris"_s);
    auto* latitude = widget->findChild<QLineEdit*>(u"answerLatitude"_s);
    latitude->clear();
    QTest::keyClicks(latitude, u"95"_s);
    EXPECT_TRUE(widget->validationMessage().has_value()) << "a latitude beyond 90 is refused";
}

TEST(AnswerWidgetsTest, FormatsWithNothingToChooseFromTakeNoAnswerAndSaySo) {
    QStringList lines;
    const DebugConsole console([&](const QString& line) { lines.append(line); });
    for (const QByteArray& json :
         {QByteArray(R"({"_class":"ORKTextChoiceAnswerFormat","style":"singleChoice",
                         "textChoices":[]})"),
          QByteArray(R"({"_class":"ORKValuePickerAnswerFormat","textChoices":[]})"),
          QByteArray(R"({"_class":"ORKTextScaleAnswerFormat","textChoices":[]})"),
          QByteArray(R"({"_class":"ORKImageChoiceAnswerFormat","style":"singleChoice",
                         "imageChoices":[]})"),
          QByteArray(R"({"_class":"ORKMultipleValuePickerAnswerFormat","valuePickers":[]})")}) {
        SCOPED_TRACE(json.toStdString());
        lines.clear();
        const auto format = answerFormat(json);
        std::unique_ptr<AnswerWidget> widget(AnswerWidgets::make(*format, {}, console));
        EXPECT_FALSE(widget->takesAnswers());
        EXPECT_EQ(lines.size(), 1);
    }
}

}  // namespace
}  // namespace pathloom
