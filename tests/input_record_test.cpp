#include "input_record.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "case_name.hpp"
#include "read_all.hpp"
#include "sources.hpp"

namespace {

std::string rest(std::istream& input) {
    input.clear();
    return {std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
}

// ---------------------------------------------------------------- integers

struct IntegerCase {
    const char* label;
    std::string text;
    ReadStatus status;
    std::int32_t value;     // what the read stores; kUntouched when it stores nothing
    std::string remainder;  // what the next read starts from (when the read succeeded)
};

constexpr std::int32_t kUntouched = 4242;

const IntegerCase kIntegerCases[] = {
    {"plain", "42", ReadStatus::ok, 42, ""},
    {"every kind of white space first", " \t\n\v\f\r7 ", ReadStatus::ok, 7, " "},
    {"plus sign", "+5", ReadStatus::ok, 5, ""},
    {"minus sign", "-5", ReadStatus::ok, -5, ""},
    {"leading zeros", "007", ReadStatus::ok, 7, ""},
    {"signed leading zeros", "-007", ReadStatus::ok, -7, ""},
    {"minus zero", "-0", ReadStatus::ok, 0, ""},
    {"largest", "2147483647", ReadStatus::ok, INT32_MAX, ""},
    {"smallest", "-2147483648", ReadStatus::ok, INT32_MIN, ""},
    {"zeros before the largest", "0000002147483647", ReadStatus::ok, INT32_MAX, ""},
    {"stops before a name", "50Bob", ReadStatus::ok, 50, "Bob"},
    {"stops at a decimal point", "1.5", ReadStatus::ok, 1, ".5"},
    {"stops at a hex marker", "0x1F", ReadStatus::ok, 0, "x1F"},
    {"stops at white space", "12 34", ReadStatus::ok, 12, " 34"},
    {"one past the largest", "2147483648", ReadStatus::outOfRange, INT32_MAX, ""},
    {"one past the smallest", "-2147483649", ReadStatus::outOfRange, INT32_MIN, ""},
    {"far past the 64-bit range", "99999999999999999999999", ReadStatus::outOfRange, INT32_MAX, ""},
    {"far below the 64-bit range", "-99999999999999999999999", ReadStatus::outOfRange, INT32_MIN,
     ""},
    {"a word", "abc", ReadStatus::notANumber, 0, ""},
    {"a lone minus", "-", ReadStatus::notANumber, 0, ""},
    {"a sign and a letter", "+x", ReadStatus::notANumber, 0, ""},
    {"a letter and a digit", "x1", ReadStatus::notANumber, 0, ""},
    {"a sign then white space", "- 5", ReadStatus::notANumber, 0, ""},
    {"a decimal point first", ".5", ReadStatus::notANumber, 0, ""},
    {"a byte above 127 is not white space",
     "\xA0"
     "5",
     ReadStatus::notANumber, 0, ""},
    {"a NUL byte is not white space",
     std::string("\0"
                 "5",
                 2),
     ReadStatus::notANumber, 0, ""},
    {"empty input", "", ReadStatus::endOfInput, kUntouched, ""},
    {"white space only", " \r\n\t ", ReadStatus::endOfInput, kUntouched, ""},
};

void PrintTo(const IntegerCase& c, std::ostream* out) {
    *out << c.label;
}

class IntegerRead : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerRead, StoresTheValueAndStopsAtTheFirstCharacterAfterIt) {
    const IntegerCase& c = GetParam();
    std::istringstream input(c.text);
    std::int32_t value = kUntouched;

