#include "EventLoop.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "run/QuestionAnswers.h"
#include "run/WorkflowRunner.h"
#include "screens/AlertDialog.h"
#include "screens/AlertObserver.h"
#include "serialization/ORKESerializer.h"
#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKFormStep.h"
#include "taskmodel/ORKImageCaptureStep.h"
#include "taskmodel/ORKNavigableOrderedTask.h"
#include "taskmodel/ORKQuestionResult.h"
#include "taskmodel/ORKQuestionStep.h"
#include "taskmodel/ORKSignatureStep.h"
#include "taskmodel/ORKStepResult.h"
#include "taskmodel/ORKTableStep.h"
#include "taskmodel/ORKVideoCaptureStep.h"
#include "taskmodel/ORKVideoInstructionStep.h"
#include "taskmodel/ORKWaitStep.h"
#include "taskscreens/ORKFormStepViewController.h"
#include "taskscreens/ORKImageCaptureStepViewController.h"
#include "taskscreens/ORKQuestionStepViewController.h"
#include "taskscreens/ORKSignatureStepViewController.h"
#include "taskscreens/ORKTableStepViewController.h"
#include "taskscreens/ORKTableView.h"
#include "taskscreens/ORKTaskViewController.h"
#include "taskscreens/ORKVideoCaptureStepViewController.h"
#include "taskscreens/SignaturePad.h"
#include "taskscreens/StepScreenFactory.h"
#include "taskscreens/answers/AnswerWidget.h"
#include "taskscreens/answers/ScaleAnswerWidget.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::runUntil;

std::shared_ptr<ORKAnswerFormat> answerFormat(const QByteArray& json) {
    const auto object = ORKESerializer::objectFromJSONObject(test::jsonObject(json));
    EXPECT_TRUE(object.has_value()) << json.toStdString();
    return object ? std::dynamic_pointer_cast<ORKAnswerFormat>(*object) : nullptr;
}

std::shared_ptr<ORKStep> question(const QString& identifier, const QByteArray& format,
                                  bool optional = false) {
    auto step = std::make_shared<ORKQuestionStep>(identifier);
    step->title = u"Question "_s + identifier;
    step->answerFormat = answerFormat(format);
    step->optional = optional;
    return step;
}

// Question and form screens in a shown task screen, as a person answers them.
class QuestionScreenTest : public ::testing::Test {
protected:
    QuestionScreenTest()
        : factory(
              DebugConsole([this](const QString& line) { consoleLines.append(line.trimmed()); })) {
        environment.session = std::make_shared<Session>();
        environment.outputDirectory = output.path();
    }

    void open(QList<std::shared_ptr<ORKStep>> steps) {
        task = std::make_unique<ORKTaskViewController>(
            Workflow{3, u"Questions"_s, std::nullopt,
                     std::make_shared<ORKNavigableOrderedTask>(u"questions"_s, std::move(steps))},
            environment, WorkflowRunner::Nesting::topLevel, factory);
        task->setDiscardable(true);
        task->resize(420, 760);
        task->show();
        QApplication::setActiveWindow(task.get());
        task->start();
        ASSERT_NE(task->currentStepViewController(), nullptr);
    }

    [[nodiscard]] ORKStepViewController& screen() const {
        return *task->currentStepViewController();
    }

    [[nodiscard]] bool canContinue() const { return screen().continueButtonItem()->isEnabled(); }

    [[nodiscard]] bool waitForStep(const QString& identifier) const {
        return runUntil([&] {
            return task->currentStepViewController() != nullptr &&
                   screen().step()->identifier == identifier;
        });
    }

    // The answer recorded for `result` when the step `step` was last left; no value for none.
    [[nodiscard]] Value recorded(const QString& step, const QString& result) const {
        const auto stepResult = task->runner()->lastResult(step);
        if (!stepResult) {
            return {};
        }
        for (const std::shared_ptr<ORKResult>& each : stepResult->results) {
            const auto answer = std::dynamic_pointer_cast<const ORKQuestionResult>(each);
            if (answer && answer->identifier == result) {
                return answer->answer;
            }
        }
        return {};
    }

