#include "taskscreens/answers/NumericAnswerWidget.h"

#include "taskmodel/ORKNumericAnswerFormat.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpressionValidator>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// What may be typed: a sign, digits and, for decimals, one separator and the allowed fraction
// digits. Whether the number is in range is the answer table's question, with its message.
QRegularExpression typable(const ORKNumericAnswerFormat& format) {
    if (format.style == 1) {
        return QRegularExpression(u"^-?\\d*$"_s);
    }
    const QString fraction =
        format.maximumFractionDigits
            ? u"{0,%1}"_s.arg(std::max<qint64>(*format.maximumFractionDigits, 0))
            : u"*"_s;
    // "[." would open a POSIX collating element: the dot goes in escaped.
    const QString separator = QRegularExpression::escape(QLocale().decimalPoint());
    return QRegularExpression(u"^-?\\d*([\\.%1]\\d%2)?$"_s.arg(separator, fraction));
}

}  // namespace

NumericAnswerWidget::NumericAnswerWidget(const ORKNumericAnswerFormat& format,
                                         const std::optional<QString>& placeholder, QWidget* parent)
    : AnswerWidget(format, parent), m_numeric(format), m_field(new QLineEdit(this)) {
    m_field->setObjectName(u"answerNumber"_s);
    m_field->setValidator(new QRegularExpressionValidator(typable(format), m_field));
    m_field->setPlaceholderText(placeholder.value_or(format.placeholder.value_or(QString())));
    m_field->setAlignment(Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_field, 1);
    if (format.unit && !format.unit->isEmpty()) {
        m_unit = new QLabel(*format.unit, this);
        m_unit->setObjectName(u"unit"_s);
        layout->addWidget(m_unit);
    }
    setFocusProxy(m_field);
    connect(m_field, &QLineEdit::textChanged, this, [this] {
        updateUnit();
        Q_EMIT answerChanged();
    });
    updateUnit();
}

Value NumericAnswerWidget::answer() const {
    QString text = m_field->text().trimmed();
    text.replace(QLocale().decimalPoint(), u"."_s);
    if (text.isEmpty() || text == u"-"_s) {
        return {};
    }
    bool ok = false;
    if (const qint64 integer = text.toLongLong(&ok); ok) {
        return integer;
    }
    const double number = text.toDouble(&ok);
    return ok ? Value(number) : Value();
}

void NumericAnswerWidget::setAnswer(const Value& answer) {
    if (answer.isNone()) {
        m_field->clear();
        return;
    }
    if (const qint64* integer = answer.as<qint64>()) {
        m_field->setText(QString::number(*integer));
    } else if (const double* number = answer.as<double>()) {
        m_field->setText(QString::number(*number, 'g', 15));
    }
}

void NumericAnswerWidget::updateUnit() {
    if (m_unit != nullptr) {
        m_unit->setVisible(!m_numeric.hideUnitWhenAnswerIsEmpty || !m_field->text().isEmpty());
    }
}

}  // namespace pathloom
