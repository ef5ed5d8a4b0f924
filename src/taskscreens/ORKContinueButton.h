#pragma once

#include "taskscreens/ORKBorderedButton.h"

namespace pathloom {

// The button that moves a task on: filled with the tint, its title white or black by the tint's
// luminance (ThemeColors::buttonTitleColor()), so it reads on any tint and follows a tint change.
class ORKContinueButton : public ORKBorderedButton {
    Q_OBJECT

public:
    explicit ORKContinueButton(const QString& text = {}, QWidget* parent = nullptr);

    [[nodiscard]] Colors colors() const override;
    [[nodiscard]] QSize sizeHint() const override;
};

}  // namespace pathloom
