#pragma once

#include "documents/AppNavigationStyle.h"
#include "documents/DecodingError.h"
#include "documents/ParseError.h"
#include "documents/Server.h"
#include "documents/TranslationLocale.h"
#include "documents/WorkflowData.h"

#include <QColor>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUrl>
#include <expected>
#include <optional>

namespace pathloom {

class ImageLoader;

// The decoded app document: identity, the selected server, workflows, how they are presented,
// tint, analytics and translation tables.
struct AppData {
    qint64 id = 0;
    QString name;
    std::optional<Server> activeServer;
    QList<WorkflowData> tasks;
    AppNavigationStyle navigationStyle = AppNavigationStyle::list;
    std::optional<qint64> primaryWorkflowId;
    std::optional<qint64> initialWorkflowId;
    std::optional<QList<qint64>> tabIds;
    std::optional<QString> appleSystemTintColor;
    std::optional<QString> appleHexTintColor;
    bool shouldGatherAnalytics = false;
    std::optional<QUrl> analyticsURL;
    std::optional<QList<TranslationLocale>> translationLocales;

    // The document form as a server delivers it. `serverId` selects the active server;
    // `initialWorkflowId` is kept as given. The first error found ends the parse.
    [[nodiscard]] static std::expected<AppData, ParseError> fromJson(
        const QJsonObject& json, std::optional<qint64> serverId,
        std::optional<qint64> initialWorkflowId, ImageLoader& imageLoader);

    // The stored form kept in the encrypted cache; the document form does not accept it.
    [[nodiscard]] QJsonObject toStored() const;
    [[nodiscard]] static std::expected<AppData, DecodingError> fromStored(
        const QJsonObject& object);

    [[nodiscard]] QColor tintColor() const;

    friend bool operator==(const AppData&, const AppData&) = default;
};

}  // namespace pathloom
