#pragma once

#include "foundation/ResourceBundle.h"
#include "foundation/SymbolImageProvider.h"
#include "serialization/ORKESerializationImageProvider.h"

#include <memory>

namespace pathloom {

// Finds the image named under "imageName" among the system symbols, then in the bundle. Images are
// not saved: every image is written as a reference with an empty name.
class ORKESerializationBundleImageProvider : public ORKESerializationImageProvider {
public:
    ORKESerializationBundleImageProvider(ResourceBundle bundle,
                                         std::shared_ptr<const SymbolImageProvider> symbols = {});

    [[nodiscard]] std::optional<QImage> imageForReference(
        const QJsonObject& reference) const override;
    [[nodiscard]] QJsonObject referenceBySavingImage(const QImage& image) const override;

private:
    ResourceBundle m_bundle;
    std::shared_ptr<const SymbolImageProvider> m_symbols;
};

}  // namespace pathloom
