#include "report.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace {

char* appendText(char* out, std::string_view text) {
    return std::copy(text.begin(), text.end(), out);
}

char* appendInteger(char* out, char* end, std::int64_t value) {
    return std::to_chars(out, end, value).ptr;
}

// Fixed-point with one decimal, rounded to nearest, never in exponent form;
// independent of any locale.
char* appendFixed(char* out, char* end, double value) {
    return std::to_chars(out, end, value, std::chars_format::fixed, kReportDecimals).ptr;
}

void writeText(std::ostream& out, std::string_view text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

RecordSummary summarize(const InputRecord& record) {
    std::int64_t total = 0;
    for (const std::int32_t value : record.values) {
        total += value;
    }
    const auto exactTotal = static_cast<double>(total);
    return {total, exactTotal / static_cast<double>(kValuesPerRecord),
            exactTotal * kCaloriesPerUnit};
}

bool writeReportLine(std::ostream& report, const InputRecord& record,
                     const RecordSummary& summary) {
    // Everything after the name has a bounded length: a 64-bit total and two
    // reals below 1e10 in magnitude.
    std::array<char, 128> figures{};
    char* const end = figures.data() + figures.size();
    char* out = appendText(figures.data(), " Total: ");
    out = appendInteger(out, end, summary.total);
    out = appendText(out, " Average: ");
    out = appendFixed(out, end, summary.average);
    out = appendText(out, " Calories: ");
    out = appendFixed(out, end, summary.calories);
    *out++ = '\n';

    writeText(report, "Name: ");
    writeText(report, record.name);
    writeText(report, std::string_view(figures.data(), static_cast<std::size_t>(out - figures.data())));
    report.flush();
    return !report.fail();
}
