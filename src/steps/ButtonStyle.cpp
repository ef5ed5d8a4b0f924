#include "steps/ButtonStyle.h"

#include <array>
#include <utility>

namespace pathloom {

namespace {

constexpr std::array<std::pair<ButtonStyle, QStringView>, 3> kStyles{{
    {ButtonStyle::primary, u"primary"},
    {ButtonStyle::danger, u"danger"},
    {ButtonStyle::outline, u"outline"},
}};

}  // namespace

QString rawValue(ButtonStyle style) {
    for (const auto& [candidate, raw] : kStyles) {
        if (candidate == style) {
            return raw.toString();
        }
    }
    return {};
}

std::optional<ButtonStyle> buttonStyleFromRaw(QStringView raw) {
    for (const auto& [style, text] : kStyles) {
        if (text == raw) {
            return style;
        }
    }
    return std::nullopt;
}

}  // namespace pathloom
