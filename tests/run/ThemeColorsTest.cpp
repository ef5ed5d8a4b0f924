#include "run/ThemeColors.h"

#include <gtest/gtest.h>
#include <QColor>

namespace pathloom {
namespace {

struct Shade {
    const char* name;
    QColor color;
    QColor expectedContrast;
};

void PrintTo(const Shade& shade, std::ostream* os) { *os << shade.name; }

// Grey at exactly 0.75 in every component: kept exact by the half floats of extended RGB, where
// 8 or 16 bits per component would land just below or above the boundary.
QColor exactThreeQuarterGrey() { return QColor::fromRgbF(0.75f, 0.75f, 0.75f).toExtendedRgb(); }

class ThemeColorsContrastTest : public testing::TestWithParam<Shade> {};

TEST_P(ThemeColorsContrastTest, IsWhiteBelowThreeQuartersLuminanceAndBlackFromThere) {
    EXPECT_EQ(ThemeColors::contrast(GetParam().color), GetParam().expectedContrast);
    EXPECT_EQ(ThemeColors::buttonTitleColor(GetParam().color), GetParam().expectedContrast);
}

INSTANTIATE_TEST_SUITE_P(
    Colors, ThemeColorsContrastTest,
    testing::Values(Shade{"PureYellow", QColor(255, 255, 0), QColor(Qt::black)},
                    Shade{"PureBlue", QColor(0, 0, 255), QColor(Qt::white)},
                    Shade{"PureGreen", QColor(0, 255, 0), QColor(Qt::white)},
                    Shade{"White", QColor(255, 255, 255), QColor(Qt::black)},
                    Shade{"Black", QColor(0, 0, 0), QColor(Qt::white)},
                    Shade{"ExactlyThreeQuarters", exactThreeQuarterGrey(), QColor(Qt::black)},
                    Shade{"JustBelowThreeQuarters", QColor(191, 191, 191), QColor(Qt::white)},
                    Shade{"TransparentYellow", QColor(255, 255, 0, 0), QColor(Qt::black)},
                    Shade{"TransparentBlue", QColor(0, 0, 255, 10), QColor(Qt::white)},
                    Shade{"YellowGivenInHsv", QColor(255, 255, 0).toHsv(), QColor(Qt::black)}),
    [](const testing::TestParamInfo<Shade>& info) { return info.param.name; });

TEST(ThemeColorsTest, WeighsTheComponentsAsRelativeLuminance) {
    EXPECT_DOUBLE_EQ(ThemeColors::luminance(QColor(255, 255, 0)), 0.9278);
    EXPECT_DOUBLE_EQ(ThemeColors::luminance(QColor(0, 0, 255)), 0.0722);
    EXPECT_DOUBLE_EQ(ThemeColors::luminance(QColor(255, 0, 0)), 0.2126);
    EXPECT_EQ(ThemeColors::luminance(exactThreeQuarterGrey()), 0.75);
}

}  // namespace
}  // namespace pathloom
