#pragma once

namespace pathloom {

// The root of every task-model object (steps, answer formats, results, rules…). Objects are
// reference types: they live in std::shared_ptr and are shared, not copied, unless a class offers
// a copy of its own.
class ORKObject {
public:
    virtual ~ORKObject() = default;

protected:
    ORKObject() = default;
    ORKObject(const ORKObject&) = default;
    ORKObject& operator=(const ORKObject&) = default;
};

}  // namespace pathloom
