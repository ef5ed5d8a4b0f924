#include "serialization/ORKESerializationContext.h"

#include "serialization/ORKESerializationBundleImageProvider.h"
#include "serialization/ORKESerializationBundleLocalizer.h"

namespace pathloom {

ORKESerializationContext ORKESerializationContext::fromBundle(
    const ResourceBundle& bundle, const QString& localizationTableName,
    std::shared_ptr<const ORKESerializationStringInterpolator> stringInterpolator,
    const QList<ORKESerializationPropertyModifier>& propertyModifiers) {
    return {
        std::make_shared<ORKESerializationBundleLocalizer>(bundle, localizationTableName),
        std::make_shared<ORKESerializationBundleImageProvider>(bundle),
        std::move(stringInterpolator),
        std::make_shared<ORKESerializationPropertyInjector>(bundle, propertyModifiers),
    };
}

ORKESerializationContext ORKESerializationContext::fromBundle(
    const ResourceBundle& bundle, const QString& localizationTableName,
    const QList<ORKESerializationPropertyModifier>& propertyModifiers) {
    return fromBundle(bundle, localizationTableName, nullptr, propertyModifiers);
}

}  // namespace pathloom
