#pragma once

#include <QFont>

namespace pathloom {

// The one table of text styles every screen draws its texts with.
class TextStyles {
public:
    enum class Style { largeTitle, title, headline, body, callout, subheadline, footnote, caption };

    // The family every style uses: fixed, so that screens measure the same on every machine.
    static constexpr auto kFamily = "DejaVu Sans";

    [[nodiscard]] static QFont font(Style style);
};

}  // namespace pathloom
