#include "session/PathloomListStepResult.h"

namespace pathloom {

using namespace Qt::StringLiterals;

PathloomListStepResult::PathloomListStepResult(QString identifier,
                                               std::shared_ptr<ListStepItem> selected)
    : ORKResult(std::move(identifier)), selected(std::move(selected)) {}

QJsonObject PathloomListStepResult::toJson() const {
    if (!selected) {
        return {};
    }
    return {{u"selected"_s, selected->toJson()}};
}

std::expected<std::shared_ptr<PathloomListStepResult>, DecodingError>
PathloomListStepResult::fromJson(QString identifier, const QJsonObject& json) {
    std::shared_ptr<ListStepItem> selected;
    const QJsonValue item = json.value(u"selected");
    if (!item.isUndefined() && !item.isNull()) {
        if (!item.isObject()) {
            return std::unexpected(DecodingError::typeMismatch(u"selected"_s, u"an object"_s));
        }
        auto decoded = ListStepItem::fromJson(item.toObject(), u"selected"_s);
        if (!decoded) {
            return std::unexpected(decoded.error());
        }
        selected = std::move(*decoded);
    }
    return std::make_shared<PathloomListStepResult>(std::move(identifier), std::move(selected));
}

std::shared_ptr<ORKResult> PathloomListStepResult::copy() const {
    return std::make_shared<PathloomListStepResult>(identifier, selected);
}

Value::Dictionary PathloomListStepResult::content() const {
    if (!selected) {
        return {};
    }
    return {{identifier, Value::Dictionary{{u"selected"_s, Value(selected)}}}};
}

Value PathloomListStepResult::fetchValue(const QString& key) const {
    return key == u"selected" && selected ? Value(selected) : Value();
}

Value PathloomListStepResult::fetchProvider(const QString& key) const { return fetchValue(key); }

std::optional<QByteArray> PathloomListStepResult::jsonRepresentation() const {
    if (!selected) {
        return std::nullopt;
    }
    QByteArray json = "{\"selected\":";
    selected->appendJson(json);
    return json + '}';
}

Value PathloomListStepResult::navigationValue() const {
    return selected ? Value(selected->id) : Value();
}

}  // namespace pathloom
