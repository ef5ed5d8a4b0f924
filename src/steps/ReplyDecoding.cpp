#include "steps/ReplyDecoding.h"

#include "documents/DecodingError.h"
#include "foundation/Json.h"
#include "steps/DisplayItem.h"
#include "steps/ListStepItem.h"

#include <QJsonArray>

namespace pathloom::replies {

using namespace Qt::StringLiterals;

namespace {

template <typename Item>
std::expected<QList<Value>, Error> itemList(const QByteArray& body) {
    const auto json = json::parse(body, json::Fragments::allowed);
    if (!json) {
        return std::unexpected(json.error());
    }
    if (!json->isArray()) {
        return std::unexpected(DecodingError::typeMismatch({}, u"an array"_s));
    }
    const QJsonArray array = json->toArray();
    QList<Value> items;
    items.reserve(array.size());
    for (qsizetype index = 0; index < array.size(); ++index) {
        const QString path = u"[%1]"_s.arg(index);
        if (!array.at(index).isObject()) {
            return std::unexpected(DecodingError::typeMismatch(path, u"an object"_s));
        }
        auto item = Item::fromJson(array.at(index).toObject(), path);
        if (!item) {
            return std::unexpected(item.error());
        }
        items.append(Value(Value::Object(std::move(*item))));
    }
    return items;
}

}  // namespace

std::expected<QList<Value>, Error> listStepItems(const QByteArray& body) {
    return itemList<ListStepItem>(body);
}

std::expected<QList<Value>, Error> displayItems(const QByteArray& body) {
    return itemList<DisplayItem>(body);
}

std::expected<void, Error> remoteDeleteResult(const QByteArray& body) {
    const auto json = json::parse(body, json::Fragments::allowed);
    if (!json) {
        return std::unexpected(json.error());
    }
    if (!json->isObject()) {
        return std::unexpected(DecodingError::typeMismatch({}, u"an object"_s));
    }
    return {};
}

}  // namespace pathloom::replies
