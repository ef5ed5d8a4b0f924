#include "taskscreens/answers/TextAnswerWidget.h"

#include "platform/TextStyles.h"
#include "taskmodel/ORKTextAnswerFormat.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kLinesHeight = 120;

}  // namespace

TextAnswerWidget::TextAnswerWidget(const ORKAnswerFormat& format,
                                   const ORKTextAnswerFormat* textFormat,
                                   const std::optional<QString>& placeholder, QWidget* parent)
    : AnswerWidget(format, parent),
      m_maximumLength(textFormat != nullptr ? textFormat->maximumLength : 0) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString shownPlaceholder = placeholder.value_or(
        textFormat != nullptr ? textFormat->placeholder.value_or(QString()) : QString());
    if (textFormat != nullptr && textFormat->multipleLines) {
        m_lines = new QPlainTextEdit(this);
        m_lines->setObjectName(u"answerText"_s);
        m_lines->setPlaceholderText(shownPlaceholder);
        m_lines->setTabChangesFocus(true);
        m_lines->setMinimumHeight(kLinesHeight);
        connect(m_lines, &QPlainTextEdit::textChanged, this, &TextAnswerWidget::textEdited);
        layout->addWidget(m_lines);
        setFocusProxy(m_lines);
    } else {
        m_line = new QLineEdit(this);
        m_line->setObjectName(u"answerText"_s);
        m_line->setPlaceholderText(shownPlaceholder);
        if (m_maximumLength > 0) {
            m_line->setMaxLength(static_cast<int>(m_maximumLength));
        }
        if (textFormat != nullptr && textFormat->secureTextEntry) {
            m_line->setEchoMode(QLineEdit::Password);
        }
        m_line->setClearButtonEnabled(textFormat == nullptr || !textFormat->hideClearButton);
        connect(m_line, &QLineEdit::textChanged, this, &TextAnswerWidget::textEdited);
        layout->addWidget(m_line);
        setFocusProxy(m_line);
    }
    if (m_maximumLength > 0 && !textFormat->hideCharacterCountLabel) {
        m_count = new QLabel(this);
        m_count->setObjectName(u"characterCount"_s);
        m_count->setFont(TextStyles::font(TextStyles::Style::footnote));
        m_count->setAlignment(Qt::AlignRight);
        m_count->setForegroundRole(QPalette::PlaceholderText);
        layout->addWidget(m_count);
    }
    textEdited();
}

QString TextAnswerWidget::text() const {
    return m_line != nullptr ? m_line->text() : m_lines->toPlainText();
}

Value TextAnswerWidget::answer() const {
    const QString given = text();
    return given.isEmpty() ? Value() : Value(given);
}

void TextAnswerWidget::setAnswer(const Value& answer) {
    const QString* given = answer.as<QString>();
    if (!answer.isNone() && given == nullptr) {
        return;
    }
    const QString shown = given != nullptr ? *given : QString();
    if (m_line != nullptr) {
        m_line->setText(shown);
    } else {
        m_lines->setPlainText(shown);
    }
}

void TextAnswerWidget::textEdited() {
    // A multi-line editor has no length limit of its own: the text is cut as it is typed.
    if (m_lines != nullptr && m_maximumLength > 0 &&
        m_lines->toPlainText().size() > m_maximumLength) {
        const QSignalBlocker blocker(m_lines);
        m_lines->setPlainText(m_lines->toPlainText().left(m_maximumLength));
        m_lines->moveCursor(QTextCursor::End);
    }
    if (m_count != nullptr) {
        m_count->setText(u"%1/%2"_s.arg(text().size()).arg(m_maximumLength));
    }
    Q_EMIT answerChanged();
}

}  // namespace pathloom
