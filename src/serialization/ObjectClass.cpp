#include "serialization/ObjectClass.h"

namespace pathloom {

ObjectClass::ObjectClass(QString name, const ObjectClass* base, Make make)
    : m_name(std::move(name)), m_base(base), m_make(std::move(make)) {}

bool ObjectClass::isSubclassOf(const ObjectClass& other) const {
    for (const ObjectClass* current = this; current; current = current->m_base) {
        if (current == &other) {
            return true;
        }
    }
    return false;
}

std::shared_ptr<ORKObject> ObjectClass::makeInstance() const { return m_make ? m_make() : nullptr; }

}  // namespace pathloom
