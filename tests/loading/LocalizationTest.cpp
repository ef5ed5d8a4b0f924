#include "loading/Localization.h"

#include "QtPrinting.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

TranslationLocale locale(const QString& language, QList<std::pair<QString, QString>> entries) {
    TranslationLocale result{language, {}};
    qint64 id = 1;
    for (const auto& [from, to] : entries) {
        result.translations.append(Translation{id++, from, to, 1});
    }
    return result;
}

const QList<TranslationLocale> kEnglishAndFrench{
    locale(u"en"_s, {{u"Start"_s, u"Start"_s}}),
    locale(u"fr"_s, {{u"Start"_s, u"Commencer"_s}, {u"Done"_s, u"Terminé"_s}}),
};

TEST(Localization, ChoosesTheFirstPreferredLanguageReducedToTwoCharacters) {
    const Localization localization(kEnglishAndFrench, {u"fr-CA"_s, u"en-US"_s});
    EXPECT_EQ(localization.translate(u"Start"_s), u"Commencer"_s);
    EXPECT_EQ(localization.translate(u"Done"_s), u"Terminé"_s);
}

TEST(Localization, LeavesTextsUnchangedWithoutAMatchingLanguage) {
    const Localization localization(kEnglishAndFrench, {u"de-DE"_s});
    EXPECT_EQ(localization.translations(), std::nullopt);
    EXPECT_EQ(localization.translate(u"Start"_s), u"Start"_s);
}

TEST(Localization, NeverChoosesALocaleWithALongerLanguageId) {
    const QList<TranslationLocale> locales{locale(u"pt-BR"_s, {{u"Start"_s, u"Iniciar"_s}})};
    for (const QString& language : {u"pt-BR"_s, u"pt"_s, u"pt-PT"_s}) {
        EXPECT_EQ(Localization(locales, {language}).translate(u"Start"_s), u"Start"_s)
            << language.toStdString();
    }
}

TEST(Localization, ComparesLanguageIdsExactly) {
    const QList<TranslationLocale> locales{locale(u"FR"_s, {{u"Start"_s, u"Commencer"_s}})};
    EXPECT_EQ(Localization(locales, {u"fr-FR"_s}).translate(u"Start"_s), u"Start"_s);
}

TEST(Localization, TakesTheFirstLocaleOfALanguageAndItsFirstTranslationOfAText) {
    const QList<TranslationLocale> locales{
        locale(u"fr"_s, {{u"Start"_s, u"Commencer"_s}, {u"Start"_s, u"Démarrer"_s}}),
        locale(u"fr"_s, {{u"Start"_s, u"Lancer"_s}}),
    };
    EXPECT_EQ(Localization(locales, {u"fr"_s}).translate(u"Start"_s), u"Commencer"_s);
}

TEST(Localization, TranslatesOnlyTextsInTheTable) {
    const Localization localization(kEnglishAndFrench, {u"fr"_s});
    EXPECT_EQ(localization.translate(u"Unknown"_s), u"Unknown"_s);
    EXPECT_EQ(localization.translate(std::nullopt), std::nullopt);
    EXPECT_EQ(localization.translate(u""_s), u""_s);
}

TEST(Localization, HasNoTableWithoutLocalesOrLanguages) {
    EXPECT_EQ(Localization(std::nullopt, {u"fr"_s}).translations(), std::nullopt);
    EXPECT_EQ(Localization(kEnglishAndFrench, {}).translations(), std::nullopt);
    EXPECT_EQ(Localization(QList<TranslationLocale>{}, {u"fr"_s}).translate(u"Start"_s),
              u"Start"_s);
}

TEST(Localization, TellsItsObserverEveryTextAskedForWithOrWithoutATranslation) {
    QStringList asked;
    const Localization localization(kEnglishAndFrench, {u"fr"_s},
                                    [&](const QString& text) { asked.append(text); });

    EXPECT_EQ(localization.translate(u"Start"_s), u"Commencer"_s);
    EXPECT_EQ(localization.translate(u"Untranslated"_s), u"Untranslated"_s);
    EXPECT_EQ(localization.translate(std::nullopt), std::nullopt);
    EXPECT_EQ(asked, (QStringList{u"Start"_s, u"Untranslated"_s}));
}

TEST(Localization, ReadsTheSystemLanguagesWhenNoneAreGiven) {
    const QStringList system = QLocale::system().uiLanguages();
    ASSERT_FALSE(system.isEmpty());
    const QList<TranslationLocale> locales{locale(system.first().left(2), {{u"Start"_s, u"X"_s}})};
    EXPECT_EQ(Localization(locales).translate(u"Start"_s), u"X"_s);
}

}  // namespace
}  // namespace pathloom
