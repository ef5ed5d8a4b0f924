#include "taskscreens/ORKTitleLabel.h"

#include "platform/TextStyles.h"

namespace pathloom {

ORKTitleLabel::ORKTitleLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setFont(TextStyles::font(TextStyles::Style::title));
    setText(text);
}

}  // namespace pathloom
