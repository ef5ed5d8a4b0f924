#include "loading/Localization.h"

#include <QLocale>

namespace pathloom {

namespace {

const TranslationLocale* chooseLocale(const QList<TranslationLocale>& locales,
                                      const QStringList& preferredLanguages) {
    for (const QString& language : preferredLanguages) {
        const QStringView code = QStringView(language).left(2);
        for (const TranslationLocale& locale : locales) {
            if (locale.languageId == code) {
                return &locale;
            }
        }
    }
    return nullptr;
}

}  // namespace

Localization::Localization(const std::optional<QList<TranslationLocale>>& locales,
                           const QStringList& preferredLanguages, TextObserver observer)
    : m_observer(std::move(observer)) {
    if (!locales) {
        return;
    }
    const TranslationLocale* chosen = chooseLocale(*locales, preferredLanguages);
    if (!chosen) {
        return;
    }
    QHash<QString, QString>& table = m_translations.emplace();
    for (const Translation& translation : chosen->translations) {
        // The first translation of a text wins.
        if (!table.contains(translation.baseLanguageString)) {
            table.insert(translation.baseLanguageString, translation.translatedString);
        }
    }
}

Localization::Localization(const std::optional<QList<TranslationLocale>>& locales)
    : Localization(locales, QLocale::system().uiLanguages()) {}

std::optional<QString> Localization::translate(const std::optional<QString>& text) const {
    if (text && m_observer) {
        m_observer(*text);
    }
    if (!text || !m_translations) {
        return text;
    }
    const auto found = m_translations->constFind(*text);
    return found == m_translations->constEnd() ? text : std::optional(*found);
}

}  // namespace pathloom
