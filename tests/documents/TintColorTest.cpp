#include "documents/TintColor.h"

#include "foundation/SystemColor.h"

#include <gtest/gtest.h>
#include <QSet>

namespace pathloom {
namespace {

struct TintCase {
    std::optional<const char*> systemName;
    std::optional<const char*> hex;
    QColor expected;
};

void PrintTo(const TintCase& tint, std::ostream* os) {
    *os << tint.systemName.value_or("(none)") << ' ' << tint.hex.value_or("(none)");
}

std::optional<QString> text(std::optional<const char*> value) {
    return value ? std::optional(QString::fromUtf8(*value)) : std::nullopt;
}

class TintColorTest : public testing::TestWithParam<TintCase> {};

TEST_P(TintColorTest, ResolvesTheColour) {
    const TintCase& tint = GetParam();
    EXPECT_EQ(tintColor(text(tint.systemName), text(tint.hex)), tint.expected);
}

const QColor kBlue = systemColor(SystemColor::blue);

INSTANTIATE_TEST_SUITE_P(
    Names, TintColorTest,
    testing::Values(TintCase{std::nullopt, "#FF0000", kBlue}, TintCase{"blue", std::nullopt, kBlue},
                    TintCase{"GREEN", std::nullopt, systemColor(SystemColor::green)},
                    TintCase{"indigo", std::nullopt, systemColor(SystemColor::indigo)},
                    TintCase{"Orange", std::nullopt, systemColor(SystemColor::orange)},
                    TintCase{"pink", std::nullopt, systemColor(SystemColor::pink)},
                    TintCase{"purple", std::nullopt, systemColor(SystemColor::purple)},
                    TintCase{"red", "#00FF00", systemColor(SystemColor::red)},
                    TintCase{"teal", std::nullopt, systemColor(SystemColor::teal)},
                    TintCase{"yellow", std::nullopt, systemColor(SystemColor::yellow)},
                    TintCase{"magenta", std::nullopt, kBlue}, TintCase{" red", std::nullopt, kBlue},
                    TintCase{"other", "#FF000080", QColor(255, 0, 0, 128)},
                    TintCase{"OTHER", "#00FF00", QColor(0, 255, 0, 255)},
                    TintCase{"other", "#00ff00", QColor(0, 255, 0, 255)},
                    TintCase{"other", "00FF00", kBlue}, TintCase{"other", std::nullopt, kBlue},
                    TintCase{"other", "#F00", kBlue}, TintCase{"other", "#FF00008", kBlue},
                    TintCase{"other", "#zz0000", kBlue},
                    // Scanning stops at the first non-digit; the digits read so far give the value.
                    TintCase{"other", "#12zz5678", QColor(0, 0, 0, 0x12)},
                    TintCase{"other", "#0102g3", QColor(0, 0, 0x01, 0x02)}));

TEST(SystemColor, EveryNameHasItsOwnColour) {
    const QList<SystemColor> all{SystemColor::blue,   SystemColor::green, SystemColor::indigo,
                                 SystemColor::orange, SystemColor::pink,  SystemColor::purple,
                                 SystemColor::red,    SystemColor::teal,  SystemColor::yellow};
    QSet<QRgb> colours;
    for (SystemColor color : all) {
        colours.insert(systemColor(color).rgba());
    }
    EXPECT_EQ(colours.size(), all.size());
}

}  // namespace
}  // namespace pathloom
