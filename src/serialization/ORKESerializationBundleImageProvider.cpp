#include "serialization/ORKESerializationBundleImageProvider.h"

#include "foundation/Json.h"

namespace pathloom {

ORKESerializationBundleImageProvider::ORKESerializationBundleImageProvider(
    ResourceBundle bundle, std::shared_ptr<const SymbolImageProvider> symbols)
    : m_bundle(std::move(bundle)), m_symbols(std::move(symbols)) {}

std::optional<QImage> ORKESerializationBundleImageProvider::imageForReference(
    const QJsonObject& reference) const {
    const QString name = json::readString(reference, u"imageName").value_or(QString());
    if (m_symbols) {
        if (std::optional<QImage> symbol = m_symbols->symbolImage(name)) {
            return symbol;
        }
    }
    return m_bundle.image(name);
}

QJsonObject ORKESerializationBundleImageProvider::referenceBySavingImage(const QImage&) const {
    return {{QStringLiteral("imageName"), QString()}};
}

}  // namespace pathloom