    template <typename Widget>
    [[nodiscard]] Widget* child(const QString& name) const {
        for (Widget* widget : screen().findChildren<Widget*>(name)) {
            if (widget->isVisibleTo(task.get())) {
                return widget;
            }
        }
        return nullptr;
    }

    [[nodiscard]] QString message() const {
        const QLabel* label = child<QLabel>(u"validationMessage"_s);
        return label != nullptr ? label->text() : QString();
    }

    void type(const QString& fieldName, const QString& text) const {
        auto* field = child<QLineEdit>(fieldName);
        ASSERT_NE(field, nullptr) << fieldName.toStdString();
        field->clear();
        QTest::keyClicks(field, text);
    }

    void pressContinue() const { QTest::keyClick(task.get(), Qt::Key_Return); }

    QTemporaryDir output;
    WorkflowRunner::Environment environment;
    QStringList consoleLines;
    StepScreenFactory factory;
    std::unique_ptr<ORKTaskViewController> task;
};

TEST_F(QuestionScreenTest, ContinueWaitsForAnAnswerTheFormatAccepts) {
    const struct {
        QByteArray format;
        QString field;
        QString refused;
        QString message;
        QString accepted;
    } cases[] = {
        {R"({"_class":"ORKNumericAnswerFormat","style":"integer","minimum":1,"maximum":12})",
         u"answerNumber"_s, u"20"_s, u"Enter a number from 1 to 12."_s, u"5"_s},
        {R"({"_class":"ORKTextAnswerFormat","validationRegularExpression":{"pattern":"^[0-9]{4}$","options":[]},
             "invalidMessage":"Four digits, please."})",
         u"answerText"_s, u"12a"_s, u"Four digits, please."_s, u"1234"_s},
        {R"({"_class":"ORKEmailAnswerFormat"})", u"answerText"_s, u"nobody"_s,
         u"Enter a valid email address."_s, u"ada@example.com"_s},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.format.toStdString());
        open({question(u"q"_s, each.format)});
        EXPECT_FALSE(canContinue()) << "a required question starts without an answer";

        type(each.field, each.refused);
        EXPECT_FALSE(canContinue());
        EXPECT_EQ(message(), each.message);

        type(each.field, each.accepted);
        EXPECT_TRUE(canContinue());
        EXPECT_TRUE(message().isEmpty());
    }
}

TEST_F(QuestionScreenTest, NumbersTakeOnlyWhatTheirStyleAllowsAsTheyAreTyped) {
    const struct {
        QByteArray format;
        QString typed;
        QString shown;
        Value answer;
    } cases[] = {
        {R"({"_class":"ORKNumericAnswerFormat","style":"integer"})", u"3.5"_s, u"35"_s,
         Value(qint64(35))},
        {R"({"_class":"ORKNumericAnswerFormat","style":"decimal","maximumFractionDigits":1})",
         u"7.25"_s, u"7.2"_s, Value(7.2)},
        {R"({"_class":"ORKNumericAnswerFormat","style":"decimal"})", u"-0.125"_s, u"-0.125"_s,
         Value(-0.125)},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.typed.toStdString());
        open({question(u"n"_s, each.format)});
        type(u"answerNumber"_s, each.typed);
        EXPECT_EQ(child<QLineEdit>(u"answerNumber"_s)->text(), each.shown);
        EXPECT_EQ(static_cast<ORKQuestionStepViewController&>(screen()).answer(), each.answer);
    }
}

