#include "run/DataDirectory.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <utility>

namespace pathloom {

using namespace Qt::StringLiterals;

void DataDirectory::useFromArguments(int argc, char* argv[]) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (QByteArray(argv[i]) != "--data-dir") {
            continue;
        }
        const QString root = QDir(QString::fromLocal8Bit(argv[i + 1])).absolutePath();
        for (const auto& [variable, folder] :
             {std::pair{"XDG_DATA_HOME", "data"}, std::pair{"XDG_CACHE_HOME", "cache"},
              std::pair{"XDG_CONFIG_HOME", "config"},
              std::pair{"XDG_DOCUMENTS_DIR", "documents"}}) {
            const QString path = root + u'/' + QString::fromLatin1(folder);
            QDir().mkpath(path);
            qputenv(variable, path.toLocal8Bit());
        }
    }
}

}  // namespace pathloom
