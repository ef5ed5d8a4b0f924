#include "InMemoryKeyStore.h"

namespace pathloom::test {

void InMemoryKeyStore::failWith(Operation operation, Status status) {
    const std::scoped_lock lock(m_mutex);
    m_failures[operation] = status;
}

void InMemoryKeyStore::failKeyCreation(const QString& reason) {
    const std::scoped_lock lock(m_mutex);
    m_keyCreationFailure = reason;
}

void InMemoryKeyStore::failKeyExport(const QString& reason) {
    const std::scoped_lock lock(m_mutex);
    m_keyExportFailure = reason;
}

void InMemoryKeyStore::clearFailures() {
    const std::scoped_lock lock(m_mutex);
    m_failures.clear();
    m_keyCreationFailure.reset();
    m_keyExportFailure.reset();
}

qsizetype InMemoryKeyStore::itemCount() const {
    const std::scoped_lock lock(m_mutex);
    return m_items.size();
}

std::optional<KeyStore::Status> InMemoryKeyStore::failure(Operation operation) const {
    const std::scoped_lock lock(m_mutex);
    const auto found = m_failures.find(operation);
    return found == m_failures.end() ? std::nullopt : std::optional(found->second);
}

std::optional<qsizetype> InMemoryKeyStore::find(const Attributes& query) const {
    const auto id = identity(query);
    for (qsizetype i = 0; id && i < m_items.size(); ++i) {
        if (m_items[i].itemClass == query.itemClass && identity(m_items[i]) == id) {
            return i;
        }
    }
    return std::nullopt;
}

KeyStore::Match InMemoryKeyStore::copyMatching(const Attributes& query) {
    if (const auto status = failure(Operation::copyMatching)) {
        return {*status, std::nullopt};
    }
    if (!identity(query)) {
        return {invalidParameter, std::nullopt};
    }
    const std::scoped_lock lock(m_mutex);
    const auto index = find(query);
    if (!index || !matches(query, m_items[*index])) {
        return {itemNotFound, std::nullopt};
    }
    return {success, answer(query, m_items[*index])};
}

KeyStore::Status InMemoryKeyStore::add(const Attributes& attributes) {
    if (const auto status = failure(Operation::add)) {
        return *status;
    }
    if (!identity(attributes)) {
        return invalidParameter;
    }
    const std::scoped_lock lock(m_mutex);
    if (find(attributes)) {
        return duplicateItem;
    }
    m_items.append(storedAttributes(attributes));
    return success;
}

KeyStore::Status InMemoryKeyStore::remove(const Attributes& query) {
    if (const auto status = failure(Operation::remove)) {
        return *status;
    }
    if (!identity(query)) {
        return invalidParameter;
    }
    const std::scoped_lock lock(m_mutex);
    const auto index = find(query);
    if (!index || !matches(query, m_items[*index])) {
        return itemNotFound;
    }
    m_items.removeAt(*index);
    return success;
}

KeyStore::Status InMemoryKeyStore::serialized(const std::function<void()>& work) {
    if (const auto status = failure(Operation::serialized)) {
        return *status;
    }
    const std::scoped_lock lock(m_serialization);
    work();
    return success;
}

std::expected<KeyStore::Key, QString> InMemoryKeyStore::createKey(const QByteArray& representation,
                                                                  KeyType type, KeyClass keyClass) {
    {
        const std::scoped_lock lock(m_mutex);
        if (m_keyCreationFailure) {
            return std::unexpected(*m_keyCreationFailure);
        }
    }
    return KeyStore::createKey(representation, type, keyClass);
}

std::expected<QByteArray, QString> InMemoryKeyStore::exportKey(const Key& key) {
    {
        const std::scoped_lock lock(m_mutex);
        if (m_keyExportFailure) {
            return std::unexpected(*m_keyExportFailure);
        }
    }
    return KeyStore::exportKey(key);
}

}  // namespace pathloom::test
