#include "serialization/EncodingTable.h"

#include "serialization/rows/Rows.h"

#include <QtGlobal>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The position of T among the kinds of Value::Storage.
template <typename T, std::size_t I = 0>
constexpr std::size_t kindIndex() {
    if constexpr (std::is_same_v<std::variant_alternative_t<I, Value::Storage>, T>) {
        return I;
    } else {
        return kindIndex<T, I + 1>();
    }
}

}  // namespace

EncodingTable::EncodingTable() {
    m_root = &addBuiltin(u"NSObject"_s, nullptr);
    m_classesByType.emplace(typeid(ORKObject), m_root);
    const std::pair<QString, QList<std::size_t>> builtins[] = {
        {u"NSNull"_s, {kindIndex<Null>()}},
        {u"NSNumber"_s, {kindIndex<bool>(), kindIndex<qint64>(), kindIndex<double>()}},
        {u"NSString"_s, {kindIndex<QString>()}},
        {u"NSArray"_s, {kindIndex<Value::Array>()}},
        {u"NSDictionary"_s, {kindIndex<Value::Dictionary>()}},
        {u"NSURL"_s, {kindIndex<QUrl>()}},
        {u"NSDate"_s, {kindIndex<QDateTime>()}},
        {u"NSUUID"_s, {kindIndex<QUuid>()}},
        {u"UIImage"_s, {kindIndex<QImage>()}},
        {u"UIColor"_s, {kindIndex<QColor>()}},
        {u"NSTimeZone"_s, {kindIndex<QTimeZone>()}},
        {u"NSCalendar"_s, {kindIndex<Calendar>()}},
        {u"NSDateComponents"_s, {kindIndex<DateComponents>()}},
        {u"NSValue"_s, {kindIndex<EdgeInsets>(), kindIndex<Coordinate>()}},
        {u"CLCircularRegion"_s, {kindIndex<CircularRegion>()}},
        {u"CNPostalAddress"_s, {kindIndex<PostalAddress>()}},
        {u"NSRegularExpression"_s, {kindIndex<RegularExpression>()}},
        {u"UITextInputPasswordRules"_s, {kindIndex<PasswordRules>()}},
        {u"NSPredicate"_s, {}},
    };
    for (const auto& [name, kinds] : builtins) {
        const ObjectClass& builtin = addBuiltin(name, m_root);
        for (std::size_t kind : kinds) {
            m_kindClasses[kind] = &builtin;
        }
    }
}

EncodingTable& EncodingTable::shared() {
    static const std::unique_ptr<EncodingTable> table = [] {
        auto built = std::make_unique<EncodingTable>();
        addTaskAndRuleRows(*built);
        addStepRows(*built);
        addAnswerFormatRows(*built);
        addResultRows(*built);
        built->link();
        return built;
    }();
    return *table;
}

const ObjectClass* EncodingTable::classNamed(const QString& name) const {
    const auto found = m_classes.find(name);
    return found == m_classes.end() ? nullptr : found->second.get();
}

const ObjectClass* EncodingTable::classOf(const Value& value) const {
    if (const Value::Object* object = value.as<Value::Object>()) {
        if (!*object) {
            return nullptr;
        }
        const ORKObject& instance = **object;
        const auto found = m_classesByType.find(typeid(instance));
        return found == m_classesByType.end() ? nullptr : found->second;
    }
    return m_kindClasses[value.storage().index()];
}

const QList<const ORKESerializableTableEntry*>& EncodingTable::classEncodings(
    const ObjectClass& objectClass) const {
    return layout(objectClass).encodings;
}

const ClassLayout& EncodingTable::layout(const ObjectClass& objectClass) const {
    if (const ClassLayout* cached = objectClass.m_layout.load(std::memory_order_acquire)) {
        return *cached;
    }
    const std::lock_guard lock(m_layoutsMutex);
    // Another thread may have gathered it while this one waited.
    if (const ClassLayout* cached = objectClass.m_layout.load(std::memory_order_acquire)) {
        return *cached;
    }
    auto gathered = std::make_unique<ClassLayout>();
    for (const ObjectClass* current = &objectClass; current; current = current->base()) {
        const auto found = m_entries.find(current->name());
        if (found == m_entries.end()) {
            continue;
        }
        gathered->encodings.append(&found->second);
        for (const ORKESerializableProperty& property : found->second.properties) {
            if (!gathered->properties.contains(property.propertyName)) {
                gathered->properties.insert(property.propertyName, &property);
            }
        }
    }
    const ClassLayout& layout = *gathered;
    m_layouts.emplace_back(&objectClass, std::move(gathered));
    objectClass.m_layout.store(&layout, std::memory_order_release);
    return layout;
}

void EncodingTable::forgetLayouts() {
    const std::lock_guard lock(m_layoutsMutex);
    for (const auto& [objectClass, layout] : m_layouts) {
        objectClass->m_layout.store(nullptr, std::memory_order_release);
    }
    m_layouts.clear();
}

ORKESerializableTableEntry& EncodingTable::entryFor(const ObjectClass& objectClass) {
    forgetLayouts();
    ORKESerializableTableEntry& entry = m_entries[objectClass.name()];
    entry.objectClass = &objectClass;
    return entry;
}

void EncodingTable::addProperty(const QString& className, ORKESerializableProperty property,
                                const ValueForm& form) {
    forgetLayouts();
    m_pendingProperties.append(
        {className, property.propertyName, form.valueClassName, form.containerClassName});
    ORKESerializableTableEntry& entry = m_entries[className];
    entry.properties.insert(property.propertyName, std::move(property));
}

void EncodingTable::link() {
    forgetLayouts();
    for (const auto& [declared, baseType] : m_pendingBases) {
        const auto base = m_classesByType.find(baseType);
        if (base == m_classesByType.end()) {
            qFatal("The base class of %s is not declared", qPrintable(declared->name()));
        }
        declared->setBase(base->second);
    }
    m_pendingBases.clear();

    const auto resolve = [this](const QString& name, const PendingClasses& pending) {
        if (name.isEmpty()) {
            return static_cast<const ObjectClass*>(nullptr);
        }
        const ObjectClass* found = classNamed(name);
        if (!found) {
            qFatal("%s.%s names the unknown class %s", qPrintable(pending.className),
                   qPrintable(pending.propertyName), qPrintable(name));
        }
        return found;
    };
    for (const PendingClasses& pending : m_pendingProperties) {
        ORKESerializableProperty& property =
            m_entries[pending.className].properties[pending.propertyName];
        property.valueClass = resolve(pending.valueClassName, pending);
        property.containerClass = resolve(pending.containerClassName, pending);
    }
    m_pendingProperties.clear();
}

ObjectClass& EncodingTable::addClass(const QString& name, std::type_index type,
                                     std::type_index base) {
    forgetLayouts();
    auto& slot = m_classes[name];
    if (!slot) {
        slot = std::make_unique<ObjectClass>(name, m_root);
    }
    m_classesByType[type] = slot.get();
    // After the table is linked, classes are declared with their base at hand.
    const auto known = m_classesByType.find(base);
    if (known != m_classesByType.end()) {
        slot->setBase(known->second);
    } else {
        m_pendingBases.insert_or_assign(slot.get(), base);
    }
    return *slot;
}

ObjectClass& EncodingTable::addBuiltin(const QString& name, const ObjectClass* base) {
    auto& slot = m_classes[name];
    slot = std::make_unique<ObjectClass>(name, base);
    return *slot;
}

}  // namespace pathloom