TEST_F(QuestionScreenTest, AnExclusiveChoiceClearsTheOthersAndIsClearedByThem) {
    open({question(u"pets"_s, R"({"_class":"ORKTextChoiceAnswerFormat","style":"multipleChoice",
        "textChoices":[{"_class":"ORKTextChoice","text":"Cat","value":"cat"},
                       {"_class":"ORKTextChoice","text":"Dog","value":"dog"},
                       {"_class":"ORKTextChoice","text":"None","value":"none","exclusive":true}]})")});
    auto& shown = static_cast<ORKQuestionStepViewController&>(screen());
    const auto click = [&](int index) {
        QTest::mouseClick(child<QAbstractButton>(u"choice:%1"_s.arg(index)), Qt::LeftButton);
    };

    click(0);
    click(1);
    EXPECT_EQ(shown.answer(), Value(Value::Array{u"cat"_s, u"dog"_s}));
    click(2);
    EXPECT_EQ(shown.answer(), Value(Value::Array{u"none"_s}));
    click(0);
    EXPECT_EQ(shown.answer(), Value(Value::Array{u"cat"_s}));
    click(0);
    EXPECT_TRUE(shown.answer().isNone());
    EXPECT_FALSE(canContinue());
}

TEST_F(QuestionScreenTest, AScaleWithABadStepOrRangeStepsByOneAndSaysSo) {
    const struct {
        QByteArray format;
        int positions;
        QString line;
    } cases[] = {
        {R"({"_class":"ORKScaleAnswerFormat","minimum":1,"maximum":5,"step":0})", 4,
         u"The scale's step 0 is not positive; it steps by 1"_s},
        {R"({"_class":"ORKScaleAnswerFormat","minimum":9,"maximum":3,"step":1})", 6,
         u"The scale's minimum 9 is above its maximum 3; they are swapped"_s},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.line.toStdString());
        consoleLines.clear();
        open({question(u"s"_s, each.format)});
        auto* slider = child<QSlider>(u"answerScale"_s);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->maximum() - slider->minimum(), each.positions);
        EXPECT_TRUE(consoleLines.contains(u"\"%1\""_s.arg(each.line)))
            << consoleLines.join(u'\n').toStdString();
        EXPECT_FALSE(canContinue()) << "no default: nothing is answered until the slider moves";
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        EXPECT_TRUE(canContinue());
    }
}

TEST_F(QuestionScreenTest, AChoiceQuestionWithoutChoicesGoesOnWithoutAnAnswer) {
    open({question(u"empty"_s, R"({"_class":"ORKTextChoiceAnswerFormat","style":"singleChoice",
                                   "textChoices":[]})"),
          question(u"after"_s, R"({"_class":"ORKBooleanAnswerFormat"})")});
    EXPECT_TRUE(canContinue());

    pressContinue();

    ASSERT_TRUE(waitForStep(u"after"_s));
    EXPECT_TRUE(recorded(u"empty"_s, u"empty"_s).isNone());
    EXPECT_EQ(consoleLines.size(), 1);
}

TEST_F(QuestionScreenTest, IDontKnowRecordsTheSharedAnswerUntilAnAnswerIsGiven) {
    open({question(u"people"_s, R"({"_class":"ORKNumericAnswerFormat","style":"integer",
                                    "showDontKnowButton":true,
                                    "customDontKnowButtonText":"Not sure"})"),
          question(u"after"_s, R"({"_class":"ORKBooleanAnswerFormat"})")});
    auto* dontKnow = child<QAbstractButton>(u"dontKnow"_s);
    ASSERT_NE(dontKnow, nullptr);
    EXPECT_EQ(dontKnow->text(), u"Not sure"_s);

    QTest::mouseClick(dontKnow, Qt::LeftButton);
    EXPECT_TRUE(canContinue());
    type(u"answerNumber"_s, u"4"_s);
    EXPECT_FALSE(dontKnow->isChecked()) << "typing takes the place of not knowing";
    QTest::mouseClick(dontKnow, Qt::LeftButton);
    EXPECT_TRUE(child<QLineEdit>(u"answerNumber"_s)->text().isEmpty());
    pressContinue();

    ASSERT_TRUE(waitForStep(u"after"_s));
    EXPECT_EQ(recorded(u"people"_s, u"people"_s), QuestionAnswers::dontKnowAnswer());
}

