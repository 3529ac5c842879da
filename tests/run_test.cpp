#include "run.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>

#include "case_name.hpp"

namespace {

const std::string kAnnLine = "Name: Ann Total: 150 Average: 30.0 Calories: 12.0\n";
const std::string kBobLine = "Name: Bob Total: 15 Average: 3.0 Calories: 1.2\n";

struct RunCase {
    const char* label;
    std::string input;
    std::string report;
    std::string warnings;
};

const RunCase kRunCases[] = {
    {"two records", "2\nAnn 10 20 30 40 50\nBob 1 2 3 4 5\n", kAnnLine + kBobLine, ""},
    {"tokens after the last record are ignored", "1\nAnn 10 20 30 40 50\nBob 1 2 3 4 5\n", kAnnLine,
     ""},
    {"count zero", "0\nAnn 10 20 30 40 50\n", "", ""},
    {"count negative", "-3\nAnn 10 20 30 40 50\n", "", ""},
    {"no count", " \r\n", "", "warning: input.txt: no record count; the report is empty\n"},
    {"count not a number", "two\nAnn 10 20 30 40 50\n", "",
     "warning: input.txt: the record count is not a number; the report is empty\n"},
    {"count out of range", "2147483648\nAnn 10 20 30 40 50\n", "",
     "warning: input.txt: the record count is out of range; the report is empty\n"},
    {"input ends before a record", "3\nAnn 10 20 30 40 50\nBob 1 2 3 4 5\n", kAnnLine + kBobLine,
     "warning: input.txt: record 3 is missing or incomplete; the report stops after 2 of 3 "
     "records\n"},
    {"input ends inside a record", "2\nAnn 10 20 30 40 50\nBob 1 2", kAnnLine,
     "warning: input.txt: record 2 is missing or incomplete; the report stops after 1 of 2 "
     "records\n"},
    {"the largest count over one record", "2147483647\nAnn 10 20 30 40 50\n", kAnnLine,
     "warning: input.txt: record 2 is missing or incomplete; the report stops after 1 of "
     "2147483647 records\n"},
    {"a value not a number", "2\nAnn 10 20 30 40 50\nBob 1 two 3 4 5\n", kAnnLine,
     "warning: input.txt: record 2 has a value that is not a number; the report stops after 1 of 2 "
     "records\n"},
    {"a value out of range", "2\nAnn 10 20 30 40 -2147483649\nBob 1 2 3 4 5\n", "",
     "warning: input.txt: record 1 has a value out of range; the report stops after 0 of 2 "
     "records\n"},
};

void PrintTo(const RunCase& c, std::ostream* out) {
    *out << c.label;
}

class Run : public testing::TestWithParam<RunCase> {};

TEST_P(Run, WritesALinePerRecordReadAndSaysWhyItStopped) {
    const RunCase& c = GetParam();
    std::istringstream input(c.input);
    std::ostringstream report;
    std::ostringstream warnings;

    writeReport(input, report, warnings);

    EXPECT_EQ(report.str(), c.report);
    EXPECT_EQ(warnings.str(), c.warnings);
}

INSTANTIATE_TEST_SUITE_P(Cases, Run, testing::ValuesIn(kRunCases), LabelName());

// Takes one line and refuses everything after it, like a disk that fills up.
class OneLineBuffer : public std::streambuf {
public:
    std::string written;

protected:
    int_type overflow(int_type c) override {
        if (written.find('\n') != std::string::npos) {
            return traits_type::eof();
        }
        written.push_back(traits_type::to_char_type(c));
        return c;
    }
};

TEST(Run, StopsAtTheFirstLineThatCannotBeWritten) {
    std::istringstream input("3\nAnn 10 20 30 40 50\nBob 1 2 3 4 5\nCy 1 1 1 1 1\n");
    OneLineBuffer destination;
    std::ostream report(&destination);
    std::ostringstream warnings;

    writeReport(input, report, warnings);

    EXPECT_EQ(destination.written, kAnnLine);
    EXPECT_EQ(warnings.str(),
              "warning: output.txt: write failed at record 2; the report is incomplete\n");
    std::string next;
    input >> next;
    EXPECT_EQ(next, "Cy") << "the run read on after the failed write";
}

}  // namespace
