#pragma once

#include "foundation/KeyStore.h"

#include <QList>
#include <map>
#include <mutex>
#include <optional>

namespace pathloom::test {

// A key store in memory that can be told to fail: an operation answers with a given status, or
// key creation or export fails with a given text, until the failure is cleared. Thread-safe.
class InMemoryKeyStore : public KeyStore {
public:
    enum class Operation { copyMatching, add, remove, serialized };

    void failWith(Operation operation, Status status);
    void failKeyCreation(const QString& reason);
    void failKeyExport(const QString& reason);
    void clearFailures();

    [[nodiscard]] qsizetype itemCount() const;

    [[nodiscard]] Match copyMatching(const Attributes& query) override;
    [[nodiscard]] Status add(const Attributes& attributes) override;
    [[nodiscard]] Status remove(const Attributes& query) override;
    [[nodiscard]] Status serialized(const std::function<void()>& work) override;
    [[nodiscard]] std::expected<Key, QString> createKey(const QByteArray& representation,
                                                        KeyType type, KeyClass keyClass) override;
    [[nodiscard]] std::expected<QByteArray, QString> exportKey(const Key& key) override;

private:
    [[nodiscard]] std::optional<Status> failure(Operation operation) const;
    // The index of the stored item the query identifies; call with m_mutex held.
    [[nodiscard]] std::optional<qsizetype> find(const Attributes& query) const;

    mutable std::mutex m_mutex;  // guards every member below but m_serialization
    QList<Attributes> m_items;
    std::map<Operation, Status> m_failures;
    std::optional<QString> m_keyCreationFailure;
    std::optional<QString> m_keyExportFailure;
    std::mutex m_serialization;  // held while serialized() runs its work
};

}  // namespace pathloom::test
