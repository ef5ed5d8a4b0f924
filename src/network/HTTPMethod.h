#pragma once

#include <QString>
#include <optional>

namespace pathloom {

// The request verbs, written as their upper-case texts.
enum class HTTPMethod { get, head, post, put, del, connect, options, trace, patch };

[[nodiscard]] QString rawValue(HTTPMethod method);
// The method written exactly as `raw` (upper case); nothing for any other text.
[[nodiscard]] std::optional<HTTPMethod> httpMethodFromRaw(QStringView raw);

}  // namespace pathloom
