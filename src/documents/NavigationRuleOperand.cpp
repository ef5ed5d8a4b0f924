#include "documents/NavigationRuleOperand.h"

namespace pathloom {

QString rawValue(NavigationRuleOperand operand) {
    switch (operand) {
        case NavigationRuleOperand::isEqual:
            break;
    }
    return QStringLiteral("==");
}

std::optional<NavigationRuleOperand> navigationRuleOperandFromRaw(QStringView raw) {
    if (raw == u"==") {
        return NavigationRuleOperand::isEqual;
    }
    return std::nullopt;
}

}  // namespace pathloom
