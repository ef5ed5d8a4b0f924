#include "foundation/SecretServiceKeyStore.h"

#include "foundation/FileKeyStore.h"
#include "foundation/FileLock.h"
#include "foundation/KeyStoreItemCodec.h"

#include <libsecret/secret.h>
#include <QFileInfo>
#include <memory>
#include <vector>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using ErrorPtr = std::unique_ptr<GError, GErrorFree>;

struct SecretValueUnref {
    void operator()(SecretValue* value) const { secret_value_unref(value); }
};
using ValuePtr = std::unique_ptr<SecretValue, SecretValueUnref>;

struct HashTableUnref {
    void operator()(GHashTable* table) const { g_hash_table_unref(table); }
};
using HashTablePtr = std::unique_ptr<GHashTable, HashTableUnref>;

struct VariantUnref {
    void operator()(GVariant* variant) const { g_variant_unref(variant); }
};
using VariantPtr = std::unique_ptr<GVariant, VariantUnref>;

// Owns the GError a libsecret or GIO call may set through error.out().
class ErrorSlot {
public:
    GError** out() { return &m_raw; }
    [[nodiscard]] ErrorPtr take() { return ErrorPtr(std::exchange(m_raw, nullptr)); }
    ~ErrorSlot() {
        if (m_raw) {
            g_error_free(m_raw);
        }
    }
    ErrorSlot() = default;
    ErrorSlot(const ErrorSlot&) = delete;
    ErrorSlot& operator=(const ErrorSlot&) = delete;

private:
    GError* m_raw = nullptr;
};

const SecretSchema& schema() {
    // Built once, then only read; SecretSchema has reserved fields that must stay zero.
    static const SecretSchema kSchema = [] {
        SecretSchema built{};
        built.name = "org.pathloom.KeyStore";
        built.flags = SECRET_SCHEMA_NONE;
        built.attributes[0] = {"class", SECRET_SCHEMA_ATTRIBUTE_STRING};
        built.attributes[1] = {"identity", SECRET_SCHEMA_ATTRIBUTE_STRING};
        built.attributes[2] = {"folder", SECRET_SCHEMA_ATTRIBUTE_STRING};
        return built;
    }();
    return kSchema;
}

KeyStore::Status statusOf(const GError* error) {
    if (error->domain == SECRET_ERROR && error->code == SECRET_ERROR_IS_LOCKED) {
        return KeyStore::interactionNotAllowed;
    }
    if (error->domain == G_DBUS_ERROR || error->domain == G_IO_ERROR) {
        return KeyStore::notAvailable;
    }
    return KeyStore::ioError;
}

// The searchable attributes of an item; the texts stay alive as long as the table is used.
class ItemAttributes {
public:
    ItemAttributes(KeyStore::ItemClass itemClass, const QString& identity, const QString& folder)
        : m_class(KeyStoreItemCodec::classText(itemClass).toUtf8()),
          m_identity(identity.toUtf8()),
          m_folder(folder.toUtf8()),
          m_table(g_hash_table_new(g_str_hash, g_str_equal)) {
        g_hash_table_insert(m_table.get(), const_cast<char*>("class"), m_class.data());
        g_hash_table_insert(m_table.get(), const_cast<char*>("identity"), m_identity.data());
        g_hash_table_insert(m_table.get(), const_cast<char*>("folder"), m_folder.data());
    }

    [[nodiscard]] GHashTable* table() const { return m_table.get(); }

private:
    QByteArray m_class;
    QByteArray m_identity;
    QByteArray m_folder;
    HashTablePtr m_table;
};

// One keyring item found under an identity, with the item it holds when it could be read.
struct Found {
    GObjectPtr<SecretItem> item;
    bool locked = false;
    std::optional<KeyStore::Attributes> stored;
};