TEST_F(QuestionScreenTest, GoingBackShowsWhatWasAnswered) {
    auto form = std::make_shared<ORKFormStep>(u"contact"_s);
    form->formItems = {std::make_shared<ORKFormItem>(
        u"phone"_s, u"Phone"_s, answerFormat(R"({"_class":"ORKTextAnswerFormat"})"))};
    open({question(u"name"_s, R"({"_class":"ORKTextAnswerFormat"})"), form,
          question(u"last"_s, R"({"_class":"ORKBooleanAnswerFormat"})")});
    type(u"answerText"_s, u"Ada"_s);
    pressContinue();
    ASSERT_TRUE(waitForStep(u"contact"_s));
    type(u"answerText"_s, u"555 0100"_s);
    pressContinue();
    ASSERT_TRUE(waitForStep(u"last"_s));

    screen().goBackward();
    ASSERT_TRUE(waitForStep(u"contact"_s));
    EXPECT_EQ(child<QLineEdit>(u"answerText"_s)->text(), u"555 0100"_s);
    screen().goBackward();
    ASSERT_TRUE(waitForStep(u"name"_s));
    EXPECT_EQ(child<QLineEdit>(u"answerText"_s)->text(), u"Ada"_s);
    EXPECT_TRUE(canContinue());
}

TEST_F(QuestionScreenTest, AFormWaitsForEveryRequiredItemAndRecordsEachAnsweredOne) {
    auto form = std::make_shared<ORKFormStep>(u"contact"_s);
    form->formItems = {
        std::make_shared<ORKFormItem>(u"header"_s, u"Who to call"_s, nullptr),
        std::make_shared<ORKFormItem>(u"name"_s, u"Name"_s,
                                      answerFormat(R"({"_class":"ORKTextAnswerFormat"})")),
        std::make_shared<ORKFormItem>(
            u"age"_s, u"Age"_s,
            answerFormat(R"({"_class":"ORKNumericAnswerFormat","style":"integer","maximum":130})")),
        std::make_shared<ORKFormItem>(u"mail"_s, u"E-mail"_s,
                                      answerFormat(R"({"_class":"ORKEmailAnswerFormat"})")),
    };
    form->formItems[3]->optional = true;
    open({form, question(u"last"_s, R"({"_class":"ORKBooleanAnswerFormat"})")});
    const auto typeInto = [&](const QString& item, const QString& text) {
        auto* widget = static_cast<ORKFormStepViewController&>(screen()).answerWidget(item);
        ASSERT_NE(widget, nullptr);
        auto* field = widget->findChild<QLineEdit*>();
        field->clear();
        QTest::keyClicks(field, text);
    };

    EXPECT_FALSE(canContinue());
    typeInto(u"name"_s, u"Grace"_s);
    EXPECT_FALSE(canContinue()) << "the age is required";
    typeInto(u"age"_s, u"200"_s);
    EXPECT_FALSE(canContinue());
    EXPECT_EQ(child<QLabel>(u"validationMessage:age"_s)->text(),
              u"Enter a number of at most 130."_s);
    typeInto(u"age"_s, u"45"_s);
    EXPECT_TRUE(canContinue()) << "the e-mail is optional";
    pressContinue();

    ASSERT_TRUE(waitForStep(u"last"_s));
    EXPECT_EQ(recorded(u"contact"_s, u"name"_s), Value(u"Grace"_s));
    EXPECT_EQ(recorded(u"contact"_s, u"age"_s), Value(qint64(45)));
    EXPECT_EQ(task->runner()->lastResult(u"contact"_s)->results.size(), 2);
}

