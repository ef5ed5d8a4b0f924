// pathloom-bench-docgen --bytes N|--steps N FILE
// Writes a generated app document (see AppDocumentGenerator) to FILE. Exit status: 0 written,
// 1 not written, 2 usage.

#include "AppDocumentGenerator.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    bool isNumber = false;
    const qsizetype count = arguments.size() == 3 ? arguments[1].toLongLong(&isNumber) : 0;
    if (!isNumber || count <= 0 || (arguments[0] != u"--bytes" && arguments[0] != u"--steps")) {
        QTextStream(stderr) << "usage: pathloom-bench-docgen --bytes N|--steps N FILE\n";
        return 2;
    }
    pathloom::bench::AppDocumentGenerator generator;
    const QByteArray document = arguments[0] == u"--bytes" ? generator.documentOfSize(count)
                                                           : generator.documentWithSteps(count);
    QFile file(arguments[2]);
    if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size()) {
        QTextStream(stderr) << "pathloom-bench-docgen: cannot write " << arguments[2] << '\n';
        return 1;
    }
    return 0;
}