std::expected<GObjectPtr<SecretService>, KeyStore::Status> service() {
    ErrorSlot error;
    // libsecret shares one service object per process and hands out a reference to it.
    GObjectPtr<SecretService> shared(
        secret_service_get_sync(SECRET_SERVICE_NONE, nullptr, error.out()));
    if (!shared) {
        const ErrorPtr failure = error.take();
        return std::unexpected(failure ? statusOf(failure.get()) : KeyStore::notAvailable);
    }
    return shared;
}

// Every item of the folder under the query's identity. Locked items are listed without their
// secret: searching never unlocks, so it never prompts.
std::expected<std::vector<Found>, KeyStore::Status> search(const QString& folder,
                                                           KeyStore::ItemClass itemClass,
                                                           const QString& identity) {
    auto secrets = service();
    if (!secrets) {
        return std::unexpected(secrets.error());
    }
    const ItemAttributes attributes(itemClass, identity, folder);
    ErrorSlot error;
    GList* list = secret_service_search_sync(
        secrets->get(), &schema(), attributes.table(),
        static_cast<SecretSearchFlags>(SECRET_SEARCH_ALL | SECRET_SEARCH_LOAD_SECRETS), nullptr,
        error.out());
    if (const ErrorPtr failure = error.take()) {
        g_list_free_full(list, g_object_unref);
        return std::unexpected(statusOf(failure.get()));
    }
    std::vector<Found> found;
    for (GList* node = list; node; node = node->next) {
        Found entry;
        entry.item.reset(static_cast<SecretItem*>(node->data));
        entry.locked = secret_item_get_locked(entry.item.get());
        if (const ValuePtr value{secret_item_get_secret(entry.item.get())}) {
            gsize length = 0;
            const gchar* bytes = secret_value_get(value.get(), &length);
            entry.stored =
                KeyStoreItemCodec::decode(QByteArray(bytes, static_cast<qsizetype>(length)));
        }
        found.push_back(std::move(entry));
    }
    g_list_free(list);
    return found;
}

QString itemsLockPath(const QString& directory) { return directory + u"/.keyring-items.lock"_s; }

// Runs `change` on the folder's items under the query's identity while holding the folder's
// items lock: the Secret Service would happily keep two items with the same attributes, and the
// lock makes the search and the change one step for every store of this folder.
template <typename Change>
KeyStore::Status changeItems(const QString& folder, KeyStore::ItemClass itemClass,
                             const QString& identity, const Change& change) {
    if (!FileLock::ensurePrivateDirectory(folder)) {
        return KeyStore::ioError;
    }
    const FileLock lock(itemsLockPath(folder));
    if (!lock.isLocked()) {
        return KeyStore::ioError;
    }
    const auto found = search(folder, itemClass, identity);
    if (!found) {
        return found.error();
    }
    return change(*found);
}

constexpr const char* kSecretsName = "org.freedesktop.secrets";

// Whether a session bus can be reached without starting one: GIO would otherwise "autolaunch"
// a bus of its own for an X display, which is slow and which no keyring listens on.
bool sessionBusConfigured() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + u"/bus"_s);
}

// One method call with a timeout; the reply, or the text of what went wrong.
std::expected<VariantPtr, QString> call(GDBusConnection* bus, const char* name, const char* path,
                                        const char* interface, const char* method,
                                        GVariant* parameters, const GVariantType* replyType,
                                        std::chrono::milliseconds timeout) {
    ErrorSlot error;
    VariantPtr reply(g_dbus_connection_call_sync(
        bus, name, path, interface, method, parameters, replyType, G_DBUS_CALL_FLAGS_NONE,
        static_cast<gint>(timeout.count()), nullptr, error.out()));
    if (const ErrorPtr failure = error.take()) {
        return std::unexpected(QString::fromUtf8(failure->message));
    }
    return reply;
}

bool booleanReply(const VariantPtr& reply) {
    gboolean value = FALSE;
    g_variant_get(reply.get(), "(b)", &value);
    return value;
}

