#pragma once

#include "serialization/ORKESerializableTableEntry.h"
#include "serialization/ObjectClass.h"
#include "serialization/PropertyAccess.h"
#include "serialization/ValueForm.h"

#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <memory>
#include <mutex>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

namespace pathloom {

template <typename T>
class ClassRow;

// What coding needs of a class, gathered once from the table: the entries of the class and of its
// base classes, most derived first, and each property by name as the first of them declares it.
struct ClassLayout {
    QList<const ORKESerializableTableEntry*> encodings;
    QHash<QString, const ORKESerializableProperty*> properties;
};

// The classes the serializer knows and how each is stored: the object runtime (class by name,
// class of a value, base-class chains, construction) and the table of entries by class name.
// The shared table is built once, on first use, by the rows in serialization/rows/; after that it
// is only read, except by registrations, which must happen before concurrent use.
class EncodingTable {
public:
    // An empty table that knows only the built-in value classes.
    EncodingTable();
    EncodingTable(const EncodingTable&) = delete;
    EncodingTable& operator=(const EncodingTable&) = delete;

    // The table of every task-model class; safe to call from several threads at once.
    [[nodiscard]] static EncodingTable& shared();

    [[nodiscard]] const ObjectClass* classNamed(const QString& name) const;
    // The class of a value: NSString, NSNumber, NSArray, NSDictionary, NSNull, NSURL, NSDate…, or
    // for a model object its own class; null for no value or an object of an undeclared class.
    [[nodiscard]] const ObjectClass* classOf(const Value& value) const;
    // The entries of the class and of its base classes, most derived first.
    [[nodiscard]] const QList<const ORKESerializableTableEntry*>& classEncodings(
        const ObjectClass& objectClass) const;
    // The class's entries and properties; gathered on first use, safe from several threads.
    [[nodiscard]] const ClassLayout& layout(const ObjectClass& objectClass) const;
    [[nodiscard]] const std::unordered_map<QString, ORKESerializableTableEntry>& entries() const {
        return m_entries;
    }
    // The entry of the class, added without init block and properties when missing. Whatever the
    // caller changes in it is seen by layouts gathered afterwards.
    ORKESerializableTableEntry& entryFor(const ObjectClass& objectClass);

    // Makes the C++ class T, derived from Base, known under `name` without a table entry.
    template <typename T, typename Base>
    requires std::derived_from<T, Base> && std::derived_from<Base, ORKObject> ObjectClass&
    declareClass(const QString& name) {
        ObjectClass& declared = addClass(name, typeid(T), typeid(Base));
        if constexpr (std::is_default_constructible_v<T>) {
            declared.setMake([] { return std::make_shared<T>(); });
        }
        return declared;
    }
    // Declares the class T and starts its table entry (see ClassRow).
    template <typename T, typename Base>
    requires std::derived_from<T, Base> && std::derived_from<Base, ORKObject> ClassRow<T> row(
        const QString& name);

    // Resolves base classes and property classes named before they were declared. Rows call it
    // when they are all in.
    void link();

    // A property whose classes are named, for resolution by link().
    void addProperty(const QString& className, ORKESerializableProperty property,
                     const ValueForm& form);

private:
    ObjectClass& addClass(const QString& name, std::type_index type, std::type_index base);
    ObjectClass& addBuiltin(const QString& name, const ObjectClass* base);
    // Drops the gathered layouts; every change to classes or entries calls it, and changes happen
    // before concurrent use.
    void forgetLayouts();

    struct PendingClasses {
        QString className;
        QString propertyName;
        QString valueClassName;
        QString containerClassName;
    };

    std::unordered_map<QString, std::unique_ptr<ObjectClass>> m_classes;
    std::unordered_map<std::type_index, const ObjectClass*> m_classesByType;
    std::unordered_map<ObjectClass*, std::type_index> m_pendingBases;
    // The class of each kind of value, by its index in Value::Storage; null for kinds without one.
    std::array<const ObjectClass*, std::variant_size_v<Value::Storage>> m_kindClasses{};
    QList<PendingClasses> m_pendingProperties;
    // Node-based, so entries keep their address while rows are added.
    std::unordered_map<QString, ORKESerializableTableEntry> m_entries;
    const ObjectClass* m_root = nullptr;
    // Filled by whichever thread first codes a class, under the mutex; each class points at its
    // own (an atomic pointer, read without the lock). Entries never move once made, so a layout's
    // pointers and the reference layout() returns stay valid until the table changes again.
    mutable std::mutex m_layoutsMutex;
    mutable std::vector<std::pair<const ObjectClass*, std::unique_ptr<const ClassLayout>>>
        m_layouts;
};

// Declares one row of the table: the class, its constructor and its properties, each with the
// field it is read from and written to. Properties the constructor consumes are marked with
// initProperty; every other property is set after construction.
template <typename T>
class ClassRow {
public:
    ClassRow(EncodingTable& table, ORKESerializableTableEntry& entry)
        : m_table(table), m_entry(entry) {}

    ClassRow& init(std::function<std::shared_ptr<T>(const PropertyReader& get)> construct) {
        m_entry.initBlock = [construct = std::move(construct)](const QJsonObject& json,
                                                               const PropertyGetter& getter) {
            return std::shared_ptr<ORKObject>(construct(PropertyReader(json, getter)));
        };
        return *this;
    }

    template <typename C, typename M>
    requires std::derived_from<T, C> ClassRow& property(const QString& key, M C::*member,
                                                        const ValueForm& form) {
        return add(key, fieldAccessor<T, C, M>(member), form, true);
    }

    template <typename C, typename M>
    requires std::derived_from<T, C> ClassRow& initProperty(const QString& key, M C::*member,
                                                            const ValueForm& form) {
        return add(key, fieldAccessor<T, C, M>(member), form, false);
    }

    // A property read through an accessor of its own, for values that are not a plain field.
    ClassRow& property(const QString& key, PropertyAccessor accessor, const ValueForm& form,
                       bool writeAfterInit = true) {
        return add(key, std::move(accessor), form, writeAfterInit);
    }

private:
    ClassRow& add(const QString& key, PropertyAccessor accessor, const ValueForm& form,
                  bool writeAfterInit) {
        ORKESerializableProperty property;
        property.propertyName = key;
        property.writeAfterInit = writeAfterInit;
        property.jsonToObjectBlock = form.toObject;
        property.objectToJSONBlock = form.toJson;
        property.accessor = std::move(accessor);
        m_table.addProperty(m_entry.objectClass->name(), std::move(property), form);
        return *this;
    }

    EncodingTable& m_table;
    ORKESerializableTableEntry& m_entry;
};

template <typename T, typename Base>
requires std::derived_from<T, Base> && std::derived_from<Base, ORKObject> ClassRow<T>
EncodingTable::row(const QString& name) {
    return ClassRow<T>(*this, entryFor(declareClass<T, Base>(name)));
}

}  // namespace pathloom
