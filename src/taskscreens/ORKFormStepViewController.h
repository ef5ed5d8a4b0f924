#pragma once

#include "foundation/DebugConsole.h"
#include "taskmodel/Value.h"
#include "taskscreens/ORKStepViewController.h"

#include <QList>

class QLabel;
class QPushButton;

namespace pathloom {

class AnswerWidget;
class ORKFormItem;
class ORKFormStep;

// The screen of a form step: its title and text, then one row per form item (its text, detail
// and answer widget, the message for an answer the item refuses, and "I don't know" when the
// item's format offers it); an item without an answer format is a section header. Rows sit on
// cards when the step asks for them, and the footer text closes the form. Continue is enabled
// while every item's answer is valid, or absent where the item is optional. Leaving the step
// either way records one result per answered item, under the item's identifier.
class ORKFormStepViewController : public ORKStepViewController {
    Q_OBJECT

public:
    ORKFormStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                              const DebugConsole& console, QWidget* parent = nullptr);

    // The widget of the item `identifier`; null for a header or an unknown item.
    [[nodiscard]] AnswerWidget* answerWidget(const QString& identifier) const;
    // The item's answer: its widget's, or the shared don't-know answer while that is chosen.
    [[nodiscard]] Value answer(const QString& identifier) const;
    // Shows `answer` for the item `identifier`; the don't-know answer chooses that button.
    void setAnswer(const QString& identifier, const Value& answer);

protected:
    void willLeave(ORKStepViewControllerNavigationDirection direction) override;

private:
    struct Row {
        std::shared_ptr<ORKFormItem> item;
        AnswerWidget* widget;
        QLabel* message;
        QPushButton* dontKnow;
        bool dontKnowChosen = false;
    };

    [[nodiscard]] QWidget* makeRow(Row& row, const DebugConsole& console, bool card);
    [[nodiscard]] Row* row(const QString& identifier);
    [[nodiscard]] const Row* row(const QString& identifier) const;
    [[nodiscard]] Value answer(const Row& row) const;
    [[nodiscard]] std::optional<QString> message(const Row& row) const;
    void chooseDontKnow(Row& row);
    void update();

    const ORKFormStep& m_form;
    QList<Row> m_rows;
};

}  // namespace pathloom