// Whether the bus has the Secret Service running or can start it.
std::expected<bool, QString> serviceKnown(GDBusConnection* bus, std::chrono::milliseconds timeout) {
    const auto owned =
        call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
             "NameHasOwner", g_variant_new("(s)", kSecretsName), G_VARIANT_TYPE("(b)"), timeout);
    if (!owned) {
        return std::unexpected(owned.error());
    }
    if (booleanReply(*owned)) {
        return true;
    }
    const auto activatable =
        call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
             "ListActivatableNames", nullptr, G_VARIANT_TYPE("(as)"), timeout);
    if (!activatable) {
        return std::unexpected(activatable.error());
    }
    GVariantIter* names = nullptr;
    g_variant_get(activatable->get(), "(as)", &names);
    bool found = false;
    const gchar* name = nullptr;
    while (!found && g_variant_iter_next(names, "&s", &name)) {
        found = g_strcmp0(name, kSecretsName) == 0;
    }
    g_variant_iter_free(names);
    return found;
}

// A new item for `attributes` holding `encoded` in the default collection, unless `found`
// already holds one.
KeyStore::Status createItem(const QString& folder, const KeyStore::Attributes& attributes,
                            const QString& id, const QByteArray& encoded,
                            const std::vector<Found>& found) {
    if (!found.empty()) {
        return KeyStore::duplicateItem;
    }
    auto secrets = service();
    if (!secrets) {
        return secrets.error();
    }
    ErrorSlot error;
    const GObjectPtr<SecretCollection> collection(secret_collection_for_alias_sync(
        secrets->get(), SECRET_COLLECTION_DEFAULT, SECRET_COLLECTION_NONE, nullptr, error.out()));
    if (const ErrorPtr failure = error.take()) {
        return statusOf(failure.get());
    }
    if (!collection) {
        return KeyStore::notAvailable;
    }
    // Creating an item in a locked collection would ask the user to unlock it.
    if (secret_collection_get_locked(collection.get())) {
        return KeyStore::interactionNotAllowed;
    }
    const ValuePtr value(secret_value_new(encoded.constData(), encoded.size(), "application/json"));
    const ItemAttributes searchable(attributes.itemClass, id, folder);
    const QByteArray label =
        (u"Pathloom "_s + KeyStoreItemCodec::classText(attributes.itemClass) + u' ' + id).toUtf8();
    const GObjectPtr<SecretItem> created(
        secret_item_create_sync(collection.get(), &schema(), searchable.table(), label.constData(),
                                value.get(), SECRET_ITEM_CREATE_NONE, nullptr, error.out()));
    if (const ErrorPtr failure = error.take()) {
        return statusOf(failure.get());
    }
    return created ? KeyStore::success : KeyStore::ioError;
}

// Deletes the items of `found` whose attributes `answers` the query.
template <typename Answers>
KeyStore::Status deleteItems(const Answers& answers, const std::vector<Found>& found) {
    bool removed = false;
    for (const Found& entry : found) {
        if (entry.locked) {
            return KeyStore::interactionNotAllowed;
        }
        // An unreadable item under the queried identity is removed too: nobody can use it.
        if (entry.stored && !answers(*entry.stored)) {
            continue;
        }
        ErrorSlot error;
        if (!secret_item_delete_sync(entry.item.get(), nullptr, error.out())) {
            const ErrorPtr failure = error.take();
            return failure ? statusOf(failure.get()) : KeyStore::ioError;
        }
        removed = true;
    }
    return removed ? KeyStore::success : KeyStore::itemNotFound;
}

}  // namespace

SecretServiceKeyStore::SecretServiceKeyStore(QString directory)
    : m_directory(QFileInfo(directory).absoluteFilePath()) {}

