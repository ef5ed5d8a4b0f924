#pragma once

#include "documents/TranslationLocale.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace pathloom {

// The translation table of one configuration, chosen for the preferred languages: texts written
// in the base language come back translated when the table has them. Immutable after creation,
// so one instance may be shared between threads (an observer that records texts is called on
// each translating thread and must guard what it records).
class Localization {
public:
    // Told every text a step asks to translate, whether or not the table has it: the texts of an
    // app that users can see.
    using TextObserver = std::function<void(const QString&)>;

    // Chooses from `locales` the table of the first preferred language (reduced to its first two
    // characters) that some locale names exactly.
    Localization(const std::optional<QList<TranslationLocale>>& locales,
                 const QStringList& preferredLanguages, TextObserver observer = {});
    // The same, with the system's preferred languages.
    explicit Localization(const std::optional<QList<TranslationLocale>>& locales);

    [[nodiscard]] std::optional<QString> translate(const std::optional<QString>& text) const;
    [[nodiscard]] const std::optional<QHash<QString, QString>>& translations() const {
        return m_translations;
    }
    [[nodiscard]] const TextObserver& textObserver() const { return m_observer; }

private:
    std::optional<QHash<QString, QString>> m_translations;
    TextObserver m_observer;
};

}  // namespace pathloom
