#pragma once

#include <QJsonObject>
#include <QList>
#include <expected>
#include <type_traits>

namespace pathloom {

// Parses every object in order with `parse` (which returns a std::expected); the first error ends
// the parse and is returned.
template <typename Parse>
[[nodiscard]] auto parseAll(const QList<QJsonObject>& objects, Parse parse)
    -> std::expected<QList<typename std::invoke_result_t<Parse, const QJsonObject&>::value_type>,
                     typename std::invoke_result_t<Parse, const QJsonObject&>::error_type> {
    using Result = std::invoke_result_t<Parse, const QJsonObject&>;
    QList<typename Result::value_type> values;
    values.reserve(objects.size());
    for (const QJsonObject& object : objects) {
        Result value = parse(object);
        if (!value) {
            return std::unexpected(std::move(value.error()));
        }
        values.append(std::move(*value));
    }
    return values;
}

}  // namespace pathloom
