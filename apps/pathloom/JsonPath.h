#pragma once

#include <QList>
#include <QString>
#include <variant>

namespace pathloom {

// Where a value sits in a JSON document, as keys and array indexes from the root; written the
// way authors read it: workflows[2].steps[4].url. A plain value.
class JsonPath {
public:
    using Component = std::variant<QString, qsizetype>;

    JsonPath() = default;

    [[nodiscard]] JsonPath key(const QString& name) const;
    [[nodiscard]] JsonPath index(qsizetype position) const;

    [[nodiscard]] const QList<Component>& components() const { return m_components; }
    [[nodiscard]] bool isRoot() const { return m_components.isEmpty(); }
    // Keys that are not plain words are quoted: items["first name"].
    [[nodiscard]] QString text() const;

    friend bool operator==(const JsonPath&, const JsonPath&) = default;

private:
    QList<Component> m_components;
};

}  // namespace pathloom
