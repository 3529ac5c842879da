#include "report.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "case_name.hpp"

namespace {

std::string fileContent(const std::filesystem::path& path) {
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct LineCase {
    const char* label;
    std::array<std::int32_t, kValuesPerRecord> values;
    std::string figures;  // the line after the name
};

const LineCase kLineCases[] = {
    {"whole tens", {10, 20, 30, 40, 50}, "Total: 150 Average: 30.0 Calories: 12.0"},
    {"small", {1, 2, 3, 4, 5}, "Total: 15 Average: 3.0 Calories: 1.2"},
    {"calories 0.56 round up", {1, 1, 1, 2, 2}, "Total: 7 Average: 1.4 Calories: 0.6"},
    {"calories 1.04 round down", {3, 3, 3, 2, 2}, "Total: 13 Average: 2.6 Calories: 1.0"},
    {"zero has no sign", {0, 0, 0, 0, 0}, "Total: 0 Average: 0.0 Calories: 0.0"},
    {"negative", {-1, 0, 0, 0, 0}, "Total: -1 Average: -0.2 Calories: -0.1"},
    {"negatives and positives cancel",
     {-100, 50, 25, 25, 0},
     "Total: 0 Average: 0.0 Calories: 0.0"},
    {"large figures in full digits",
     {123456789, 0, 0, 0, 0},
     "Total: 123456789 Average: 24691357.8 Calories: 9876543.1"},
    {"the total of five largest values is exact",
     {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
     "Total: 10737418235 Average: 2147483647.0 Calories: 858993458.8"},
    {"the total of five smallest values is exact",
     {INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN},
     "Total: -10737418240 Average: -2147483648.0 Calories: -858993459.2"},
    {"a sum that passes the range on the way back",
     {INT32_MAX, 1, -1, -INT32_MAX, 0},
     "Total: 0 Average: 0.0 Calories: 0.0"},
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << c.label;
}

class ReportLine : public testing::TestWithParam<LineCase> {};

TEST_P(ReportLine, ShowsTheTotalAndOneDecimalFigures) {
    const LineCase& c = GetParam();
    InputRecord record;
    record.name = "Ann";
    record.values = c.values;
    std::ostringstream report;

    EXPECT_TRUE(writeReportLine(report, record, summarize(record)));
    EXPECT_EQ(report.str(), "Name: Ann " + c.figures + "\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportLine, testing::ValuesIn(kLineCases), LabelName());

TEST(Summary, FiguresDeriveFromTheTotal) {
    InputRecord record;
    record.values = {1, 1, 1, 2, 2};
    const RecordSummary summary = summarize(record);
    EXPECT_EQ(summary.total, 7);
    EXPECT_DOUBLE_EQ(summary.average, 7 / 5.0);
    EXPECT_DOUBLE_EQ(summary.calories, 7 * 0.08);
}

std::string fixedOneDecimal(double value) {
    std::array<char, 400> text{};
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 1);
    return std::string(text.data(), result.ptr);
}

std::string lineWithFigures(double average, double calories) {
    InputRecord record;
    record.name = "Ann";
    std::ostringstream report;
    writeReportLine(report, record, RecordSummary{0, average, calories});
    return report.str();
}

// Any real, not just those a record can give, is written as the standard
// fixed-point conversion writes it with one decimal.
TEST(ReportLine, WritesRealsAsTheStandardConversionDoes) {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.05,
                                  0.15,
                                  0.25,
                                  -0.25,
                                  0.35,
                                  2.45,
                                  -0.04,
                                  0.96,
                                  9.95,
                                  99.95,
                                  1e10,
                                  1e10 + 0.05,
                                  1e11 - 0.05,
                                  123456789.95,
                                  4.35,
                                  1e15 + 0.5,
                                  1e300,
                                  -1e300,
                                  5e-324,
                                  std::numeric_limits<double>::max(),
                                  2147483647 * 0.08};
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> magnitude(-12.0, 12.0);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(std::pow(10.0, magnitude(random)) * (i % 2 == 0 ? 1 : -1));
    }
    for (const double value : values) {
        SCOPED_TRACE(value);
        const std::string text = fixedOneDecimal(value);
        EXPECT_EQ(
            lineWithFigures(value, -value),
            "Name: Ann Total: 0 Average: " + text + " Calories: " + fixedOneDecimal(-value) + "\n");
    }
}

TEST(ReportLine, WritesTheNameBackByteForByte) {
    InputRecord record;
    record.name = std::string("\xC3\xA9t\xC3\xA9#\x01", 7) + std::string(5000, 'x');
    std::ostringstream report;
    writeReportLine(report, record, summarize(record));
    EXPECT_EQ(report.str(), "Name: " + record.name + " Total: 0 Average: 0.0 Calories: 0.0\n");
}

TEST(ReportLine, EachLineIsInTheFileAsSoonAsItIsWritten) {
    const auto path = std::filesystem::temp_directory_path() / "report_line_flush_test.txt";
    std::ofstream report(path);
    InputRecord record;
    record.name = "Ann";
    record.values = {10, 20, 30, 40, 50};
    ASSERT_TRUE(writeReportLine(report, record, summarize(record)));

    EXPECT_EQ(fileContent(path), "Name: Ann Total: 150 Average: 30.0 Calories: 12.0\n")
        << "the line was not in the file while the report was still open";
    report.close();
    std::filesystem::remove(path);
}

// A destination that refuses every byte, like a full disk.
class FullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(ReportLine, SaysWhenTheLineCouldNotBeWritten) {
    FullBuffer full;
    std::ostream report(&full);
    InputRecord record;
    record.name = "Ann";
    EXPECT_FALSE(writeReportLine(report, record, summarize(record)));
}

}  // namespace
