#include "EventLoop.h"
#include "EventNames.h"
#include "QtPrinting.h"
#include "platform/Theme.h"
#include "run/WorkflowRunner.h"
#include "taskmodel/ORKBodyItem.h"
#include "taskmodel/ORKCompletionStep.h"
#include "taskmodel/ORKInstructionStep.h"
#include "taskmodel/ORKNavigableOrderedTask.h"
#include "taskmodel/ORKQuestionStep.h"
#include "taskmodel/ORKTextQuestionResult.h"
#include "taskscreens/NavigationBar.h"
#include "taskscreens/ORKCompletionCheckmarkView.h"
#include "taskscreens/ORKCompletionStepViewController.h"
#include "taskscreens/ORKContinueButton.h"
#include "taskscreens/ORKInstructionStepViewController.h"
#include "taskscreens/ORKNavigationContainerView.h"
#include "taskscreens/ORKTaskViewController.h"
#include "taskscreens/ORKTaskViewControllerDelegate.h"
#include "taskscreens/StepImageView.h"
#include "taskscreens/StepScreenFactory.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::EventNames;
using test::runUntil;
using Reason = ORKTaskViewControllerFinishReason;
using Direction = ORKStepViewControllerNavigationDirection;

// Writes down how each run ended and lets a test adjust every step screen as it appears, as the
// root does.
class RecordingTaskDelegate final : public ORKTaskViewControllerDelegate {
public:
    void taskViewControllerDidFinish(ORKTaskViewController&, Reason reason,
                                     const std::optional<Error>&) override {
        reasons.append(reason);
        if (didFinish) {
            didFinish();
        }
    }
    void taskViewControllerStepWillAppear(ORKTaskViewController& task,
                                          ORKStepViewController& step) override {
        if (stepWillAppear) {
            stepWillAppear(task, step);
        }
    }
    void taskViewControllerStepWillDisappear(ORKTaskViewController&, ORKStepViewController& step,
                                             Direction direction) override {
        disappeared.append((direction == Direction::forward ? u""_s : u"back "_s) +
                           step.step()->identifier);
    }

    QList<Reason> reasons;
    QStringList disappeared;
    std::function<void(ORKTaskViewController&, ORKStepViewController&)> stepWillAppear;
    std::function<void()> didFinish;
};

// An instruction screen that answers as a question screen would: a text result under the step's
// identifier, added when the step is left either way.
class AnsweringScreen final : public ORKInstructionStepViewController {
public:
    using ORKInstructionStepViewController::ORKInstructionStepViewController;

protected:
    void willLeave(Direction) override {
        auto answer = std::make_shared<ORKTextQuestionResult>(step()->identifier);
        answer->answer = Value(u"answer of "_s + step()->identifier);
        addResult(std::move(answer));
    }
};

// An instruction screen that writes down the appearance calls it hears, with its step.
class AppearanceRecordingScreen final : public ORKInstructionStepViewController {
public:
    AppearanceRecordingScreen(const std::shared_ptr<ORKStep>& step, ORKTaskViewController& task,
                              QStringList& calls)
        : ORKInstructionStepViewController(step, task), m_calls(calls) {}

    void viewWillAppear() override { record(u"will appear"_s); }
    void viewDidAppear() override { record(u"did appear"_s); }
    void viewWillDisappear() override { record(u"will disappear"_s); }

private:
    void record(const QString& call) { m_calls.append(step()->identifier + u' ' + call); }

    QStringList& m_calls;
};

// A step class of a host's plug-in, which no screen knows.
class PluginStep final : public ORKStep {
public:
    using ORKStep::ORKStep;
};

template <typename Step = ORKInstructionStep>
std::shared_ptr<Step> makeStep(const QString& identifier, bool optional = false) {
    auto step = std::make_shared<Step>(identifier);
    step->title = u"Title of "_s + identifier;
    step->text = u"Text of "_s + identifier;
    step->optional = optional;
    return step;
}

