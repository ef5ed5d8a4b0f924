#pragma once

#include <QString>

namespace pathloom {

// Why the PDF step could not show its document.
class PathloomPDFViewControllerError {
public:
    enum class Case { invalidURL, unableToLoad };

    static PathloomPDFViewControllerError invalidURL() {
        return PathloomPDFViewControllerError(Case::invalidURL);
    }
    static PathloomPDFViewControllerError unableToLoad() {
        return PathloomPDFViewControllerError(Case::unableToLoad);
    }

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] static QString domain() {
        return QStringLiteral("PathloomCore.PathloomPDFViewControllerError");
    }
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    // "Unable to load PDF, invalid URL." or "Unable to load PDF.".
    [[nodiscard]] QString description() const;

private:
    explicit PathloomPDFViewControllerError(Case errorCase) : m_case(errorCase) {}

    Case m_case;
};

}  // namespace pathloom