TEST_F(QuestionScreenTest, TheKeyboardAloneAnswersAndContinues) {
    open({question(u"name"_s, R"({"_class":"ORKTextAnswerFormat"})"),
          question(u"ready"_s, R"({"_class":"ORKBooleanAnswerFormat"})"),
          question(u"mood"_s, R"({"_class":"ORKScaleAnswerFormat","minimum":1,"maximum":5,
                                  "step":1,"defaultValue":3})"),
          question(u"last"_s, R"({"_class":"ORKBooleanAnswerFormat"})")});

    const auto focused = [] { return QApplication::focusWidget(); };

    screen().setFocus();
    QTest::keyClicks(focused(), u"Ada"_s);
    QTest::keyClick(focused(), Qt::Key_Return);
    ASSERT_TRUE(waitForStep(u"ready"_s));
    screen().setFocus();
    QTest::keyClick(focused(), Qt::Key_Space);
    QTest::keyClick(focused(), Qt::Key_Return);
    ASSERT_TRUE(waitForStep(u"mood"_s));
    screen().setFocus();
    QTest::keyClick(focused(), Qt::Key_Right);
    QTest::keyClick(focused(), Qt::Key_Return);
    ASSERT_TRUE(waitForStep(u"last"_s));

    EXPECT_EQ(recorded(u"name"_s, u"name"_s), Value(u"Ada"_s));
    EXPECT_EQ(recorded(u"ready"_s, u"ready"_s), Value(true));
    EXPECT_EQ(recorded(u"mood"_s, u"mood"_s), Value(qint64(4)));
}

// The file result that the step `step` recorded when it was last left.
std::shared_ptr<const ORKFileResult> fileResult(const ORKTaskViewController& task,
                                                const QString& step) {
    const auto stepResult = task.runner()->lastResult(step);
    return stepResult && !stepResult->results.isEmpty()
               ? std::dynamic_pointer_cast<const ORKFileResult>(stepResult->results.first())
               : nullptr;
}

TEST_F(QuestionScreenTest, APhotoIsChosenFromAFileAndStoredWhenUsed) {
    auto capture = std::make_shared<ORKImageCaptureStep>(u"photo"_s);
    capture->title = u"Photograph the door"_s;
    open({capture, question(u"last"_s, R"({"_class":"ORKBooleanAnswerFormat"})")});
    auto& screen = static_cast<ORKImageCaptureStepViewController&>(this->screen());
    QSignalSpy alerts(&AlertDialog::observer(), &AlertObserver::shown);
    const QString notAPicture = output.filePath(u"notes.png"_s);
    ASSERT_TRUE(test::writeFile(notAPicture, "plain words"));
    const QString picture = output.filePath(u"door.png"_s);
    ASSERT_TRUE(QImage(QSize(64, 48), QImage::Format_RGB32).save(picture));
    EXPECT_EQ(screen.continueButtonItem()->text(), u"Use Photo"_s);
    EXPECT_FALSE(canContinue());

    EXPECT_FALSE(screen.useFile(notAPicture));
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_EQ(alerts.first().at(1).toString(), u"This file is not a picture."_s);
    EXPECT_FALSE(canContinue());
    EXPECT_TRUE(screen.useFile(picture));
    EXPECT_TRUE(canContinue());
    EXPECT_TRUE(child<QAbstractButton>(u"retake"_s) != nullptr);
    pressContinue();

    ASSERT_TRUE(waitForStep(u"last"_s));
    const auto stored = fileResult(*task, u"photo"_s);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->contentType, u"image/png"_s);
    EXPECT_TRUE(stored->fileURL->toLocalFile().startsWith(output.path()));
    EXPECT_EQ(QImage(stored->fileURL->toLocalFile()).size(), QSize(64, 48));
}

