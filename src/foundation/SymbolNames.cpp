#include "foundation/SymbolNames.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace pathloom {

using namespace Qt::StringLiterals;

const QMap<QString, QString>& SymbolNames::glyphNames() {
    static const QMap<QString, QString> table = [] {
        QMap<QString, QString> names;
        QFile file(u":/pathloom/symbols/symbols.json"_s);
        if (!file.open(QIODevice::ReadOnly)) {
            return names;
        }
        const QJsonObject entries = QJsonDocument::fromJson(file.readAll()).object();
        for (auto entry = entries.constBegin(); entry != entries.constEnd(); ++entry) {
            names.insert(entry.key(), entry.value().toString());
        }
        return names;
    }();
    return table;
}

}  // namespace pathloom
