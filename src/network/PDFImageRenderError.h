#pragma once

#include <QString>

namespace pathloom {

// Why images could not be written as a PDF file; the description is the text the user sees.
class PDFImageRenderError {
public:
    enum class Case { pathNotFound };

    explicit PDFImageRenderError(Case errorCase = Case::pathNotFound) : m_case(errorCase) {}

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] QString description() const;
    [[nodiscard]] static QString domain();
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }

    friend bool operator==(const PDFImageRenderError&, const PDFImageRenderError&) = default;

private:
    Case m_case;
};

}  // namespace pathloom