TEST_F(QuestionScreenTest, ASignatureIsDrawnAndRecordedAsAPngFile) {
    auto signature = std::make_shared<ORKSignatureStep>(u"sign"_s);
    open({signature, question(u"last"_s, R"({"_class":"ORKBooleanAnswerFormat"})")});
    auto& pad = static_cast<ORKSignatureStepViewController&>(screen()).pad();
    EXPECT_FALSE(canContinue());
    const auto stroke = [&pad] {
        QTest::mousePress(&pad, Qt::LeftButton, {}, QPoint(20, 40));
        QMouseEvent move(QEvent::MouseMove, QPointF(120, 80), pad.mapToGlobal(QPointF(120, 80)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&pad, &move);
        QTest::mouseRelease(&pad, Qt::LeftButton, {}, QPoint(120, 80));
    };

    stroke();
    EXPECT_TRUE(canContinue());
    QTest::mouseClick(child<QAbstractButton>(u"clearSignature"_s), Qt::LeftButton);
    EXPECT_FALSE(canContinue());
    stroke();
    pressContinue();

    ASSERT_TRUE(waitForStep(u"last"_s));
    const auto stored = fileResult(*task, u"sign"_s);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->contentType, u"image/png"_s);
    const QImage drawn(stored->fileURL->toLocalFile());
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn.pixelColor(70, 60).black() > 128, true) << "the stroke is in the picture";
}

TEST_F(QuestionScreenTest, AVideoIsChosenFromAFileAndStoredAsItIs) {
    auto capture = std::make_shared<ORKVideoCaptureStep>(u"clip"_s);
    open({capture, question(u"last"_s, R"({"_class":"ORKBooleanAnswerFormat"})")});
    auto& screen = static_cast<ORKVideoCaptureStepViewController&>(this->screen());
    QSignalSpy alerts(&AlertDialog::observer(), &AlertObserver::shown);
    const QString clip = output.filePath(u"walk.mp4"_s);
    ASSERT_TRUE(test::writeFile(clip, "not really a video, but a file all the same"));
    EXPECT_FALSE(canContinue());

    EXPECT_FALSE(screen.useFile(output.filePath(u"missing.mp4"_s)));
    EXPECT_EQ(alerts.size(), 1);
    EXPECT_TRUE(screen.useFile(clip));
    EXPECT_TRUE(canContinue());
    pressContinue();

    ASSERT_TRUE(waitForStep(u"last"_s));
    const auto stored = fileResult(*task, u"clip"_s);
    ASSERT_TRUE(stored);
    EXPECT_EQ(test::readFile(stored->fileURL->toLocalFile()),
              QByteArray("not really a video, but a file all the same"));
}

TEST_F(QuestionScreenTest, PlugInWaitTableAndVideoInstructionStepsShowTheirContent) {
    auto wait = std::make_shared<ORKWaitStep>(u"wait"_s);
    wait->title = u"Uploading"_s;
    open({wait});
    EXPECT_STREQ(screen().metaObject()->className(), "pathloom::ORKWaitStepViewController");
    EXPECT_TRUE(screen().isNavigationFooterHidden()) << "what it waits for moves on";
    EXPECT_NE(child<QWidget>(u"progress"_s), nullptr);

    auto table = std::make_shared<ORKTableStep>(u"table"_s);
    table->items = {Value(u"Apples"_s), Value(qint64(3))};
    table->isBulleted = true;
    open({table});
    auto& rows = static_cast<ORKTableStepViewController&>(screen()).tableView();
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(qobject_cast<QLabel*>(rows.cellForRow(0))->text(), u"\u2022  Apples"_s);
    EXPECT_EQ(qobject_cast<QLabel*>(rows.cellForRow(1))->text(), u"\u2022  3"_s);

    auto video = std::make_shared<ORKVideoInstructionStep>(u"video"_s);
    video->videoURL = QUrl(u"https://videos.example/how-to.mp4"_s);
    open({video});
    EXPECT_NE(child<QAbstractButton>(u"playVideo"_s), nullptr);
    EXPECT_TRUE(child<QAbstractButton>(u"playVideo"_s)->accessibleName() == u"Play video"_s);
}

}  // namespace
}  // namespace pathloom
