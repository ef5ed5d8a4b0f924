#pragma once

#include "taskscreens/answers/AnswerWidget.h"

#include <QList>

class QPushButton;

namespace pathloom {

class ORKSESAnswerFormat;

// The socio-economic ladder: ten rungs from the top text down to the bottom text; one is chosen.
// The answer is the rung's number, 10 at the top and 1 at the bottom.
class SesAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    explicit SesAnswerWidget(const ORKSESAnswerFormat& format, QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    // Top rung first.
    QList<QPushButton*> m_rungs;
};

}  // namespace pathloom