Workflow workflowOf(QList<std::shared_ptr<ORKStep>> steps) {
    return {7, u"Walk"_s, std::nullopt,
            std::make_shared<ORKNavigableOrderedTask>(u"walk"_s, std::move(steps))};
}

class TaskScreenTest : public ::testing::Test {
protected:
    TaskScreenTest()
        : factory(
              DebugConsole([this](const QString& line) { consoleLines.append(line.trimmed()); })) {
        environment.analytics = Analytics({events});
        environment.session = std::make_shared<Session>();
    }

    ~TaskScreenTest() override {
        if (::testing::Test::HasFailure() && task) {
            const QString path =
                QDir::temp().filePath(u"TaskScreenTest-%1.png"_s.arg(QString::fromUtf8(
                    ::testing::UnitTest::GetInstance()->current_test_info()->name())));
            task->window()->grab().save(path);
            std::cerr << "screen at failure: " << path.toStdString() << '\n';
        }
    }

    // Makes the instruction steps answer in willLeave.
    void answerInstructionSteps() {
        factory.registerKind(StepKind::instruction,
                             [](const std::shared_ptr<ORKStep>& step, ORKTaskViewController& task) {
                                 return new AnsweringScreen(step, task);
                             });
    }

    // Opens `workflow` in a shown task screen and waits for its first step.
    void open(const Workflow& workflow, bool discardable = false) {
        task = std::make_unique<ORKTaskViewController>(workflow, environment,
                                                       WorkflowRunner::Nesting::topLevel, factory);
        task->setDelegate(&delegate);
        task->setDiscardable(discardable);
        task->resize(420, 760);
        task->show();
        finished = std::make_unique<QSignalSpy>(task.get(), &ORKTaskViewController::finished);
        task->start();
        ASSERT_TRUE(task->currentStepViewController());
    }

    [[nodiscard]] QString currentStep() const {
        const ORKStepViewController* screen = task->currentStepViewController();
        return screen ? screen->step()->identifier : QString();
    }

    [[nodiscard]] bool waitForStep(const QString& identifier) const {
        return runUntil([&] { return currentStep() == identifier; });
    }

    [[nodiscard]] bool waitForEnd() const {
        return runUntil([&] { return !delegate.reasons.isEmpty(); });
    }

    template <typename Widget = QAbstractButton>
    [[nodiscard]] Widget* find(const QString& objectName) const {
        const QList<Widget*> found = task->findChildren<Widget*>(objectName);
        // A replaced step screen lingers until it is deleted; only the shown one counts.
        for (Widget* widget : found) {
            if (widget->isVisibleTo(task.get())) {
                return widget;
            }
        }
        return found.isEmpty() ? nullptr : found.first();
    }

    [[nodiscard]] bool isShown(const QString& objectName) const {
        const QWidget* widget = find<QWidget>(objectName);
        return widget && widget->isVisibleTo(task.get());
    }

