#pragma once

#include "loading/URLSchemeManager.h"

#include <QString>

namespace pathloom {

// Launch URLs that name an app on a server: host, optional path, and the query items "app_id",
// "authorization" and optionally "server_id". The app document is then
// https://host[:port]/path/api/<version>/apps/<app_id>.json?authorization=…, or plain http on
// `defaultPort` for the debug host.
class PathloomSchemeManager : public URLSchemeManager {
public:
    PathloomSchemeManager(QString version, QString debugHost, int defaultPort);

    [[nodiscard]] std::optional<AppConfigurationContext> parse(const QUrl& url) const override;

    [[nodiscard]] int defaultPort() const { return m_defaultPort; }
    [[nodiscard]] const QString& debugHost() const { return m_debugHost; }
    [[nodiscard]] const QString& version() const { return m_version; }

private:
    int m_defaultPort;
    QString m_debugHost;
    QString m_version;
};

}  // namespace pathloom
