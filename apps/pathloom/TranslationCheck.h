#pragma once

#include "JsonPath.h"
#include "LintFinding.h"
#include "documents/TranslationLocale.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace pathloom {

// For each language checked, the texts users see that its table does not translate, and the
// translations whose text no step shows.
class TranslationCheck {
public:
    // One place where a step shows a text that it translates.
    struct Text {
        JsonPath path;
        QString text;
    };

    // The languages are those of the tables, or `languages` (reduced to their first two
    // characters, as the app chooses a table) when given.
    [[nodiscard]] static QList<LintFinding> check(
        const std::optional<QList<TranslationLocale>>& locales, const QList<Text>& texts,
        const std::optional<QStringList>& languages);
};

}  // namespace pathloom
