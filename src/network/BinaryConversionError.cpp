#include "network/BinaryConversionError.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QString BinaryConversionError::description() const {
    switch (m_case) {
        case Case::invalidFileType:
        case Case::fileURLNotProvided:
            return u"Invalid file type for conversion"_s;
        case Case::unableToRemovePreviousConversion:
            return u"Unable to remove previous conversion"_s;
        case Case::incompatibleConversion:
        case Case::conversionFailed:
            return u"Unable to convert file"_s;
        case Case::unableToReplaceOriginalFile:
            return u"Unable to replace original file"_s;
    }
    return u"Unable to convert file"_s;
}

QString BinaryConversionError::domain() { return u"PathloomCore.BinaryConversionError"_s; }

}  // namespace pathloom
