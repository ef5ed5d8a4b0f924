#pragma once

#include "taskscreens/answers/AnswerWidget.h"

#include <QList>

class QToolButton;

namespace pathloom {

class ORKImageChoiceAnswerFormat;

// Pictures to choose from, each a button with its picture (the selected picture while chosen)
// and its text under it, in a row, or a column when the format is vertical. One choice or several
// by the format's style; the answer is the chosen values in choice order.
class ImageChoiceAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    explicit ImageChoiceAnswerWidget(const ORKImageChoiceAnswerFormat& format,
                                     QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    void toggled(qsizetype index, bool checked);
    void showPictures();

    const ORKImageChoiceAnswerFormat& m_choices;
    QList<QToolButton*> m_buttons;
};

}  // namespace pathloom
