#pragma once

#include "taskscreens/answers/AnswerWidget.h"

class QLineEdit;

namespace pathloom {

class ORKLocationAnswerFormat;

// A place given by hand: an address line and its latitude and longitude (there is no map or
// positioning service on the desktop). The answer is a location once both coordinates are
// numbers; the address goes with it when given.
class LocationAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    LocationAnswerWidget(const ORKLocationAnswerFormat& format,
                         const std::optional<QString>& placeholder, QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    QLineEdit* m_address;
    QLineEdit* m_latitude;
    QLineEdit* m_longitude;
};

}  // namespace pathloom
