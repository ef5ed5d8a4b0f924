#include "steps/ListStepItem.h"

#include "documents/StoredFormReader.h"
#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

Value optionalText(const std::optional<QString>& text) { return text ? Value(*text) : Value(); }

// Absent texts are null in the content, which is written as JSON.
Value nullableText(const std::optional<QString>& text) {
    return text ? Value(*text) : Value(Null{});
}

}  // namespace

ListStepItem::ListStepItem(qint64 id, QString text, std::optional<QString> detailText,
                           std::optional<QString> sfSymbolName, std::optional<QString> imageURL)
    : id(id),
      text(std::move(text)),
      detailText(std::move(detailText)),
      sfSymbolName(std::move(sfSymbolName)),
      imageURL(std::move(imageURL)) {}

QJsonObject ListStepItem::toJson() const {
    QJsonObject json{{u"id"_s, id}, {u"text"_s, text}};
    if (detailText) {
        json.insert(u"detailText"_s, *detailText);
    }
    if (sfSymbolName) {
        json.insert(u"sfSymbolName"_s, *sfSymbolName);
    }
    if (imageURL) {
        json.insert(u"imageURL"_s, *imageURL);
    }
    return json;
}

void ListStepItem::appendJson(QByteArray& json) const {
    // In the order Qt writes an object's keys: sorted.
    json += '{';
    if (detailText) {
        json += "\"detailText\":";
        json::appendQuoted(json, *detailText);
        json += ',';
    }
    json += "\"id\":" + QByteArray::number(id);
    if (imageURL) {
        json += ",\"imageURL\":";
        json::appendQuoted(json, *imageURL);
    }
    if (sfSymbolName) {
        json += ",\"sfSymbolName\":";
        json::appendQuoted(json, *sfSymbolName);
    }
    json += ",\"text\":";
    json::appendQuoted(json, text);
    json += '}';
}

std::expected<std::shared_ptr<ListStepItem>, DecodingError> ListStepItem::fromJson(
    const QJsonObject& json, const QString& path) {
    StoredFormReader reader(json, path);
    auto item = std::make_shared<ListStepItem>(
        reader.integer(u"id"), reader.string(u"text"), reader.optionalString(u"detailText"),
        reader.optionalString(u"sfSymbolName"), reader.optionalString(u"imageURL"));
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    return item;
}

QString ListStepItem::description() const {
    return u"Item "_s + QString::number(id) + u": "_s + text;
}

std::shared_ptr<ListStepItem> ListStepItem::copy() const {
    return std::make_shared<ListStepItem>(id, text, detailText, sfSymbolName, imageURL);
}

Value::Dictionary ListStepItem::content() const {
    return {{u"id"_s, id},
            {u"text"_s, text},
            {u"detailText"_s, nullableText(detailText)},
            {u"sfSymbolName"_s, nullableText(sfSymbolName)}};
}

Value ListStepItem::fetchValue(const QString& key) const {
    if (key == u"id") {
        return id;
    }
    if (key == u"text") {
        return text;
    }
    if (key == u"detailText") {
        return optionalText(detailText);
    }
    if (key == u"sfSymbolName") {
        return optionalText(sfSymbolName);
    }
    return {};
}

Value ListStepItem::fetchProvider(const QString&) const { return {}; }

}  // namespace pathloom
