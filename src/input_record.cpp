#include "input_record.hpp"

#include <cstdint>
#include <ios>
#include <streambuf>
#include <string>

namespace {

using State = std::ios_base::iostate;

constexpr int kEnd = std::char_traits<char>::eof();
constexpr std::uint64_t kLargestNegative = 2147483648U;
constexpr std::uint64_t kLargestPositive = 2147483647U;

// The six characters that separate tokens: blank, tab, line feed, vertical
// tab, form feed, carriage return.
bool isWhiteSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// Characters are taken straight from the stream buffer: its inline fast path
// costs a compare per character, and it only asks the source for more when
// the buffered characters are used up, taking whatever has arrived.
int skipWhiteSpace(std::streambuf& buffer) {
    int c = buffer.sgetc();
    while (c != kEnd && isWhiteSpace(c)) {
        c = buffer.snextc();
    }
    return c;
}

ReadStatus scanName(std::streambuf& buffer, std::string& name, State& state) {
    int c = skipWhiteSpace(buffer);
    if (c == kEnd) {
        state |= std::ios_base::eofbit | std::ios_base::failbit;
        return ReadStatus::endOfInput;
    }
    name.clear();
    while (c != kEnd && !isWhiteSpace(c)) {
        name.push_back(static_cast<char>(c));
        c = buffer.snextc();
    }
    if (c == kEnd) {
        state |= std::ios_base::eofbit;
    }
    return ReadStatus::ok;
}

// Accepts an optional sign and decimal digits and stops at the first
// character that cannot continue the number, leaving it for the next read.
// Digits past the 32-bit range are still consumed, as one number.
ReadStatus scanInteger(std::streambuf& buffer, std::int32_t& value, State& state) {
    int c = skipWhiteSpace(buffer);
    if (c == kEnd) {
        state |= std::ios_base::eofbit | std::ios_base::failbit;
        return ReadStatus::endOfInput;
    }
    const bool negative = c == '-';
    if (negative || c == '+') {
        c = buffer.snextc();
    }
    bool anyDigit = false;
    std::uint64_t magnitude = 0;
    while (c != kEnd && isDigit(c)) {
        anyDigit = true;
        if (magnitude <= kLargestNegative) {
            magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
        }
        c = buffer.snextc();
    }
    if (c == kEnd) {
        state |= std::ios_base::eofbit;
    }
    if (!anyDigit) {
        value = 0;
        state |= std::ios_base::failbit;
        return ReadStatus::notANumber;
    }
    if (magnitude > (negative ? kLargestNegative : kLargestPositive)) {
        value = negative ? INT32_MIN : INT32_MAX;
        state |= std::ios_base::failbit;
        return ReadStatus::outOfRange;
    }
    const auto signedMagnitude = static_cast<std::int64_t>(magnitude);
    value = static_cast<std::int32_t>(negative ? -signedMagnitude : signedMagnitude);
    return ReadStatus::ok;
}

// Runs one read on the stream's buffer and records its outcome in the
// stream's state, so that once a read has failed every later one fails too.
// A read error of the underlying file surfaces from the buffer as an
// exception; it ends the input like the end of the file would.
template <typename Scan>
ReadStatus guardedRead(std::istream& input, Scan scan) {
    if (!input.good()) {
        input.setstate(std::ios_base::failbit);
        return ReadStatus::endOfInput;
    }
    State state = std::ios_base::goodbit;
    ReadStatus status = ReadStatus::endOfInput;
    try {
        status = scan(*input.rdbuf(), state);
    } catch (const std::ios_base::failure&) {
        state |= std::ios_base::badbit | std::ios_base::failbit;
        status = ReadStatus::endOfInput;
    }
    input.setstate(state);
    return status;
}

ReadStatus readInteger(std::istream& input, std::int32_t& value) {
    return guardedRead(input, [&value](std::streambuf& buffer, State& state) {
        return scanInteger(buffer, value, state);
    });
}

}  // namespace

ReadStatus readRecordCount(std::istream& input, std::int32_t& recordCount) {
    return readInteger(input, recordCount);
}

ReadStatus readRecord(std::istream& input, InputRecord& record) {
    ReadStatus status = guardedRead(input, [&record](std::streambuf& buffer, State& state) {
        return scanName(buffer, record.name, state);
    });
    for (std::int32_t& value : record.values) {
        if (status != ReadStatus::ok) {
            break;
        }
        status = readInteger(input, value);
    }
    return status;
}
