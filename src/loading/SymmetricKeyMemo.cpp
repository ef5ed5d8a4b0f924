#include "loading/SymmetricKeyMemo.h"

#include <mutex>

namespace pathloom {

std::optional<QByteArray> SymmetricKeyMemo::keyFor(const QByteArray& privateKeyBytes) const {
    const std::lock_guard lock(m_mutex);
    if (m_privateKeyBytes.isEmpty() || m_privateKeyBytes != privateKeyBytes) {
        return std::nullopt;
    }
    return m_symmetricKey;
}

void SymmetricKeyMemo::remember(const QByteArray& privateKeyBytes, const QByteArray& symmetricKey) {
    const std::lock_guard lock(m_mutex);
    m_privateKeyBytes = privateKeyBytes;
    m_symmetricKey = symmetricKey;
}

}  // namespace pathloom
