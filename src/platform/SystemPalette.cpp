#include "platform/SystemPalette.h"

namespace pathloom {

QColor SystemPalette::color(Role role) {
    switch (role) {
        case Role::label:
            return QColor(0, 0, 0);
        case Role::secondaryLabel:
            return QColor(60, 60, 67, 153);
        case Role::tertiaryLabel:
            return QColor(60, 60, 67, 76);
        case Role::systemBackground:
            return QColor(255, 255, 255);
        case Role::secondarySystemBackground:
            return QColor(242, 242, 247);
        case Role::systemGroupedBackground:
            return QColor(242, 242, 247);
        case Role::secondarySystemGroupedBackground:
            return QColor(255, 255, 255);
        case Role::systemFill:
            return QColor(120, 120, 128, 51);
        case Role::separator:
            return QColor(60, 60, 67, 74);
        case Role::systemGray:
            return QColor(142, 142, 147);
        case Role::systemGray2:
            return QColor(174, 174, 178);
        case Role::systemGray5:
            return QColor(229, 229, 234);
        case Role::systemRed:
            return QColor(255, 59, 48);
    }
    return QColor(0, 0, 0);
}

}  // namespace pathloom
