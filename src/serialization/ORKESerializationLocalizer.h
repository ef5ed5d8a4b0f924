#pragma once

#include "foundation/ResourceBundle.h"

#include <QHash>
#include <QString>

namespace pathloom {

// Turns a text of a document into the text to show. The base class leaves every text unchanged.
class ORKESerializationLocalizer {
public:
    virtual ~ORKESerializationLocalizer() = default;
    [[nodiscard]] virtual QString localizedStringForString(const QString& string) const;
};

// Looks texts up in a string table of a resource bundle; a text the table lacks stays as it is.
class ORKESerializationBundleLocalizer : public ORKESerializationLocalizer {
public:
    ORKESerializationBundleLocalizer(ResourceBundle bundle, QString tableName);
    [[nodiscard]] QString localizedStringForString(const QString& string) const override;

    [[nodiscard]] const ResourceBundle& bundle() const { return m_bundle; }
    [[nodiscard]] const QString& tableName() const { return m_tableName; }

private:
    ResourceBundle m_bundle;
    QString m_tableName;
};

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
