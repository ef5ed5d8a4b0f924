#include "steps/SuccessAction.h"

#include <array>
#include <utility>

namespace pathloom {

namespace {

constexpr std::array<std::pair<SuccessAction, QStringView>, 4> kActions{{
    {SuccessAction::none, u"none"},
    {SuccessAction::reload, u"reload"},
    {SuccessAction::backward, u"backward"},
    {SuccessAction::forward, u"forward"},
}};

}  // namespace

QString rawValue(SuccessAction action) {
    for (const auto& [candidate, raw] : kActions) {
        if (candidate == action) {
            return raw.toString();
        }
    }
    return {};
}

std::optional<SuccessAction> successActionFromRaw(QStringView raw) {
    for (const auto& [action, text] : kActions) {
        if (text == raw) {
            return action;
        }
    }
    return std::nullopt;
}

}  // namespace pathloom
