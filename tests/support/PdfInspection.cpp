#include "PdfInspection.h"

#include <QRegularExpression>

namespace pathloom::test {

using namespace Qt::StringLiterals;

qsizetype pdfPageCount(const QByteArray& pdf) {
    static const QRegularExpression page(uR"(/Type\s*/Page\b(?!s))"_s);
    return QString::fromLatin1(pdf).count(page);
}

QStringList pdfMediaBoxes(const QByteArray& pdf) {
    static const QRegularExpression box(uR"(/MediaBox\s*\[\s*([-\d.\s]+?)\s*\])"_s);
    QStringList boxes;
    for (const QRegularExpressionMatch& match : box.globalMatch(QString::fromLatin1(pdf))) {
        QStringList numbers;
        for (const QString& number : match.captured(1).split(u' ', Qt::SkipEmptyParts)) {
            numbers.append(QString::number(number.toDouble()));
        }
        boxes.append(numbers.join(u' '));
    }
    return boxes;
}

QStringList pdfEmbeddedImages(const QByteArray& pdf) {
    static const QRegularExpression image(
        uR"(/Subtype\s*/Image\s*/Width\s+(\d+)\s*/Height\s+(\d+))"_s);
    QStringList sizes;
    for (const QRegularExpressionMatch& match : image.globalMatch(QString::fromLatin1(pdf))) {
        sizes.append(match.captured(1) + u'x' + match.captured(2));
    }
    return sizes;
}

}  // namespace pathloom::test
