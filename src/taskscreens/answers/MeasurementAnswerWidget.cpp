#include "taskscreens/answers/MeasurementAnswerWidget.h"

#include "taskmodel/ORKHeightAnswerFormat.h"
#include "taskmodel/ORKMeasurementSystem.h"
#include "taskmodel/ORKWeightAnswerFormat.h"

#include <QDoubleValidator>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <cmath>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr double kCentimetresPerInch = 2.54;
constexpr double kInchesPerFoot = 12;
constexpr double kKilogramsPerPound = 0.45359237;
constexpr double kLargestHeightCentimetres = 300;
constexpr double kLargestWeightKilograms = 700;

// Decimals of a weight by the format's precision: the default shows tenths, low whole units,
// high hundredths.
int weightDecimals(qint64 precision) {
    constexpr int kDefault = 1;
    constexpr int kLow = 0;
    constexpr int kHigh = 2;
    switch (precision) {
        case 1:
            return kLow;
        case 2:
            return kHigh;
        default:
            return kDefault;
    }
}

bool isMetric(qint64 system) {
    if (system == ORKMeasurementSystemLocal) {
        return QLocale().measurementSystem() == QLocale::MetricSystem;
    }
    return system != ORKMeasurementSystemUSC;
}

}  // namespace

MeasurementAnswerWidget::MeasurementAnswerWidget(const ORKHeightAnswerFormat& format,
                                                 QWidget* parent)
    : MeasurementAnswerWidget(
          format,
          isMetric(format.measurementSystem)
              ? QList<Unit>{{u"cm"_s, 1, kLargestHeightCentimetres, 0}}
              : QList<Unit>{{u"ft"_s, kInchesPerFoot * kCentimetresPerInch, 9, 0},
                            {u"in"_s, kCentimetresPerInch, kInchesPerFoot - 1, 0}},
          parent) {}

MeasurementAnswerWidget::MeasurementAnswerWidget(const ORKWeightAnswerFormat& format,
                                                 QWidget* parent)
    : MeasurementAnswerWidget(format,
                              isMetric(format.measurementSystem)
                                  ? QList<Unit>{{u"kg"_s, 1, kLargestWeightKilograms,
                                                 weightDecimals(format.numericPrecision)}}
                                  : QList<Unit>{{u"lb"_s, kKilogramsPerPound,
                                                 kLargestWeightKilograms / kKilogramsPerPound,
                                                 weightDecimals(format.numericPrecision)}},
                              parent) {}

MeasurementAnswerWidget::MeasurementAnswerWidget(const ORKAnswerFormat& format,
                                                 const QList<Unit>& units, QWidget* parent)
    : AnswerWidget(format, parent), m_units(units) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const Unit& unit : m_units) {
        auto* field = new QLineEdit(this);
        field->setObjectName(u"answer:"_s + unit.name);
        auto* validator = new QDoubleValidator(0, unit.maximum, unit.decimals, field);
        validator->setNotation(QDoubleValidator::StandardNotation);
        validator->setLocale(QLocale::c());
        field->setValidator(validator);
        field->setAlignment(Qt::AlignRight);
        field->setAccessibleName(unit.name);
        connect(field, &QLineEdit::textChanged, this, &AnswerWidget::answerChanged);
        layout->addWidget(field);
        layout->addWidget(new QLabel(unit.name, this));
        m_fields.append(field);
    }
    layout->addStretch();
    setFocusProxy(m_fields.first());
}

Value MeasurementAnswerWidget::answer() const {
    double metric = 0;
    bool given = false;
    for (qsizetype index = 0; index < m_units.size(); ++index) {
        const QString text = m_fields[index]->text();
        bool ok = false;
        const double amount = text.toDouble(&ok);
        if (!text.isEmpty() && !ok) {
            return {};
        }
        given = given || !text.isEmpty();
        metric += (ok ? amount : 0) * m_units[index].metric;
    }
    return given ? number(metric) : Value();
}

void MeasurementAnswerWidget::setAnswer(const Value& answer) {
    const std::optional<double> given = answer.isNumber() ? answer.toDouble() : std::nullopt;
    if (!answer.isNone() && !given) {
        return;
    }
    double rest = given.value_or(0);
    for (qsizetype index = 0; index < m_units.size(); ++index) {
        const bool last = index + 1 == m_units.size();
        const double amount = rest / m_units[index].metric;
        const double shown = last ? amount : std::floor(amount);
        rest -= shown * m_units[index].metric;
        const QSignalBlocker blocker(m_fields[index]);
        m_fields[index]->setText(given ? QString::number(shown, 'f', m_units[index].decimals)
                                       : QString());
    }
    Q_EMIT answerChanged();
}

}  // namespace pathloom
