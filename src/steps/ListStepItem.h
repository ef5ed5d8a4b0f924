#pragma once

#include "documents/DecodingError.h"
#include "session/ValueProvider.h"
#include "taskmodel/ORKObject.h"

#include <QJsonObject>
#include <QString>
#include <expected>
#include <memory>
#include <optional>

namespace pathloom {

// One entry of a list step. In the session, templates read its "id", "text", "detailText" and
// "sfSymbolName" (list.selected.text).
class ListStepItem : public ORKObject, public ValueProvider {
public:
    ListStepItem(qint64 id, QString text, std::optional<QString> detailText = {},
                 std::optional<QString> sfSymbolName = {}, std::optional<QString> imageURL = {});

    qint64 id;
    QString text;
    std::optional<QString> detailText;
    std::optional<QString> sfSymbolName;
    std::optional<QString> imageURL;

    // The JSON form: "id" and "text" are required; the optional keys are written when present.
    [[nodiscard]] QJsonObject toJson() const;
    // Appends toJson() as compact text, byte for byte as Qt writes it, without building it.
    void appendJson(QByteArray& json) const;
    [[nodiscard]] static std::expected<std::shared_ptr<ListStepItem>, DecodingError> fromJson(
        const QJsonObject& json, const QString& path = {});

    // "Item 3: Blue".
    [[nodiscard]] QString description() const;
    [[nodiscard]] std::shared_ptr<ListStepItem> copy() const;

    [[nodiscard]] Value::Dictionary content() const override;
    [[nodiscard]] Value fetchValue(const QString& key) const override;
    [[nodiscard]] Value fetchProvider(const QString& key) const override;

    friend bool operator==(const ListStepItem& a, const ListStepItem& b) {
        return a.id == b.id && a.text == b.text && a.detailText == b.detailText &&
               a.sfSymbolName == b.sfSymbolName && a.imageURL == b.imageURL;
    }
};

}  // namespace pathloom
