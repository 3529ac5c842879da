#include "run.hpp"

#include <cstdint>
#include <string>

#include "input_record.hpp"
#include "report.hpp"

namespace {

std::string_view describeCountProblem(ReadStatus status) {
    switch (status) {
        case ReadStatus::notANumber:
            return "the record count is not a number";
        case ReadStatus::outOfRange:
            return "the record count is out of range";
        default:
            return "no record count";
    }
}

std::string_view describeRecordProblem(ReadStatus status) {
    switch (status) {
        case ReadStatus::notANumber:
            return "has a value that is not a number";
        case ReadStatus::outOfRange:
            return "has a value out of range";
        default:
            return "is missing or incomplete";
    }
}

// The whole warning goes out in one write, so it cannot be interleaved with
// other output on an unbuffered standard error.
void warn(std::ostream& warnings, std::string_view fileName, const std::string& problem) {
    std::string line = "warning: ";
    line.append(fileName).append(": ").append(problem).append("\n");
    warnings << line << std::flush;
}

}  // namespace

void writeReport(std::istream& input, std::ostream& report, std::ostream& warnings) {
    std::int32_t recordCount = 0;
    const ReadStatus countStatus = readRecordCount(input, recordCount);
    if (countStatus != ReadStatus::ok) {
        warn(warnings, kInputFileName,
             std::string(describeCountProblem(countStatus)) + "; the report is empty");
        return;
    }
    InputRecord record;
    for (std::int64_t number = 1; number <= recordCount; ++number) {
        const ReadStatus status = readRecord(input, record);
        if (status != ReadStatus::ok) {
            warn(warnings, kInputFileName,
                 "record " + std::to_string(number) + ' ' +
                     std::string(describeRecordProblem(status)) + "; the report stops after " +
                     std::to_string(number - 1) + " of " + std::to_string(recordCount) +
                     " records");
            return;
        }
        if (!writeReportLine(report, record, summarize(record))) {
            warn(warnings, kOutputFileName,
                 "write failed at record " + std::to_string(number) + "; the report is incomplete");
            return;
        }
    }
}