std::expected<void, QString> SecretServiceKeyStore::probe(std::chrono::milliseconds timeout) {
    if (!sessionBusConfigured()) {
        return std::unexpected(u"no session bus"_s);
    }
    ErrorSlot error;
    // GIO shares one session bus connection per process; libsecret then uses the same one.
    const GObjectPtr<GDBusConnection> bus(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, error.out()));
    if (const ErrorPtr failure = error.take(); failure || !bus) {
        return std::unexpected(u"no session bus: "_s +
                               (failure ? QString::fromUtf8(failure->message) : QString()));
    }
    const auto known = serviceKnown(bus.get(), timeout);
    if (!known) {
        return std::unexpected(u"the session bus did not answer: "_s + known.error());
    }
    if (!*known) {
        return std::unexpected(u"no Secret Service on the session bus"_s);
    }
    // Asking for the default collection starts the service if it only is activatable.
    const auto alias =
        call(bus.get(), kSecretsName, "/org/freedesktop/secrets", "org.freedesktop.Secret.Service",
             "ReadAlias", g_variant_new("(s)", "default"), G_VARIANT_TYPE("(o)"), timeout);
    if (!alias) {
        return std::unexpected(u"the Secret Service did not answer: "_s + alias.error());
    }
    const gchar* path = nullptr;
    g_variant_get(alias->get(), "(&o)", &path);
    if (g_strcmp0(path, "/") == 0) {
        return std::unexpected(u"the keyring has no default collection"_s);
    }
    const auto locked =
        call(bus.get(), kSecretsName, path, "org.freedesktop.DBus.Properties", "Get",
             g_variant_new("(ss)", "org.freedesktop.Secret.Collection", "Locked"),
             G_VARIANT_TYPE("(v)"), timeout);
    if (!locked) {
        return std::unexpected(u"the Secret Service did not answer: "_s + locked.error());
    }
    GVariant* boxed = nullptr;
    g_variant_get(locked->get(), "(v)", &boxed);
    const VariantPtr value(boxed);
    if (!g_variant_is_of_type(value.get(), G_VARIANT_TYPE_BOOLEAN)) {
        return std::unexpected(u"the Secret Service gave no lock state"_s);
    }
    if (g_variant_get_boolean(value.get())) {
        return std::unexpected(u"the default collection is locked"_s);
    }
    return {};
}

KeyStore::Match SecretServiceKeyStore::copyMatching(const Attributes& query) {
    const auto id = identity(query);
    if (!id) {
        return {invalidParameter, std::nullopt};
    }
    const auto found = search(m_directory, query.itemClass, *id);
    if (!found) {
        return {found.error(), std::nullopt};
    }
    if (found->empty()) {
        return {itemNotFound, std::nullopt};
    }
    const Found& first = found->front();
    if (first.locked) {
        return {interactionNotAllowed, std::nullopt};
    }
    if (!first.stored) {
        return {decodeError, std::nullopt};
    }
    if (!matches(query, *first.stored)) {
        return {itemNotFound, std::nullopt};
    }
    return {success, answer(query, *first.stored)};
}

KeyStore::Status SecretServiceKeyStore::add(const Attributes& attributes) {
    const auto id = identity(attributes);
    const bool isKey = attributes.itemClass == ItemClass::key;
    if (!id || isKey != attributes.valueRef.has_value() || (isKey && attributes.valueData)) {
        return invalidParameter;
    }
    return changeItems(
        m_directory, attributes.itemClass, *id, [&](const std::vector<Found>& found) {
            return createItem(m_directory, attributes, *id,
                              KeyStoreItemCodec::encode(storedAttributes(attributes)), found);
        });
}

KeyStore::Status SecretServiceKeyStore::remove(const Attributes& query) {
    const auto id = identity(query);
    if (!id) {
        return invalidParameter;
    }
    return changeItems(m_directory, query.itemClass, *id, [&](const std::vector<Found>& found) {
        return deleteItems([&](const Attributes& stored) { return matches(query, stored); }, found);
    });
}

KeyStore::Status SecretServiceKeyStore::serialized(const std::function<void()>& work) {
    if (!FileLock::ensurePrivateDirectory(m_directory)) {
        return ioError;
    }
    const FileLock lock(FileKeyStore::lockPath(m_directory));
    if (!lock.isLocked()) {
        return ioError;
    }
    work();
    return success;
}

}  // namespace pathloom
