#include "documents/AppData.h"

#include "documents/ParseAll.h"
#include "documents/StoredForm.h"
#include "documents/StoredFormReader.h"
#include "documents/TintColor.h"
#include "foundation/Json.h"
#include "foundation/UrlParsing.h"

#include <array>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr std::array<QStringView, 5> kTabKeys{
    u"navigationWorkflow1Id", u"navigationWorkflow2Id", u"navigationWorkflow3Id",
    u"navigationWorkflow4Id", u"navigationWorkflow5Id",
};

std::expected<std::optional<Server>, ParseError> selectServer(
    const QList<QJsonObject>& serverObjects, std::optional<qint64> serverId) {
    if (!serverId) {
        return std::nullopt;
    }
    // Every server must parse, even those that are not asked for.
    auto servers = parseAll(serverObjects, Server::fromJson);
    if (!servers) {
        return std::unexpected(servers.error());
    }
    for (const Server& server : *servers) {
        if (server.id == *serverId) {
            return server;
        }
    }
    return std::nullopt;
}

// Sets the style and the workflow ids that go with it.
std::expected<void, ParseError> readNavigationStyle(const QJsonObject& json, const QString& style,
                                                    AppData& app) {
    if (style == u"tab_bar") {
        app.navigationStyle = AppNavigationStyle::tabBar;
        app.tabIds.emplace();
        for (QStringView key : kTabKeys) {
            if (const std::optional<qint64> id = json::readInteger(json, key)) {
                app.tabIds->append(*id);
            }
        }
    } else if (style == u"primary_workflow") {
        app.navigationStyle = AppNavigationStyle::primaryWorkflow;
        app.primaryWorkflowId = json::readInteger(json, kTabKeys.front());
        if (!app.primaryWorkflowId) {
            return std::unexpected(ParseError::invalidNavigationStyle(
                u"No navigationWorkflow1Id value for primary workflow"_s));
        }
    } else if (style == u"list") {
        app.navigationStyle = AppNavigationStyle::list;
    } else {
        return std::unexpected(
            ParseError::invalidNavigationStyle(u"Unknown navigation style: "_s + style));
    }
    return {};
}

std::expected<std::optional<QList<TranslationLocale>>, ParseError> readLocales(
    const QJsonObject& json) {
    const std::optional<QList<QJsonObject>> objects = json::readObjectList(json, u"locales");
    if (!objects) {
        return std::nullopt;
    }
    return parseAll(*objects, TranslationLocale::fromJson);
}

template <typename T>
void insertIfPresent(QJsonObject& object, const QString& key, const std::optional<T>& value) {
    if (value) {
        object.insert(key, *value);
    }
}

QJsonArray integerArray(const QList<qint64>& values) {
    QJsonArray array;
    for (qint64 value : values) {
        array.append(value);
    }
    return array;
}

}  // namespace

std::expected<AppData, ParseError> AppData::fromJson(const QJsonObject& json,
                                                     std::optional<qint64> serverId,
                                                     std::optional<qint64> initialWorkflowId,
                                                     ImageLoader& imageLoader) {
    const std::optional<qint64> id = json::readInteger(json, u"id");
    if (!id) {
        return std::unexpected(ParseError::invalidAppData(u"No id element"_s));
    }
    std::optional<QString> name = json::readString(json, u"name");
    if (!name) {
        return std::unexpected(ParseError::invalidAppName(u"No name element"_s));
    }
    const std::optional<QList<QJsonObject>> servers = json::readObjectList(json, u"servers");
    if (!servers) {
        return std::unexpected(ParseError::invalidAppData(u"No server element"_s));
    }
    const std::optional<QList<QJsonObject>> workflows = json::readObjectList(json, u"workflows");
    if (!workflows) {
        return std::unexpected(ParseError::invalidWorkflowData(u"No task element"_s));
    }
    const std::optional<QString> style = json::readString(json, u"navigationStyle");
    if (!style) {
        return std::unexpected(ParseError::invalidNavigationStyle(u"No navigationStyle value"_s));
    }

    AppData app;
    app.id = *id;
    app.name = std::move(*name);

    auto activeServer = selectServer(*servers, serverId);
    if (!activeServer) {
        return std::unexpected(activeServer.error());
    }
    app.activeServer = std::move(*activeServer);

    auto tasks = parseAll(*workflows, [&imageLoader](const QJsonObject& workflow) {
        return WorkflowData::fromJson(workflow, imageLoader);
    });
    if (!tasks) {
        return std::unexpected(tasks.error());
    }
    app.tasks = std::move(*tasks);

    if (auto styled = readNavigationStyle(json, *style, app); !styled) {
        return std::unexpected(styled.error());
    }

    app.initialWorkflowId = initialWorkflowId;
    app.appleSystemTintColor = json::readString(json, u"appleSystemTintColor");
    app.appleHexTintColor = json::readString(json, u"appleHexTintColor");
    app.shouldGatherAnalytics = json::readBoolean(json, u"gatherAnalytics").value_or(false);
    if (const std::optional<QString> url = json::readString(json, u"analyticsURL")) {
        app.analyticsURL = parseUrlAsWritten(*url);
    }

    auto locales = readLocales(json);
    if (!locales) {
        return std::unexpected(locales.error());
    }
    app.translationLocales = std::move(*locales);
    return app;
}

