#include "session/Session.h"

#include "foundation/Json.h"
#include "session/SessionProviders.h"

#include <mutex>

namespace pathloom {

using namespace Qt::StringLiterals;

Session::Providers Session::valueProviders() const {
    const std::lock_guard lock(m_mutex);
    return m_providers;
}

void Session::setValueProviders(Providers providers) {
    const std::lock_guard lock(m_mutex);
    m_providers = std::move(providers);
}

void Session::setValueProvider(const QString& key, Value provider) {
    const std::lock_guard lock(m_mutex);
    m_providers.insert(key, std::move(provider));
}

void Session::removeAllValueProviders() { setValueProviders({}); }

Value Session::value(const QString& keyPath) const {
    const QStringList components = keyPath.split(u'.');
    Value provider = valueProviders().value(components.first());
    if (!providers::isValueProvider(provider)) {
        return {};
    }
    if (components.size() == 1) {
        return provider;
    }
    for (qsizetype i = 1; i < components.size(); ++i) {
        const QString& component = components[i];
        Value next = providers::fetchProvider(provider, component);
        if (next.isNone()) {
            return providers::fetchValue(provider, component);
        }
        if (i == components.size() - 1) {
            return next;
        }
        provider = std::move(next);
    }
    return {};
}

QList<std::shared_ptr<const BinaryProvider>> Session::binaryProviders() const {
    QList<std::shared_ptr<const BinaryProvider>> binaries;
    const Providers snapshot = valueProviders();
    for (const Value& provider : snapshot) {
        if (auto binary = providers::binaryProvider(provider)) {
            binaries.append(std::move(binary));
        }
    }
    return binaries;
}

std::optional<QByteArray> Session::jsonRepresentation() const {
    const Providers snapshot = valueProviders();
    QByteArray json;
    // About what a short answer takes, so that the text grows a few times rather than often.
    json.reserve(64 * snapshot.size() + 2);
    json += '{';
    for (auto it = snapshot.begin(); it != snapshot.end(); ++it) {
        const qsizetype start = json.size();
        if (start > 1) {
            json += ',';
        }
        // Escaped, so that any identifier gives valid JSON.
        json::appendQuoted(json, it.key());
        json += ": ";
        if (!providers::appendJsonRepresentation(json, it.value())) {
            json.truncate(start);
        }
    }
    json += '}';
    return json;
}

}  // namespace pathloom
