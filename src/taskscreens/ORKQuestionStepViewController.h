#pragma once

#include "foundation/DebugConsole.h"
#include "taskmodel/Value.h"
#include "taskscreens/ORKStepViewController.h"

class QLabel;
class QPushButton;

namespace pathloom {

class AnswerWidget;
class ORKQuestionStep;

// The screen of a question step: its title, question and detail over the answer format's widget,
// the message for an answer the format refuses, and "I don't know" when the format offers it.
// Continue is enabled while the answer is valid, or while there is none and the step is optional
// (or its format takes no answer). Leaving the step either way records the answer through the
// shared answer table; going back to the step shows what was answered there.
class ORKQuestionStepViewController : public ORKStepViewController {
    Q_OBJECT

public:
    ORKQuestionStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                  const DebugConsole& console, QWidget* parent = nullptr);

    [[nodiscard]] AnswerWidget& answerWidget() const { return *m_widget; }
    // The widget's answer, or the shared don't-know answer while that button is chosen.
    [[nodiscard]] Value answer() const;
    // Shows `answer`; the don't-know answer chooses that button.
    void setAnswer(const Value& answer);

protected:
    void willLeave(ORKStepViewControllerNavigationDirection direction) override;

private:
    void chooseDontKnow();
    void update();

    const ORKQuestionStep& m_question;
    AnswerWidget* m_widget;
    QLabel* m_message;
    QPushButton* m_dontKnow = nullptr;
    bool m_dontKnowChosen = false;
};

}  // namespace pathloom
