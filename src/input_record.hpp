#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <string>

inline constexpr int kValuesPerRecord = 5;

// One record of the input: a white-space-free name and its values in file
// order. The run reads every record into the same object so that the name's
// storage is reused instead of reallocated per record.
struct InputRecord {
    std::string name;
    std::array<std::int32_t, kValuesPerRecord> values{};
};

// Why a read did not deliver what it was asked for.
enum class ReadStatus {
    ok,
    endOfInput,  // no token before the end of the input (or the input failed)
    notANumber,  // the token does not start with an optional sign and a digit
    outOfRange,  // a number outside the signed 32-bit range
};

// Reads the leading record count. On notANumber the count is 0, on
// outOfRange it is the nearest limit, on endOfInput it is left unchanged.
ReadStatus readRecordCount(std::istream& input, std::int32_t& recordCount);

// Reads a name and kValuesPerRecord integers into `record`, stopping at the
// first read that fails. Fields not reached keep what they held.
ReadStatus readRecord(std::istream& input, InputRecord& record);
