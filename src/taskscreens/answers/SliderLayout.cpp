#include "taskscreens/answers/SliderLayout.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QStringList>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

QLabel* endLabel(const QString& text, Qt::Alignment alignment, QWidget& owner) {
    auto* label = new QLabel(text, &owner);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(alignment);
    label->setFont(TextStyles::font(TextStyles::Style::footnote));
    return label;
}

}  // namespace

QLabel* SliderLayout::build(QWidget& owner, QSlider& slider, TextStyles::Style valueStyle,
                            const Ends& ends) {
    auto* value = new QLabel(&owner);
    value->setObjectName(u"scaleValue"_s);
    value->setAlignment(Qt::AlignCenter);
    value->setWordWrap(true);
    value->setFont(TextStyles::font(valueStyle));
    auto* layout = new QGridLayout(&owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(value, 0, 0, 1, 2);
    layout->addWidget(&slider, 1, 0, 1, 2);
    layout->addWidget(endLabel(ends.minimum, Qt::AlignLeft, owner), 2, 0);
    layout->addWidget(endLabel(ends.maximum, Qt::AlignRight, owner), 2, 1);
    owner.setFocusProxy(&slider);
    return value;
}

QString SliderLayout::endText(const QString& value, const std::optional<QString>& description,
                              bool hideRanges, bool hideLabels) {
    QStringList lines;
    if (!hideRanges) {
        lines.append(value);
    }
    if (description && !hideLabels) {
        lines.append(*description);
    }
    return lines.join(u'\n');
}

}  // namespace pathloom
