#include "serialization/rows/Rows.h"

#include "serialization/EncodingTable.h"

namespace pathloom {

void addAnswerFormatRows(EncodingTable&) {}

}  // namespace pathloom
