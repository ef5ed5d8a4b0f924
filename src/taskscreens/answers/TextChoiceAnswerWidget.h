#pragma once

#include "taskscreens/answers/AnswerWidget.h"

#include <QList>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;

namespace pathloom {

class ORKTextChoiceAnswerFormat;

// A list of text choices, each a row with its text and detail: radio marks when one choice is
// allowed, check marks when several are. An exclusive choice clears the others and is cleared by
// them. An "other" choice opens a line for the answerer's own words, which then stand for its
// value. The answer is the chosen values in choice order; none chosen is no answer.
class TextChoiceAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    explicit TextChoiceAnswerWidget(const ORKTextChoiceAnswerFormat& format,
                                    QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    struct Row {
        QAbstractButton* mark;
        // The line of an "other" choice; null for the others.
        QLineEdit* otherText;
    };

    void toggled(qsizetype index, bool checked);

    const ORKTextChoiceAnswerFormat& m_choices;
    QButtonGroup* m_group;
    QList<Row> m_rows;
};

}  // namespace pathloom
