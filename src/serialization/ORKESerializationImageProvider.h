#pragma once

#include "foundation/ResourceBundle.h"
#include "foundation/SymbolImageProvider.h"

#include <QImage>
#include <QJsonObject>
#include <memory>
#include <optional>

namespace pathloom {

// Turns the image references of documents into images and back.
class ORKESerializationImageProvider {
public:
    virtual ~ORKESerializationImageProvider() = default;
    [[nodiscard]] virtual std::optional<QImage> imageForReference(
        const QJsonObject& reference) const = 0;
    [[nodiscard]] virtual QJsonObject referenceBySavingImage(const QImage& image) const = 0;
};

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
