#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>
#include <variant>

namespace pathloom {

// Where a load takes the app document from: a server, a file, or the encrypted copy of the last
// document that loaded.
struct AppConfigurationContext {
    struct Remote {
        QString url;
        std::optional<qint64> serverId;
    };
    struct File {
        QString path;
        std::optional<qint64> serverId;
        std::optional<qint64> workflowId;
        // Values placed in the session before the file is read.
        std::optional<QJsonObject> sessionValues;
    };
    struct Cached {};

    std::variant<Remote, File, Cached> source;

    [[nodiscard]] static AppConfigurationContext remote(QString url,
                                                        std::optional<qint64> serverId = {}) {
        return {Remote{std::move(url), serverId}};
    }
    [[nodiscard]] static AppConfigurationContext file(
        QString path, std::optional<qint64> serverId = {}, std::optional<qint64> workflowId = {},
        std::optional<QJsonObject> sessionValues = {}) {
        return {File{std::move(path), serverId, workflowId, std::move(sessionValues)}};
    }
    [[nodiscard]] static AppConfigurationContext cached() { return {Cached{}}; }
};

}  // namespace pathloom
