#pragma once

#include <QString>
#include <optional>

namespace pathloom {

// How a navigation rule compares a result with its value. The raw value "==" is its text in the
// document and in the stored form.
enum class NavigationRuleOperand { isEqual };

[[nodiscard]] QString rawValue(NavigationRuleOperand operand);
// The operand written as `raw`, or nothing for any other text.
[[nodiscard]] std::optional<NavigationRuleOperand> navigationRuleOperandFromRaw(QStringView raw);

}  // namespace pathloom
