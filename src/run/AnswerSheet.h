#pragma once

#include <QDir>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <expected>
#include <optional>

namespace pathloom {

// What a user gives at each step of a run without screens, read from a JSON object that maps step
// identifiers to answers: a question's answer, a form's map of item identifiers to answers, a
// list's item id, a page's button label (or the labels pressed in order), a capture step's file
// path (or, for a document scan, the paths of its pages).
class AnswerSheet {
public:
    AnswerSheet() = default;
    // Relative file paths are read from `base`.
    AnswerSheet(QJsonObject answers, QDir base)
        : m_answers(std::move(answers)), m_base(std::move(base)) {}
    // Fails with a sentence naming the file when it cannot be read or holds no JSON object.
    // Relative file paths in it are read from the file's folder.
    [[nodiscard]] static std::expected<AnswerSheet, QString> read(const QString& path);

    [[nodiscard]] std::optional<QJsonValue> answer(const QString& stepIdentifier) const;
    // The answer as a list of texts: one text, a number, or an array of them. Nothing for a step
    // without an answer or an answer of another shape.
    [[nodiscard]] std::optional<QStringList> texts(const QString& stepIdentifier) const;
    // A file path of the sheet, made absolute against the sheet's folder.
    [[nodiscard]] QString filePath(const QString& path) const;

    // An answer as its user wrote it: a text as it is, a number in its shortest form (3, not 3.0).
    [[nodiscard]] static QString text(const QJsonValue& answer);

private:
    QJsonObject m_answers;
    QDir m_base;
};

}  // namespace pathloom
