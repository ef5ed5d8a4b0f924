#pragma once

#include "taskscreens/answers/AnswerWidget.h"

#include <QList>

class QLineEdit;

namespace pathloom {

class ORKHeightAnswerFormat;
class ORKWeightAnswerFormat;

// A height or a weight, entered in the format's measurement system (the computer's for "local"):
// centimetres, or feet and inches; kilograms with the format's precision, or pounds. The answer
// is always metric, centimetres or kilograms, as an answers file gives it; nothing while every
// field is empty (an empty field of several, such as the inches, counts as 0).
class MeasurementAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    MeasurementAnswerWidget(const ORKHeightAnswerFormat& format, QWidget* parent = nullptr);
    MeasurementAnswerWidget(const ORKWeightAnswerFormat& format, QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    struct Unit {
        QString name;
        // The metric amount of one of this unit.
        double metric;
        double maximum;
        int decimals;
    };

    MeasurementAnswerWidget(const ORKAnswerFormat& format, const QList<Unit>& units,
                            QWidget* parent);

    QList<Unit> m_units;
    QList<QLineEdit*> m_fields;
};

}  // namespace pathloom
