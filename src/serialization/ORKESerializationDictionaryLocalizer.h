#pragma once

#include "serialization/ORKESerializationLocalizer.h"

#include <QHash>

namespace pathloom {

// Translates texts through a map; a text the map lacks stays as it is.
class ORKESerializationDictionaryLocalizer : public ORKESerializationLocalizer {
public:
    explicit ORKESerializationDictionaryLocalizer(QHash<QString, QString> translations);
    [[nodiscard]] QString localizedStringForString(const QString& string) const override;

    [[nodiscard]] const QHash<QString, QString>& translations() const { return m_translations; }

private:
    QHash<QString, QString> m_translations;
};

}  // namespace pathloom
