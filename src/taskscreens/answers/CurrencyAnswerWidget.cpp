#include "taskscreens/answers/CurrencyAnswerWidget.h"

#include "taskmodel/ORKCurrencyAnswerFormat.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace pathloom {

using namespace Qt::StringLiterals;

CurrencyAnswerWidget::CurrencyAnswerWidget(const ORKCurrencyAnswerFormat& format,
                                           const std::optional<QString>& placeholder,
                                           QWidget* parent)
    : AnswerWidget(format, parent), m_field(new QLineEdit(this)) {
    m_field->setObjectName(u"answerAmount"_s);
    m_field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(u"^\\d*(\\.\\d{0,2})?$"_s), m_field));
    m_field->setAlignment(Qt::AlignRight);
    m_field->setPlaceholderText(placeholder.value_or(QString()));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_field, 1);
    if (format.currencyCode) {
        auto* code = new QLabel(*format.currencyCode, this);
        code->setObjectName(u"currencyCode"_s);
        layout->addWidget(code);
    }
    setFocusProxy(m_field);
    connect(m_field, &QLineEdit::textChanged, this, &AnswerWidget::answerChanged);
}

Value CurrencyAnswerWidget::answer() const {
    bool ok = false;
    const double amount = m_field->text().toDouble(&ok);
    return ok ? number(amount) : Value();
}

void CurrencyAnswerWidget::setAnswer(const Value& answer) {
    const std::optional<double> amount = answer.isNumber() ? answer.toDouble() : std::nullopt;
    if (!answer.isNone() && !amount) {
        return;
    }
    m_field->setText(amount ? QString::number(*amount, 'g', 15) : QString());
}

}  // namespace pathloom
