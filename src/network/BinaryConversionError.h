#pragma once

#include <QString>

namespace pathloom {

// Why a recorded file could not be prepared for upload; the description is the text the user sees.
class BinaryConversionError {
public:
    enum class Case {
        invalidFileType,
        fileURLNotProvided,
        unableToRemovePreviousConversion,
        incompatibleConversion,
        conversionFailed,
        unableToReplaceOriginalFile,
    };

    explicit BinaryConversionError(Case errorCase) : m_case(errorCase) {}

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] QString description() const;
    [[nodiscard]] static QString domain();
    // The position of the case in the enumeration.
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }

    friend bool operator==(const BinaryConversionError&, const BinaryConversionError&) = default;

private:
    Case m_case;
};

}  // namespace pathloom
