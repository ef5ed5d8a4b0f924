#pragma once

#include "documents/TranslationLocale.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace pathloom {

// The translation table of one configuration, chosen for the preferred languages: texts written
// in the base language come back translated when the table has them. Immutable after creation,
// so one instance may be shared between threads.
class Localization {
public:
    // Chooses from `locales` the table of the first preferred language (reduced to its first two
    // characters) that some locale names exactly.
    Localization(const std::optional<QList<TranslationLocale>>& locales,
                 const QStringList& preferredLanguages);
    // The same, with the system's preferred languages.
    explicit Localization(const std::optional<QList<TranslationLocale>>& locales);

    [[nodiscard]] std::optional<QString> translate(const std::optional<QString>& text) const;
    [[nodiscard]] const std::optional<QHash<QString, QString>>& translations() const {
        return m_translations;
    }

private:
    std::optional<QHash<QString, QString>> m_translations;
};

}  // namespace pathloom
