#pragma once

#include <istream>
#include <ostream>
#include <string_view>

inline constexpr const char* kInputFileName = "input.txt";
inline constexpr const char* kOutputFileName = "output.txt";
inline constexpr std::string_view kOpenFailureMessage = "Failed to open input or output file";

// Reads the record count and then one record at a time from `input`, writing
// each record's line to `report` before reading the next. Stops at the first
// record that cannot be read in full or written, so the report never holds a
// line that the input does not back; when the report is short or empty for
// such a reason, says why in one line on `warnings`.
void writeReport(std::istream& input, std::ostream& report, std::ostream& warnings);
