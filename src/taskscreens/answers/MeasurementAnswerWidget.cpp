#include "taskscreens/answers/MeasurementAnswerWidget.h"

#include "taskmodel/ORKHeightAnswerFormat.h"
#include "taskmodel/ORKMeasurementSystem.h"
#include "taskmodel/ORKWeightAnswerFormat.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
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
        auto* box = new QDoubleSpinBox(this);
        box->setObjectName(u"answer:"_s + unit.name);
        box->setRange(0, unit.maximum);
        box->setDecimals(unit.decimals);
        box->setAccessibleName(unit.name);
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] {
            m_answered = true;
            Q_EMIT answerChanged();
        });
        layout->addWidget(box);
        layout->addWidget(new QLabel(unit.name, this));
        m_boxes.append(box);
    }
    layout->addStretch();
    setFocusProxy(m_boxes.first());
}

Value MeasurementAnswerWidget::answer() const {
    if (!m_answered) {
        return {};
    }
    double metric = 0;
    for (qsizetype index = 0; index < m_units.size(); ++index) {
        metric += m_boxes[index]->value() * m_units[index].metric;
    }
    return number(metric);
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
        const QSignalBlocker blocker(m_boxes[index]);
        m_boxes[index]->setValue(shown);
        rest -= shown * m_units[index].metric;
    }
    m_answered = given.has_value();
    Q_EMIT answerChanged();
}

}  // namespace pathloom