QJsonObject AppData::toStored() const {
    QJsonObject stored{
        {u"id"_s, id},
        {u"name"_s, name},
        {u"tasks"_s, toStoredArray(tasks)},
        {u"navigationStyle"_s, static_cast<int>(navigationStyle)},
        {u"shouldGatherAnalytics"_s, shouldGatherAnalytics},
    };
    if (activeServer) {
        stored.insert(u"activeServer"_s, activeServer->toStored());
    }
    insertIfPresent(stored, u"primaryWorkflowId"_s, primaryWorkflowId);
    insertIfPresent(stored, u"initialWorkflowId"_s, initialWorkflowId);
    if (tabIds) {
        stored.insert(u"tabIds"_s, integerArray(*tabIds));
    }
    insertIfPresent(stored, u"appleSystemTintColor"_s, appleSystemTintColor);
    insertIfPresent(stored, u"appleHexTintColor"_s, appleHexTintColor);
    if (analyticsURL) {
        stored.insert(u"analyticsURL"_s, analyticsURL->toString(QUrl::FullyEncoded));
    }
    if (translationLocales) {
        stored.insert(u"translationLocales"_s, toStoredArray(*translationLocales));
    }
    return stored;
}

std::expected<AppData, DecodingError> AppData::fromStored(const QJsonObject& object) {
    StoredFormReader reader(object);
    AppData app;
    app.id = reader.integer(u"id");
    app.name = reader.string(u"name");
    app.activeServer = reader.optionalValue<Server>(u"activeServer", Server::fromStored);
    app.tasks = reader.list<WorkflowData>(u"tasks", WorkflowData::fromStored);
    const qint64 style = reader.integer(u"navigationStyle");
    app.primaryWorkflowId = reader.optionalInteger(u"primaryWorkflowId");
    app.initialWorkflowId = reader.optionalInteger(u"initialWorkflowId");
    app.tabIds = reader.optionalIntegerList(u"tabIds");
    app.appleSystemTintColor = reader.optionalString(u"appleSystemTintColor");
    app.appleHexTintColor = reader.optionalString(u"appleHexTintColor");
    app.shouldGatherAnalytics = reader.boolean(u"shouldGatherAnalytics");
    const std::optional<QString> analyticsURL = reader.optionalString(u"analyticsURL");
    app.translationLocales = reader.optionalList<TranslationLocale>(u"translationLocales",
                                                                    TranslationLocale::fromStored);
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    const std::optional<AppNavigationStyle> navigationStyle = appNavigationStyleFromRaw(style);
    if (!navigationStyle) {
        return std::unexpected(DecodingError::dataCorrupted(
            reader.pathOf(u"navigationStyle"),
            u"no navigation style has the raw value "_s + QString::number(style)));
    }
    app.navigationStyle = *navigationStyle;
    if (analyticsURL) {
        app.analyticsURL = parseUrlAsWritten(*analyticsURL);
        if (!app.analyticsURL) {
            return std::unexpected(DecodingError::dataCorrupted(reader.pathOf(u"analyticsURL"),
                                                                u"not a URL: "_s + *analyticsURL));
        }
    }
    return app;
}

QColor AppData::tintColor() const {
    return pathloom::tintColor(appleSystemTintColor, appleHexTintColor);
}

}  // namespace pathloom
