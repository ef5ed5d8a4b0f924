#pragma once

#include "taskscreens/answers/AnswerWidget.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace pathloom {

class ORKTextAnswerFormat;

// A typed text (also e-mail addresses and confirmations): one line, or several when the format
// says so, hidden while typed for secure entry, cut at the maximum length as it is typed, with a
// character count under it when there is a maximum. An empty text is no answer.
class TextAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    // `textFormat` is null for an e-mail format, which is a text format without its options.
    TextAnswerWidget(const ORKAnswerFormat& format, const ORKTextAnswerFormat* textFormat,
                     const std::optional<QString>& placeholder, QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    [[nodiscard]] QString text() const;
    void textEdited();

    qint64 m_maximumLength = 0;
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_lines = nullptr;
    QLabel* m_count = nullptr;
};

}  // namespace pathloom
