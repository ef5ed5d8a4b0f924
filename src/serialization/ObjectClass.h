#pragma once

#include "taskmodel/ORKObject.h"

#include <QString>
#include <atomic>
#include <functional>
#include <memory>

namespace pathloom {

struct ClassLayout;

// A class of the object runtime that the serializer works with: its name, its base class and, for
// model classes, how to make an instance with the no-argument constructor. Built-in classes stand
// for the platform's value classes (NSString, NSNumber, NSArray…); the others are task-model
// classes. Instances are owned by the encoding table and never move.
class ObjectClass {
public:
    using Make = std::function<std::shared_ptr<ORKObject>()>;

    explicit ObjectClass(QString name, const ObjectClass* base = nullptr, Make make = {});

    [[nodiscard]] const QString& name() const { return m_name; }
    [[nodiscard]] const ObjectClass* base() const { return m_base; }
    // Whether this class is `other` or derives from it.
    [[nodiscard]] bool isSubclassOf(const ObjectClass& other) const;
    // A new instance made with the no-argument constructor; null for classes without one.
    [[nodiscard]] std::shared_ptr<ORKObject> makeInstance() const;

    void setBase(const ObjectClass* base) { m_base = base; }
    void setMake(Make make) { m_make = std::move(make); }

private:
    QString m_name;
    const ObjectClass* m_base;
    Make m_make;

    friend class EncodingTable;
    // The encoding table's layout of this class once gathered, so that finding it takes no lock;
    // the table owns it and clears this when it drops it.
    mutable std::atomic<const ClassLayout*> m_layout = nullptr;
};

}  // namespace pathloom
