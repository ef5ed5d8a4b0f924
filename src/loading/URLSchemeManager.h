#pragma once

#include "loading/AppConfigurationContext.h"

#include <QList>
#include <QUrl>
#include <memory>
#include <optional>

namespace pathloom {

// Turns a launch URL, with which the host app was opened, into the source of an app to load.
class URLSchemeManager {
public:
    virtual ~URLSchemeManager() = default;
    [[nodiscard]] virtual std::optional<AppConfigurationContext> parse(const QUrl& url) const = 0;
};

// The source the first manager that understands one of the launch URLs gives: managers are asked
// in order, each over every URL.
[[nodiscard]] std::optional<AppConfigurationContext> firstValidConfiguration(
    const QList<std::shared_ptr<const URLSchemeManager>>& managers, const QList<QUrl>& urls);

}  // namespace pathloom
