#include "platform/TextStyles.h"

namespace pathloom {

namespace {

struct Row {
    int pixelSize;
    QFont::Weight weight;
};

Row rowOf(TextStyles::Style style) {
    switch (style) {
        case TextStyles::Style::largeTitle:
            return {30, QFont::Bold};
        case TextStyles::Style::title:
            return {22, QFont::Bold};
        case TextStyles::Style::headline:
            return {16, QFont::DemiBold};
        case TextStyles::Style::body:
            return {15, QFont::Normal};
        case TextStyles::Style::callout:
            return {14, QFont::Normal};
        case TextStyles::Style::subheadline:
            return {13, QFont::Normal};
        case TextStyles::Style::footnote:
            return {12, QFont::Normal};
        case TextStyles::Style::caption:
            return {11, QFont::Normal};
    }
    return {15, QFont::Normal};
}

}  // namespace

QFont TextStyles::font(Style style) {
    const Row row = rowOf(style);
    QFont font(QString::fromLatin1(kFamily));
    font.setPixelSize(row.pixelSize);
    font.setWeight(row.weight);
    return font;
}

}  // namespace pathloom
