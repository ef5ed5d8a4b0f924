#include "documents/WorkflowData.h"

#include "documents/ParseAll.h"
#include "documents/StoredForm.h"
#include "documents/StoredFormReader.h"
#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

std::expected<WorkflowData, ParseError> WorkflowData::fromJson(const QJsonObject& json,
                                                               ImageLoader& imageLoader) {
    const std::optional<qint64> id = json::readInteger(json, u"id");
    if (!id) {
        return std::unexpected(ParseError::invalidWorkflowData(u"Missing workflow id"_s));
    }
    std::optional<QString> identifier = json::readString(json, u"identifier");
    if (!identifier) {
        return std::unexpected(ParseError::invalidWorkflowData(u"Missing workflow identifier"_s));
    }
    const std::optional<QList<QJsonObject>> stepObjects = json::readObjectList(json, u"steps");
    if (!stepObjects) {
        return std::unexpected(ParseError::invalidWorkflowData(u"Missing steps"_s));
    }
    auto steps = parseAll(*stepObjects, [&imageLoader](const QJsonObject& step) {
        return StepData::fromJson(step, imageLoader);
    });
    if (!steps) {
        return std::unexpected(steps.error());
    }
    // A "navigationRules" value that is not a list of objects means no rules, not an error.
    auto rules =
        parseAll(json::readObjectList(json, u"navigationRules").value_or(QList<QJsonObject>{}),
                 NavigationRule::fromJson);
    if (!rules) {
        return std::unexpected(rules.error());
    }
    return WorkflowData{*id,
                        std::move(*identifier),
                        json::readString(json, u"name"),
                        json::readString(json, u"sfSymbolName"),
                        std::move(*steps),
                        std::move(*rules)};
}

QJsonObject WorkflowData::toStored() const {
    return {
        {u"id"_s, id},
        {u"identifier"_s, identifier},
        {u"name"_s, nullableString(name)},
        {u"sfSymbolName"_s, nullableString(sfSymbolName)},
        {u"steps"_s, toStoredArray(steps)},
        {u"navigationRules"_s, toStoredArray(navigationRules)},
    };
}

std::expected<WorkflowData, DecodingError> WorkflowData::fromStored(const QJsonObject& object,
                                                                    const QString& path) {
    StoredFormReader reader(object, path);
    WorkflowData workflow{
        reader.integer(u"id"),
        reader.string(u"identifier"),
        reader.optionalString(u"name"),
        reader.optionalString(u"sfSymbolName"),
        reader.list<StepData>(u"steps", StepData::fromStored),
        reader.optionalList<NavigationRule>(u"navigationRules", NavigationRule::fromStored)
            .value_or(QList<NavigationRule>{}),
    };
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    return workflow;
}

}  // namespace pathloom
