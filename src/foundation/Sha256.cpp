#include "foundation/Sha256.h"

#include <QCryptographicHash>

namespace pathloom {

// Qt's hash cannot fail, which keeps the digest a plain value for its callers.
QByteArray Sha256::hash(const QByteArray& data) {
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256);
}

QString Sha256::hexDigest(const QByteArray& data) {
    return QString::fromLatin1(hash(data).toHex());
}

}  // namespace pathloom
