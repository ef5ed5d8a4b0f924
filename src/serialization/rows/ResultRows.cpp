#include "serialization/rows/Rows.h"

#include "serialization/EncodingTable.h"

namespace pathloom {

void addResultRows(EncodingTable&) {}

}  // namespace pathloom
