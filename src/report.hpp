#pragma once

#include <cstdint>
#include <ostream>

#include "input_record.hpp"

inline constexpr double kCaloriesPerUnit = 0.08;
inline constexpr int kReportDecimals = 1;

// The figures of one record. The total is kept in 64 bits so that it is the
// true sum of five 32-bit values even where that sum leaves the 32-bit range.
struct RecordSummary {
    std::int64_t total = 0;
    double average = 0.0;
    double calories = 0.0;
};

RecordSummary summarize(const InputRecord& record);

// Writes the record's line ("Name: Ann Total: 150 Average: 30.0 Calories:
// 12.0") and flushes it, so the file holds every completed line at any time.
// Returns false when the line could not be written.
bool writeReportLine(std::ostream& report, const InputRecord& record, const RecordSummary& summary);
