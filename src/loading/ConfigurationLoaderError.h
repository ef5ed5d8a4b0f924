#pragma once

#include <QString>

namespace pathloom {

// A load found no document: the cache holds none that can be read, or the file cannot be read.
// It has no message of its own, so users see the platform's generic text for its code.
class ConfigurationLoaderError {
public:
    enum class Case { localDataNotAvailable = 0, fileDataNotAvailable = 1 };

    static ConfigurationLoaderError localDataNotAvailable() {
        return ConfigurationLoaderError(Case::localDataNotAvailable);
    }
    static ConfigurationLoaderError fileDataNotAvailable() {
        return ConfigurationLoaderError(Case::fileDataNotAvailable);
    }

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] static QString domain() {
        return QStringLiteral("PathloomCore.AppConfigurationManager.ConfigurationLoaderError");
    }
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    [[nodiscard]] QString description() const {
        return QStringLiteral("The operation couldn\u2019t be completed. (%1 error %2.)")
            .arg(domain())
            .arg(code());
    }

    friend bool operator==(const ConfigurationLoaderError&,
                           const ConfigurationLoaderError&) = default;

private:
    explicit ConfigurationLoaderError(Case errorCase) : m_case(errorCase) {}

    Case m_case;
};

}  // namespace pathloom
