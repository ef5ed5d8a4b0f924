#include "foundation/ResourceBundle.h"

#include "foundation/Json.h"

#include <QDir>
#include <QFile>

namespace pathloom {

ResourceBundle::ResourceBundle(QString path) : m_path(std::move(path)) {}

QString ResourceBundle::localizedString(const QString& key, const QString& table,
                                        const QString& defaultValue) const {
    QFile file(QDir(m_path).filePath(table + QStringLiteral(".json")));
    if (!file.open(QIODevice::ReadOnly)) {
        return defaultValue;
    }
    const auto strings = json::parse(file.readAll());
    if (!strings || !strings->isObject()) {
        return defaultValue;
    }
    return json::readString(strings->toObject(), key).value_or(defaultValue);
}

std::optional<QImage> ResourceBundle::image(const QString& name) const {
    if (name.isEmpty()) {
        return std::nullopt;
    }
    const QDir dir(m_path);
    for (const QString& candidate : {name, name + QStringLiteral(".png")}) {
        const QImage image(dir.filePath(candidate));
        if (!image.isNull()) {
            return image;
        }
    }
    return std::nullopt;
}

}  // namespace pathloom
