#pragma once

#include <QString>

namespace pathloom {

// Why a captured file could not be stored: the source is missing or unreadable, it is no picture
// where a picture is needed, the name to store it under is none, or the copy could not be made.
class CaptureError {
public:
    enum class Case { missingSource, unreadableSource, notAPicture, invalidFileName, notStored };

    [[nodiscard]] static CaptureError missingSource(QString path) {
        return CaptureError(Case::missingSource, std::move(path));
    }
    [[nodiscard]] static CaptureError unreadableSource(QString path) {
        return CaptureError(Case::unreadableSource, std::move(path));
    }
    [[nodiscard]] static CaptureError notAPicture(QString path) {
        return CaptureError(Case::notAPicture, std::move(path));
    }
    [[nodiscard]] static CaptureError invalidFileName(QString name) {
        return CaptureError(Case::invalidFileName, std::move(name));
    }
    // `path` is where the capture was to be stored.
    [[nodiscard]] static CaptureError notStored(QString path) {
        return CaptureError(Case::notStored, std::move(path));
    }

    [[nodiscard]] Case errorCase() const { return m_case; }
    // The source file, the file name, or the place the capture was to be stored.
    [[nodiscard]] const QString& path() const { return m_path; }
    [[nodiscard]] static QString domain();
    // The position of the case in the enumeration.
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    // "This file is not a picture." for a file that is none; a sentence naming the path otherwise.
    [[nodiscard]] QString description() const;

    friend bool operator==(const CaptureError&, const CaptureError&) = default;

private:
    CaptureError(Case errorCase, QString path) : m_case(errorCase), m_path(std::move(path)) {}

    Case m_case;
    QString m_path;
};

}  // namespace pathloom
