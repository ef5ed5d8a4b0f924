#include "network/HTTPMethod.h"

#include <array>

namespace pathloom {

namespace {

constexpr std::array<std::pair<HTTPMethod, QStringView>, 9> kMethods{{
    {HTTPMethod::get, u"GET"},
    {HTTPMethod::head, u"HEAD"},
    {HTTPMethod::post, u"POST"},
    {HTTPMethod::put, u"PUT"},
    {HTTPMethod::del, u"DELETE"},
    {HTTPMethod::connect, u"CONNECT"},
    {HTTPMethod::options, u"OPTIONS"},
    {HTTPMethod::trace, u"TRACE"},
    {HTTPMethod::patch, u"PATCH"},
}};

}  // namespace

QString rawValue(HTTPMethod method) {
    for (const auto& [candidate, raw] : kMethods) {
        if (candidate == method) {
            return raw.toString();
        }
    }
    return {};
}

std::optional<HTTPMethod> httpMethodFromRaw(QStringView raw) {
    for (const auto& [method, text] : kMethods) {
        if (text == raw) {
            return method;
        }
    }
    return std::nullopt;
}

}  // namespace pathloom
