#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <random>

namespace pathloom::bench {

// Writes app documents as a server would deliver them, for the benchmarks: many workflows whose
// steps cover every step kind the framework builds (its own and the task framework's), questions
// and forms with answer formats of many classes, navigation rules on the answers, and French and
// German translation tables for the texts a user sees. The same seed gives the same bytes.
// Every document it writes loads without error.
class AppDocumentGenerator {
public:
    explicit AppDocumentGenerator(quint32 seed = 20240611);

    // A compact document of about `approximateBytes` (it stops at the first workflow that
    // reaches the size; at least one workflow).
    [[nodiscard]] QByteArray documentOfSize(qsizetype approximateBytes);
    // A compact document of exactly `stepCount` steps, in workflows of about twenty steps.
    [[nodiscard]] QByteArray documentWithSteps(qsizetype stepCount);

    // The step kinds, in the order the first workflow of every document lists them.
    [[nodiscard]] static const QStringList& stepKinds();

private:
    struct Plan {
        qsizetype approximateBytes = 0;
        qsizetype stepCount = 0;
    };

    [[nodiscard]] QByteArray document(const Plan& plan);
    [[nodiscard]] QJsonObject workflow(qint64 id, const QStringList& kinds, qint64 workflowCount);
    [[nodiscard]] QJsonObject step(const QString& kind, const QString& identifier,
                                   qint64 workflowCount, const QStringList& earlierQuestions);
    [[nodiscard]] QJsonObject answerFormat();
    [[nodiscard]] QJsonArray formItems(const QString& stepIdentifier);
    [[nodiscard]] QJsonArray displayItems();
    [[nodiscard]] QJsonArray translations(qint64 localeId, bool german) const;
    [[nodiscard]] QStringList kindsOfWorkflow(qint64 id, qsizetype stepCount);

    // A user-visible text, remembered for the translation tables.
    [[nodiscard]] QString title(int minimumWords, int maximumWords);
    [[nodiscard]] QString sentence(int minimumWords, int maximumWords);
    [[nodiscard]] QString words(int minimumWords, int maximumWords);
    [[nodiscard]] int between(int low, int high);
    [[nodiscard]] bool chance(double probability);

    std::mt19937 m_random;
    // Texts to translate, in first-use order; m_seenTexts keeps the list free of repeats.
    QStringList m_texts;
    QSet<QString> m_seenTexts;
    // The bytes the translation tables of m_texts will take in the document, about.
    qsizetype m_translationBytes = 0;
    qsizetype m_formatIndex = 0;
};

}  // namespace pathloom::bench
