#include "BenchDocuments.h"

#include "AppDocumentGenerator.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

namespace pathloom::bench {

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir& temporaryDirectory() {
    static QTemporaryDir directory;
    return directory;
}

}  // namespace

const QByteArray& BenchDocuments::ofSize(qsizetype bytes) {
    static QHash<qsizetype, QByteArray> documents;
    const auto found = documents.constFind(bytes);
    if (found != documents.constEnd()) {
        return *found;
    }
    return *documents.insert(bytes, AppDocumentGenerator().documentOfSize(bytes));
}

QString BenchDocuments::fileOfSize(qsizetype bytes) {
    const QString path = temporaryDirectory().filePath(u"app-%1.json"_s.arg(bytes));
    if (!QFile::exists(path)) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(ofSize(bytes));
        }
    }
    return path;
}

const QByteArray& BenchDocuments::withSteps(qsizetype steps) {
    static QHash<qsizetype, QByteArray> documents;
    const auto found = documents.constFind(steps);
    if (found != documents.constEnd()) {
        return *found;
    }
    return *documents.insert(steps, AppDocumentGenerator().documentWithSteps(steps));
}

QString BenchDocuments::scratchDirectory() { return temporaryDirectory().path(); }

}  // namespace pathloom::bench
