#pragma once

#include "serialization/ORKESerializationLocalizer.h"

#include <QHash>
#include <functional>

namespace pathloom {

// Translates texts through a map; a text the map lacks stays as it is.
class ORKESerializationDictionaryLocalizer : public ORKESerializationLocalizer {
public:
    // `observer`, when set, is told every text asked for (see Localization::TextObserver).
    explicit ORKESerializationDictionaryLocalizer(
        QHash<QString, QString> translations, std::function<void(const QString&)> observer = {});
    [[nodiscard]] QString localizedStringForString(const QString& string) const override;

    [[nodiscard]] const QHash<QString, QString>& translations() const { return m_translations; }

private:
    QHash<QString, QString> m_translations;
    std::function<void(const QString&)> m_observer;
};

}  // namespace pathloom
