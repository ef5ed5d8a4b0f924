#pragma once

#include "taskmodel/ORKObject.h"

#include <QString>
#include <utility>

namespace pathloom {

// What an active step records while it runs; subclasses name the kind of data.
class ORKRecorderConfiguration : public ORKObject {
public:
    explicit ORKRecorderConfiguration(QString identifier) : identifier(std::move(identifier)) {}

    QString identifier;
};

}  // namespace pathloom