    void click(const QString& objectName) const {
        QAbstractButton* button = find(objectName);
        ASSERT_TRUE(button) << objectName.toStdString();
        ASSERT_TRUE(button->isVisibleTo(task.get())) << objectName.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    [[nodiscard]] QString continueTitle() const { return find(u"continueButton"_s)->text(); }

    std::shared_ptr<EventNames> events = std::make_shared<EventNames>();
    WorkflowRunner::Environment environment;
    QStringList consoleLines;
    StepScreenFactory factory;
    RecordingTaskDelegate delegate;
    std::unique_ptr<ORKTaskViewController> task;
    std::unique_ptr<QSignalSpy> finished;
};

TEST_F(TaskScreenTest, TheFooterReadsNextUntilTheLastStepThenDoneAndDoneCompletesTheTask) {
    open(workflowOf({makeStep(u"a"_s), makeStep(u"b"_s), makeStep(u"c"_s)}));

    for (const auto& [step, title] : {std::pair{u"a"_s, u"Next"_s}, std::pair{u"b"_s, u"Next"_s},
                                      std::pair{u"c"_s, u"Done"_s}}) {
        ASSERT_TRUE(waitForStep(step));
        EXPECT_EQ(continueTitle(), title) << step.toStdString();
        EXPECT_EQ(task->navigationBar().title(), u"Title of "_s + step);
        EXPECT_FALSE(isShown(u"skipButton"_s)) << "no step is optional";
        click(u"continueButton"_s);
    }

    ASSERT_TRUE(waitForEnd());
    QCoreApplication::processEvents();
    EXPECT_EQ(delegate.reasons, QList<Reason>{Reason::completed});
    ASSERT_EQ(finished->size(), 1);
    EXPECT_EQ(finished->first().first().value<Reason>(), Reason::completed);
    EXPECT_EQ(delegate.disappeared, (QStringList{u"a"_s, u"b"_s, u"c"_s}));
}

TEST_F(TaskScreenTest, AnOptionalStepOffersSkipWhichLeavesWithoutItsAnswer) {
    answerInstructionSteps();
    open(workflowOf({makeStep(u"a"_s, true), makeStep(u"b"_s)}));
    EXPECT_TRUE(isShown(u"skipButton"_s));
    EXPECT_EQ(find(u"skipButton"_s)->text(), u"Skip"_s);

    click(u"skipButton"_s);
    ASSERT_TRUE(waitForStep(u"b"_s));
    EXPECT_FALSE(isShown(u"skipButton"_s));
    EXPECT_FALSE(environment.session->valueProviders().contains(u"a"_s));
    const auto skipped = task->runner()->lastResult(u"a"_s);
    ASSERT_TRUE(skipped);
    EXPECT_TRUE(skipped->results.isEmpty());

    // The same step left with continue does record its answer.
    click(u"backButton"_s);
    ASSERT_TRUE(waitForStep(u"a"_s));
    click(u"continueButton"_s);
    ASSERT_TRUE(waitForStep(u"b"_s));
    EXPECT_EQ(environment.session->value(u"a.answer"_s), Value(u"answer of a"_s));
}

TEST_F(TaskScreenTest, BackReturnsToThePreviousStepAndTheAnswersLeftBehindReachTheSession) {
    answerInstructionSteps();
    open(workflowOf({makeStep(u"a"_s), makeStep(u"b"_s), makeStep(u"c"_s)}));
    EXPECT_FALSE(isShown(u"backButton"_s)) << "nothing comes before the first step";

    click(u"continueButton"_s);
    ASSERT_TRUE(waitForStep(u"b"_s));
    EXPECT_TRUE(isShown(u"backButton"_s));
    EXPECT_EQ(find(u"backButton"_s)->accessibleName(), u"Back"_s);
    click(u"backButton"_s);
    ASSERT_TRUE(waitForStep(u"a"_s));

    EXPECT_EQ(environment.session->value(u"b.answer"_s), Value(u"answer of b"_s));
    EXPECT_EQ(delegate.disappeared, (QStringList{u"a"_s, u"back b"_s}));
    EXPECT_FALSE(isShown(u"backButton"_s));
    // The screen left behind goes with deleteLater(); only one step screen stays.
    ASSERT_TRUE(runUntil([&] { return task->findChildren<ORKStepViewController*>().size() == 1; }));
}

TEST_F(TaskScreenTest, CancelIsShownOnlyForADiscardableTaskAndEndsItDiscardedOnce) {
    for (const bool discardable : {false, true}) {
        SCOPED_TRACE(discardable);
        delegate.reasons.clear();
        open(workflowOf({makeStep(u"a"_s), makeStep(u"b"_s)}), discardable);
        ASSERT_EQ(isShown(u"cancelButton"_s), discardable);
        if (!discardable) {
            QTest::keyClick(task.get(), Qt::Key_Escape);
            QCoreApplication::processEvents();
            EXPECT_TRUE(delegate.reasons.isEmpty()) << "Escape cancels only where Cancel shows";
            continue;
        }
        EXPECT_EQ(find(u"cancelButton"_s)->text(), u"Cancel"_s);
        click(u"cancelButton"_s);
        EXPECT_FALSE(isShown(u"cancelButton"_s)) << "an ended task cannot be cancelled again";
        QTest::keyClick(task.get(), Qt::Key_Escape);
        task->finish(Reason::discarded);
        ASSERT_TRUE(waitForEnd());
        QCoreApplication::processEvents();
        EXPECT_EQ(delegate.reasons, QList<Reason>{Reason::discarded});
        EXPECT_EQ(finished->size(), 1);
        EXPECT_TRUE(environment.session->valueProviders().isEmpty());
    }
}

TEST_F(TaskScreenTest, ADelegateCanTakeAwayBackCancelAndTheFooterAsTheRootDoes) {
    delegate.stepWillAppear = [](ORKTaskViewController& task, ORKStepViewController& step) {
        step.disableButtonItemNavigation();
        if (!task.stepViewControllerHasNextStep(step)) {
            step.hideNavigationFooterView();
        }
    };
    open(workflowOf({makeStep(u"a"_s), makeStep(u"b"_s)}), true);
    EXPECT_FALSE(isShown(u"cancelButton"_s));
    EXPECT_TRUE(task->navigationBar().isVisible());

    click(u"continueButton"_s);
    ASSERT_TRUE(waitForStep(u"b"_s));
    ORKStepViewController* last = task->currentStepViewController();
    EXPECT_TRUE(last->isButtonItemNavigationDisabled());
    EXPECT_FALSE(isShown(u"backButton"_s));
    EXPECT_FALSE(isShown(u"cancelButton"_s));
    EXPECT_TRUE(last->isNavigationFooterHidden());
    EXPECT_FALSE(last->navigationFooterView()->isVisibleTo(task.get()));

    // Neither Return nor Escape gets round the hidden buttons.
    QTest::keyClick(task.get(), Qt::Key_Return);
    QTest::keyClick(task.get(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(currentStep(), u"b"_s);
    EXPECT_TRUE(delegate.reasons.isEmpty());
}

TEST_F(TaskScreenTest, AStepsRightHandActionShowsInTheBarUnderTheActionsName) {
    QAction more(u"More"_s);
    more.setObjectName(u"secondaryWorkflowsButton"_s);
    QSignalSpy triggered(&more, &QAction::triggered);
    delegate.stepWillAppear = [&](ORKTaskViewController&, ORKStepViewController& step) {
        step.navigationItem().setRightAction(&more);
    };
    open(workflowOf({makeStep(u"a"_s)}), true);

    QAbstractButton* button = find(u"secondaryWorkflowsButton"_s);
    ASSERT_TRUE(button);
    EXPECT_TRUE(isShown(u"secondaryWorkflowsButton"_s));
    EXPECT_EQ(button->accessibleName(), u"More"_s);
    click(u"secondaryWorkflowsButton"_s);
    EXPECT_EQ(triggered.size(), 1);

    more.setText(u"Other workflows"_s);
    EXPECT_EQ(button->accessibleName(), u"Other workflows"_s);
    task->currentStepViewController()->navigationItem().setRightAction(nullptr);
    EXPECT_FALSE(isShown(u"secondaryWorkflowsButton"_s));
    EXPECT_TRUE(isShown(u"cancelButton"_s));
}

TEST_F(TaskScreenTest, AStepScreenHearsOfItsAppearanceOnceEachTimeItReallyShows) {
    QStringList calls;
    factory.registerKind(StepKind::instruction,
                         [&](const std::shared_ptr<ORKStep>& step, ORKTaskViewController& task) {
                             return new AppearanceRecordingScreen(step, task, calls);
                         });
    open(workflowOf({makeStep(u"a"_s), makeStep(u"b"_s)}));
    // Presented after its first step was entered: that appearance is the step's own.
    task->viewWillAppear();
    task->viewDidAppear();
    // Covered by another screen and uncovered.
    task->viewWillDisappear();
    task->viewWillAppear();
    task->viewDidAppear();
    click(u"continueButton"_s);
    ASSERT_TRUE(waitForStep(u"b"_s));

    EXPECT_EQ(calls, (QStringList{u"a will appear"_s, u"a did appear"_s, u"a will disappear"_s,
                                  u"a will appear"_s, u"a did appear"_s, u"a will disappear"_s,
                                  u"b will appear"_s, u"b did appear"_s}));
}

TEST_F(TaskScreenTest, ADelegateMayDeleteTheTaskScreenWhenTheTaskEnds) {
    delegate.didFinish = [this] { task.reset(); };
    open(workflowOf({makeStep(u"a"_s)}));
    click(u"continueButton"_s);
    ASSERT_TRUE(runUntil([&] { return !task; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(delegate.reasons, QList<Reason>{Reason::completed});
}

TEST_F(TaskScreenTest, AStepWithoutAScreenShowsItsTitleAndTextAndSaysSoOnceOnTheConsole) {
    struct Case {
        std::shared_ptr<ORKStep> step;
        QString line;
    };
    const QList<Case> cases{
        {makeStep<PluginStep>(u"plugin"_s), u"No screen for ORKStep; shown as a plain step"_s},
        {makeStep<ORKQuestionStep>(u"question-without-format"_s),
         u"No screen for ORKQuestionStep; shown as a plain step"_s},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.step->identifier.toStdString());
        consoleLines.clear();
        open(workflowOf({each.step}));
        const ORKStepViewController* screen = task->currentStepViewController();
        EXPECT_STREQ(screen->metaObject()->className(), "pathloom::ORKStepViewController");
        QStringList texts;
        for (const QLabel* label : screen->findChildren<QLabel*>()) {
            texts.append(label->text());
        }
        EXPECT_EQ(texts, (QStringList{u"Title of "_s + each.step->identifier,
                                      u"Text of "_s + each.step->identifier}));
        EXPECT_EQ(consoleLines, QStringList{debugQuoted(each.line)});
        EXPECT_EQ(continueTitle(), u"Done"_s);
    }
}

TEST_F(TaskScreenTest, AKeyboardAloneWalksAnInstructionAndACompletionStep) {
    auto completion = makeStep<ORKCompletionStep>(u"done"_s);
    open(workflowOf({makeStep(u"intro"_s), completion}));
    QApplication::setActiveWindow(task.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(task.get()));

    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    ASSERT_TRUE(QApplication::focusWidget());
    press(Qt::Key_Return);
    ASSERT_TRUE(waitForStep(u"done"_s));
    EXPECT_TRUE(qobject_cast<ORKCompletionStepViewController*>(task->currentStepViewController()));
    EXPECT_TRUE(find<ORKCompletionCheckmarkView>(u"completionCheckmark"_s));
    EXPECT_EQ(continueTitle(), u"Done"_s);

    // Tab visits the controls in reading order: the bar, then the footer. A focused button
    // answers Return itself, so Return on Back goes back rather than on.
    QStringList visited;
    for (int i = 0; i < 2; ++i) {
        press(Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(visited, (QStringList{u"backButton"_s, u"continueButton"_s}));
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Return);
    ASSERT_TRUE(waitForStep(u"intro"_s));
    press(Qt::Key_Enter);
    ASSERT_TRUE(waitForStep(u"done"_s));
    press(Qt::Key_Return);

    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(delegate.reasons, QList<Reason>{Reason::completed});
    EXPECT_EQ(events->names,
              (QStringList{u"workflow_opened"_s, u"step_opened intro"_s, u"step_opened done"_s,
                           u"step_opened intro"_s, u"step_opened done"_s}));
}

TEST_F(TaskScreenTest, ContinueTakesItsTitleColourFromTheTintsLuminance) {
    struct Case {
        QColor tint;
        QColor title;
    };
    // 191/255 and 192/255 grey lie on either side of the 0.75 boundary.
    const QList<Case> cases{{QColor(255, 255, 0), Qt::black},
                            {QColor(0, 0, 255), Qt::white},
                            {QColor(191, 191, 191), Qt::white},
                            {QColor(192, 192, 192), Qt::black}};
    open(workflowOf({makeStep(u"a"_s)}));
    auto* button = find<ORKContinueButton>(u"continueButton"_s);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.tint.name().toStdString());
        Theme::setTint(*task, each.tint);
        EXPECT_EQ(button->colors().title, each.title);
        // The button repaints with the new tint at once.
        const QImage drawn = button->grab().toImage();
        EXPECT_EQ(drawn.pixelColor(drawn.width() / 2, 8).rgb(), each.tint.rgb());
    }
}

// A picture wider than the window, so that it has to be fitted.
QImage landscape() {
    QImage image(800, 400, QImage::Format_RGB32);
    image.fill(QColor(52, 120, 246));
    QPainter painter(&image);
    painter.fillRect(0, 0, 400, 400, QColor(255, 204, 0));
    return image;
}

TEST_F(TaskScreenTest, InstructionAndCompletionScreensFitAPhoneSizedWindow) {
    auto instruction = makeStep(u"intro"_s);
    instruction->title = u"Before you start the inspection of the building"_s;
    instruction->text =
        u"Walk through every room on the list and note what you see. It takes about ten "
        u"minutes; you can go back to change an answer."_s;
    instruction->detailText = u"<b>Markup</b> in a document stays plain text."_s;
    instruction->image = landscape();
    instruction->footnote = u"Your answers are sent when you finish."_s;
    for (const QString& text : {u"Check the fire exits"_s, u"Photograph any damage"_s}) {
        instruction->bodyItems.append(std::make_shared<ORKBodyItem>(
            text, u"Detail of "_s + text, std::nullopt, nullptr, 1, false));
    }
    auto completion = makeStep<ORKCompletionStep>(u"done"_s);
    completion->title = u"Thank you"_s;
    completion->text = u"The inspection is complete."_s;
    open(workflowOf({instruction, completion}));

    const QString screenshots = qEnvironmentVariable("PATHLOOM_SCREENSHOT_DIR");
    for (const QString& step : {u"intro"_s, u"done"_s}) {
        SCOPED_TRACE(step.toStdString());
        ASSERT_TRUE(waitForStep(step));
        QCoreApplication::processEvents();
        const ORKStepViewController* screen = task->currentStepViewController();
        const QWidget* footer = screen->navigationFooterView();
        EXPECT_EQ(footer->mapTo(task.get(), QPoint(0, footer->height())).y(), task->height())
            << "the footer sits at the bottom";
        const QWidget* continueButton = find<QWidget>(u"continueButton"_s);
        EXPECT_TRUE(task->rect().contains(
            QRect(continueButton->mapTo(task.get(), QPoint()), continueButton->size())));
        const auto* area = screen->findChild<QScrollArea*>(u"stepContent"_s);
        ASSERT_TRUE(area);
        for (const QLabel* label : screen->findChildren<QLabel*>()) {
            EXPECT_LE(label->mapTo(area->viewport(), QPoint(label->width(), 0)).x(),
                      area->viewport()->width())
                << label->text().toStdString();
            EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                << label->text().toStdString();
        }
        if (const auto* image = screen->findChild<StepImageView*>(u"stepImage"_s)) {
            EXPECT_LE(image->mapTo(area->viewport(), QPoint(image->width(), 0)).x(),
                      area->viewport()->width());
            EXPECT_EQ(image->height(), image->heightForWidth(image->width()));
        }
        if (const auto* detail = screen->findChild<QLabel*>(u"detailTextLabel"_s)) {
            EXPECT_EQ(detail->textFormat(), Qt::PlainText) << "documents never render as markup";
        }
        if (!screenshots.isEmpty()) {
            task->grab().save(QDir(screenshots).filePath(u"task-%1.png"_s.arg(step)));
        }
        click(u"continueButton"_s);
    }
}

}  // namespace
}  // namespace pathloom