    EXPECT_EQ(readRecordCount(input, value), c.status);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(input.fail(), c.status != ReadStatus::ok);
    if (c.status == ReadStatus::ok) {
        EXPECT_EQ(rest(input), c.remainder);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, IntegerRead, testing::ValuesIn(kIntegerCases), LabelName());

// ---------------------------------------------------------------- records

struct ExpectedRecord {
    ReadStatus status;
    std::string name;
    std::array<std::int32_t, kValuesPerRecord> values;
};

struct RecordCase {
    const char* label;
    std::string text;
    std::vector<ExpectedRecord> reads;  // successive readRecord calls on one stream
};

const std::string kLongName(100000, 'n');

const RecordCase kRecordCases[] = {
    {"one record", "Ann 10 20 30 40 50", {{ReadStatus::ok, "Ann", {10, 20, 30, 40, 50}}}},
    {"a name of digits is a name", "42 1 2 3 4 5", {{ReadStatus::ok, "42", {1, 2, 3, 4, 5}}}},
    {"a name is any run of other bytes",
     "\xC3\xA9t\xC3\xA9-#\x01\x7F 1 2 3 4 5",
     {{ReadStatus::ok, "\xC3\xA9t\xC3\xA9-#\x01\x7F", {1, 2, 3, 4, 5}}}},
    {"a name of any length",
     kLongName + " 1 2 3 4 5",
     {{ReadStatus::ok, kLongName, {1, 2, 3, 4, 5}}}},
    {"a record across lines with CRLF",
     "Ann\r\n1 2\r\n3\r\n4 5\r\n",
     {{ReadStatus::ok, "Ann", {1, 2, 3, 4, 5}}}},
    {"a value runs into the next name",
     "Ann 1 2 3 4 5Bob 6 7 8 9 10",
     {{ReadStatus::ok, "Ann", {1, 2, 3, 4, 5}}, {ReadStatus::ok, "Bob", {6, 7, 8, 9, 10}}}},
    {"a decimal fraction starts the next token",
     "Ann 1 2 3 4 5.5 6 7 8 9 10",
     {{ReadStatus::ok, "Ann", {1, 2, 3, 4, 5}}, {ReadStatus::ok, ".5", {6, 7, 8, 9, 10}}}},
    {"a shorter name replaces a longer one",
     "Alexandra 1 1 1 1 1 Al 2 2 2 2 2",
     {{ReadStatus::ok, "Alexandra", {1, 1, 1, 1, 1}}, {ReadStatus::ok, "Al", {2, 2, 2, 2, 2}}}},
    {"input ends inside a record", "Ann 1 2 3", {{ReadStatus::endOfInput, "Ann", {1, 2, 3, 0, 0}}}},
    {"input ends before a record",
     "Ann 1 2 3 4 5 \n",
     {{ReadStatus::ok, "Ann", {1, 2, 3, 4, 5}}, {ReadStatus::endOfInput, "Ann", {1, 2, 3, 4, 5}}}},
    {"input ends right after the last digit",
     "Ann 1 2 3 4 5",
     {{ReadStatus::ok, "Ann", {1, 2, 3, 4, 5}}, {ReadStatus::endOfInput, "Ann", {1, 2, 3, 4, 5}}}},
    {"a value that is not a number",
     "Ann 1 x 3 4 5",
     {{ReadStatus::notANumber, "Ann", {1, 0, 0, 0, 0}}}},
    {"a value out of range",
     "Ann 1 2 3 4 -99999999999",
     {{ReadStatus::outOfRange, "Ann", {1, 2, 3, 4, INT32_MIN}}}},
    {"every read after a failed one fails",
     "Ann 1 x 3 4 5 Bob 1 2 3 4 5",
     {{ReadStatus::notANumber, "Ann", {1, 0, 0, 0, 0}},
      {ReadStatus::endOfInput, "Ann", {1, 0, 0, 0, 0}}}},
};

void PrintTo(const RecordCase& c, std::ostream* out) {
    *out << c.label;
}

class RecordRead : public testing::TestWithParam<RecordCase> {};

TEST_P(RecordRead, FillsTheRecordInFileOrder) {
    const RecordCase& c = GetParam();
    std::istringstream input(c.text);
    InputRecord record;
    for (std::size_t i = 0; i < c.reads.size(); ++i) {
        SCOPED_TRACE("read " + std::to_string(i + 1));
        const ExpectedRecord& expected = c.reads[i];
        EXPECT_EQ(readRecord(input, record), expected.status);
        EXPECT_EQ(record.name, expected.name);
        EXPECT_EQ(record.values, expected.values);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RecordRead, testing::ValuesIn(kRecordCases), LabelName());

TEST(RecordRead, CountThenRecordsFromOneStream) {
    std::istringstream input("2\nAnn 10 20 30 40 50\nBob 1 2 3 4 5\nextra tokens");
    std::int32_t count = 0;
    InputRecord record;
    ASSERT_EQ(readRecordCount(input, count), ReadStatus::ok);
    EXPECT_EQ(count, 2);
    ASSERT_EQ(readRecord(input, record), ReadStatus::ok);
    EXPECT_EQ(record.name, "Ann");
    ASSERT_EQ(readRecord(input, record), ReadStatus::ok);
    EXPECT_EQ(record.name, "Bob");
    EXPECT_EQ(rest(input), "\nextra tokens");
}

// ---------------------------------------------------------------- the source

TEST(ReadSource, ARecordIsReadFromWhatHasArrivedWithoutWaitingForMore) {
    PieceBuffer buffer({"2\n", "Ann 10 20 30 40 50\n", "Bob 1 2 3 4 5\n"});
    std::istream input(&buffer);
    std::int32_t count = 0;
    InputRecord record;

    ASSERT_EQ(readRecordCount(input, count), ReadStatus::ok);
    EXPECT_EQ(buffer.piecesTaken(), 1U);
    ASSERT_EQ(readRecord(input, record), ReadStatus::ok);
    EXPECT_EQ(record.name, "Ann");
    EXPECT_EQ(buffer.piecesTaken(), 2U) << "the reader asked for the next record's data";
}

void expectSameReads(const ReadOutcome& actual, const ReadOutcome& expected) {
    EXPECT_EQ(actual.statuses, expected.statuses);
    EXPECT_EQ(actual.names, expected.names);
    EXPECT_EQ(actual.values, expected.values);
}

const std::string kPiecesText =
    "3\r\nAnn +10 020 30 40 50Bob\t-1 0\n0 0 0\n42 1 1 1 2 99999999999 x";

TEST(ReadSource, WhereTheSourceSplitsItsTextChangesNothing) {
    std::istringstream whole(kPiecesText);
    const ReadOutcome expected = readAll(whole);
    ASSERT_EQ(expected.statuses.back(), ReadStatus::outOfRange);
    for (std::size_t split = 1; split < kPiecesText.size(); ++split) {
        SCOPED_TRACE("split after " + std::to_string(split) + " characters");
        PieceBuffer buffer({kPiecesText.substr(0, split), kPiecesText.substr(split)});
        std::istream input(&buffer);
        expectSameReads(readAll(input), expected);
    }
}

TEST(ReadSource, ASourceThatHoldsNoCharactersReadsTheSame) {
    std::istringstream whole(kPiecesText);
    CharByCharBuffer buffer(kPiecesText);
    std::istream input(&buffer);
    expectSameReads(readAll(input), readAll(whole));
}

#ifndef _WIN32
// On Linux a directory opens for reading and every read of it fails; the
// stream buffer reports that failure by throwing.
TEST(ReadSource, AReadErrorEndsTheInputInsteadOfEscaping) {
    std::ifstream directory(".");
    ASSERT_TRUE(directory.is_open());
    std::int32_t count = kUntouched;
    EXPECT_EQ(readRecordCount(directory, count), ReadStatus::endOfInput);
    EXPECT_EQ(count, kUntouched);
    EXPECT_TRUE(directory.bad());
}
#endif

}  // namespace
