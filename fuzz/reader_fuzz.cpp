// Differential fuzz target: the record reader must read exactly what the
// standard formatted extraction (>> into std::string and int) reads, on any
// bytes, whether the stream buffer holds the whole text, gets it in pieces,
// or hands it out a character at a time. Aborts on the first difference in a
// value read, in where a read fails, or in why.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <sstream>
#include <string>
#include <vector>

#include "input_record.hpp"
#include "read_all.hpp"
#include "sources.hpp"

namespace {

constexpr std::int32_t kUntouched = 12345;

// One `>> int` read, classified the way the reader reports it: a failed read
// stores 0 for a token that is not a number, the nearest limit for one out
// of range, and nothing at all when no token is left.
ReadStatus extractInteger(std::istream& input, std::int32_t& field) {
    int value = kUntouched;
    if (input >> value) {
        field = value;
        return ReadStatus::ok;
    }
    if (value == kUntouched) {
        return ReadStatus::endOfInput;
    }
    field = value;
    return value == 0 ? ReadStatus::notANumber : ReadStatus::outOfRange;
}

ReadOutcome readByExtraction(const std::string& text) {
    std::istringstream input(text);
    ReadOutcome outcome;
    std::int32_t count = 0;
    outcome.statuses.push_back(extractInteger(input, count));
    InputRecord record;
    for (ReadStatus status = outcome.statuses.back(); status == ReadStatus::ok;) {
        status = (input >> record.name) ? ReadStatus::ok : ReadStatus::endOfInput;
        for (std::int32_t& value : record.values) {
            if (status == ReadStatus::ok) {
                status = extractInteger(input, value);
            }
        }
        outcome.add(status, record);
    }
    return outcome;
}

// Pieces of 1 to 16 bytes, their lengths taken from the text itself so that
// every input brings its own places to split.
std::vector<std::string> piecesOf(const std::string& text) {
    std::vector<std::string> pieces;
    for (std::size_t at = 0, i = 0; at < text.size(); ++i) {
        const std::size_t length = 1 + static_cast<unsigned char>(text[i % text.size()]) % 16;
        pieces.push_back(text.substr(at, length));
        at += length;
    }
    return pieces;
}

void expectSame(const ReadOutcome& actual, const ReadOutcome& expected, const char* source) {
    if (!(actual == expected)) {
        std::fprintf(stderr, "the reader on %s differs from >> after %zu reads\n", source,
                     expected.statuses.size());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ReadOutcome expected = readByExtraction(text);

    std::istringstream whole(text);
    expectSame(readAll(whole), expected, "a string stream");

    PieceBuffer pieces(piecesOf(text));
    std::istream piecewise(&pieces);
    expectSame(readAll(piecewise), expected, "a source that sends pieces");

    CharByCharBuffer characters(text);
    std::istream charByChar(&characters);
    expectSame(readAll(charByChar), expected, "a source that holds nothing");
    return 0;
}
