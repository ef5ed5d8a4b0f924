#include "run/ThemeColors.h"

namespace pathloom {

namespace {

constexpr double kLightFrom = 0.75;

}  // namespace

double ThemeColors::luminance(const QColor& color) {
    return 0.2126 * color.redF() + 0.7152 * color.greenF() + 0.0722 * color.blueF();
}

QColor ThemeColors::contrast(const QColor& color) {
    return luminance(color) < kLightFrom ? QColor(Qt::white) : QColor(Qt::black);
}

QColor ThemeColors::buttonTitleColor(const QColor& tint) { return contrast(tint); }

}  // namespace pathloom
