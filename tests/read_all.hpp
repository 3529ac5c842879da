#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "input_record.hpp"

// What a run of reads found: the count's status, then for each record its
// status and the record as it stood after the read.
struct ReadOutcome {
    std::vector<ReadStatus> statuses;
    std::vector<std::string> names;
    std::vector<std::array<std::int32_t, kValuesPerRecord>> values;

    void add(ReadStatus status, const InputRecord& record) {
        statuses.push_back(status);
        names.push_back(record.name);
        values.push_back(record.values);
    }

    bool operator==(const ReadOutcome& other) const {
        return statuses == other.statuses && names == other.names && values == other.values;
    }
};

// Reads the count and then records until a read fails.
inline ReadOutcome readAll(std::istream& input) {
    ReadOutcome outcome;
    std::int32_t count = 0;
    outcome.statuses.push_back(readRecordCount(input, count));
    InputRecord record;
    for (ReadStatus status = outcome.statuses.back(); status == ReadStatus::ok;) {
        status = readRecord(input, record);
        outcome.add(status, record);
    }
    return outcome;
}
