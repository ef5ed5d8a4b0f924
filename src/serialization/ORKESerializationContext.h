#pragma once

#include "foundation/ResourceBundle.h"
#include "serialization/ORKESerializationImageProvider.h"
#include "serialization/ORKESerializationLocalizer.h"
#include "serialization/ORKESerializationPropertyInjector.h"
#include "serialization/ORKESerializationStringInterpolator.h"

#include <QString>
#include <memory>

namespace pathloom {

// What decoding and encoding may consult; every part may be absent.
struct ORKESerializationContext {
    std::shared_ptr<const ORKESerializationLocalizer> localizer;
    std::shared_ptr<const ORKESerializationImageProvider> imageProvider;
    std::shared_ptr<const ORKESerializationStringInterpolator> stringInterpolator;
    std::shared_ptr<const ORKESerializationPropertyInjector> propertyInjector;

    // The context of a resource bundle: its string table, its images and the modifiers.
    [[nodiscard]] static ORKESerializationContext fromBundle(
        const ResourceBundle& bundle, const QString& localizationTableName,
        std::shared_ptr<const ORKESerializationStringInterpolator> stringInterpolator,
        const QList<ORKESerializationPropertyModifier>& propertyModifiers);
    [[nodiscard]] static ORKESerializationContext fromBundle(
        const ResourceBundle& bundle, const QString& localizationTableName,
        const QList<ORKESerializationPropertyModifier>& propertyModifiers);
};

}  // namespace pathloom
