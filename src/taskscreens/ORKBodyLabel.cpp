#include "taskscreens/ORKBodyLabel.h"

#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"

namespace pathloom {

ORKBodyLabel::ORKBodyLabel(const QString& text, QWidget* parent)
    : ORKBodyLabel(text, Emphasis::primary, parent) {}

ORKBodyLabel::ORKBodyLabel(const QString& text, Emphasis emphasis, QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    if (emphasis == Emphasis::secondary) {
        setFont(TextStyles::font(TextStyles::Style::subheadline));
        QPalette secondary = palette();
        secondary.setColor(QPalette::WindowText,
                           SystemPalette::color(SystemPalette::Role::secondaryLabel));
        setPalette(secondary);
    } else {
        setFont(TextStyles::font(TextStyles::Style::body));
    }
    setText(text);
}

}  // namespace pathloom
