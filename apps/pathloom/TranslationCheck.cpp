#include "TranslationCheck.h"

#include <QHash>
#include <QSet>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

const JsonPath kLocales = JsonPath().key(u"locales"_s);

// The locales to check, by position in the document.
QList<qsizetype> chosenLocales(const QList<TranslationLocale>& locales,
                               const std::optional<QStringList>& languages,
                               QList<LintFinding>& findings) {
    QList<qsizetype> chosen;
    if (!languages) {
        for (qsizetype i = 0; i < locales.size(); ++i) {
            chosen.append(i);
        }
        return chosen;
    }
    QStringList codes;
    for (const QString& language : *languages) {
        const QString code = language.left(2);
        if (!codes.contains(code)) {
            codes.append(code);
        }
    }
    for (const QString& code : std::as_const(codes)) {
        const auto found = std::ranges::find(locales, code, &TranslationLocale::languageId);
        if (found == locales.end()) {
            findings.append({LintFinding::Severity::warning, u"translation-table-missing"_s,
                             u"no translation table is for the language '%1'"_s.arg(code), kLocales,
                             std::nullopt});
        } else if (!chosen.contains(found - locales.begin())) {
            chosen.append(found - locales.begin());
        }
    }
    return chosen;
}

}  // namespace

QList<LintFinding> TranslationCheck::check(const std::optional<QList<TranslationLocale>>& locales,
                                           const QList<Text>& texts,
                                           const std::optional<QStringList>& languages) {
    QList<LintFinding> findings;
    const QList<TranslationLocale> tables = locales.value_or(QList<TranslationLocale>());
    QSet<QString> shown;
    for (const Text& text : texts) {
        shown.insert(text.text);
    }
    for (const qsizetype index : chosenLocales(tables, languages, findings)) {
        const TranslationLocale& locale = tables[index];
        QSet<QString> translated;
        const JsonPath translationsPath = kLocales.index(index).key(u"translations"_s);
        for (qsizetype i = 0; i < locale.translations.size(); ++i) {
            const QString& from = locale.translations[i].baseLanguageString;
            translated.insert(from);
            if (!shown.contains(from)) {
                findings.append(
                    {LintFinding::Severity::warning, u"translation-unused"_s,
                     u"the '%1' translation of \"%2\" translates no text of the app"_s.arg(
                         locale.languageId, from),
                     translationsPath.index(i).key(u"from"_s), std::nullopt});
            }
        }
        for (const Text& text : texts) {
            if (!translated.contains(text.text)) {
                findings.append(
                    {LintFinding::Severity::warning, u"translation-missing"_s,
                     u"\"%1\" has no '%2' translation"_s.arg(text.text, locale.languageId),
                     text.path, std::nullopt});
            }
        }
    }
    return findings;
}

}  // namespace pathloom
