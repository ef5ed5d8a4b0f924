#pragma once

#include <QImage>
#include <QString>
#include <optional>

namespace pathloom {

// A folder of resources shipped with a host app (a plain directory or a Qt resource path such as
// ":/bundle"): string tables as "<table>.json" files holding one JSON object of key → text, and
// images by file name, with or without the ".png" extension. Read-only, so safe to share.
class ResourceBundle {
public:
    explicit ResourceBundle(QString path);

    [[nodiscard]] const QString& path() const { return m_path; }
    // The text for `key` in the string table `table`, or `defaultValue` when there is none.
    [[nodiscard]] QString localizedString(const QString& key, const QString& table,
                                          const QString& defaultValue) const;
    [[nodiscard]] std::optional<QImage> image(const QString& name) const;

private:
    QString m_path;
};

}  // namespace pathloom
