#pragma once

namespace pathloom {

class EncodingTable;

// The rows of the shared encoding table, by family of classes.
void addStepRows(EncodingTable& table);
void addAnswerFormatRows(EncodingTable& table);
void addResultRows(EncodingTable& table);
void addTaskAndRuleRows(EncodingTable& table);

}  // namespace pathloom
