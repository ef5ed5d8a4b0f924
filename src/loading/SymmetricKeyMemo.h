#pragma once

#include <QByteArray>
#include <mutex>
#include <optional>

namespace pathloom {

// Remembers the symmetric key derived from one stored private key, under the exact bytes of that
// private key as the key store handed them out, so that the P-521 key agreement is paid once per
// key instead of once per use of the cache. A key that was replaced, or created anew after a
// deletion, has other bytes and is derived afresh: it never gets the key of the one before.
// Thread-safe: m_mutex guards the remembered pair.
class SymmetricKeyMemo {
public:
    // The key derived from exactly these private-key bytes, if it is the one remembered.
    [[nodiscard]] std::optional<QByteArray> keyFor(const QByteArray& privateKeyBytes) const;
    // Remembers `symmetricKey` as the key of `privateKeyBytes`, in place of any other.
    void remember(const QByteArray& privateKeyBytes, const QByteArray& symmetricKey);

private:
    mutable std::mutex m_mutex;
    QByteArray m_privateKeyBytes;
    QByteArray m_symmetricKey;
};

}  // namespace pathloom
