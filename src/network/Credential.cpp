#include "network/Credential.h"

#include "foundation/Json.h"

#include <cmath>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// 2001-01-01T00:00:00Z, the reference date of stored dates, in seconds since the Unix epoch.
constexpr double kReferenceDateUnixSeconds = 978307200.0;

// Dates whose milliseconds fit QDateTime comfortably: ±10^14 s is over three million years.
constexpr double kLargestSeconds = 1e14;

std::expected<QString, DecodingError> requiredString(const QJsonObject& object, QStringView key) {
    if (!object.contains(key)) {
        return std::unexpected(DecodingError::keyNotFound(key.toString()));
    }
    if (const auto text = json::readString(object, key)) {
        return *text;
    }
    return std::unexpected(DecodingError::typeMismatch(key.toString(), u"String"_s));
}

}  // namespace

QString Credential::sessionToken() { return u"sessionToken"_s; }

QString Credential::refreshToken() { return u"refreshToken"_s; }

QByteArray Credential::toJson() const {
    const double seconds = static_cast<double>(expirationDate.toMSecsSinceEpoch()) / 1000.0 -
                           kReferenceDateUnixSeconds;
    return json::write(
        QJsonObject{{u"type"_s, type}, {u"value"_s, value}, {u"expirationDate"_s, seconds}});
}

std::expected<Credential, DecodingError> Credential::fromJson(const QByteArray& bytes) {
    const auto parsed = json::parse(bytes);
    if (!parsed) {
        return std::unexpected(DecodingError::dataCorrupted({}, parsed.error().description()));
    }
    const auto object = json::asObject(*parsed);
    if (!object) {
        return std::unexpected(DecodingError::typeMismatch({}, u"Dictionary"_s));
    }
    auto type = requiredString(*object, u"type");
    if (!type) {
        return std::unexpected(type.error());
    }
    auto value = requiredString(*object, u"value");
    if (!value) {
        return std::unexpected(value.error());
    }
    if (!object->contains(u"expirationDate")) {
        return std::unexpected(DecodingError::keyNotFound(u"expirationDate"_s));
    }
    const auto seconds = json::readNumber(*object, u"expirationDate");
    if (!seconds) {
        return std::unexpected(DecodingError::typeMismatch(u"expirationDate"_s, u"Double"_s));
    }
    if (std::abs(*seconds) > kLargestSeconds) {
        return std::unexpected(
            DecodingError::dataCorrupted(u"expirationDate"_s, u"date out of range"_s));
    }
    const auto milliseconds = std::llround((*seconds + kReferenceDateUnixSeconds) * 1000.0);
    return Credential{std::move(*type), std::move(*value),
                      QDateTime::fromMSecsSinceEpoch(milliseconds, Qt::UTC)};
}

}  // namespace pathloom
