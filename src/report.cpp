#include "report.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numeric>
#include <string_view>

namespace {

char* appendText(char* out, std::string_view text) {
    return std::copy(text.begin(), text.end(), out);
}

char* appendInteger(char* out, char* end, std::int64_t value) {
    return std::to_chars(out, end, value).ptr;
}

// Fixed-point with one decimal, rounded to nearest, never in exponent form,
// independent of any locale: the text std::to_chars gives, which is exact
// but slow. Values below 1e10 whose tenfold lies clearly off a rounding tie
// are written from integers: the one rounding of the multiplication (below
// 1e-5 there) cannot move them across the tie.
char* appendFixed(char* out, char* end, double value) {
    static_assert(kReportDecimals == 1, "the integer path writes one decimal");
    const double tenfold = std::fabs(value) * 10.0;
    if (tenfold < 1e11) {
        const auto whole = static_cast<std::uint64_t>(tenfold);
        const double fraction = tenfold - static_cast<double>(whole);
        if (std::fabs(fraction - 0.5) > 1e-4) {
            const std::uint64_t tenths = whole + (fraction > 0.5 ? 1 : 0);
            if (std::signbit(value)) {
                *out++ = '-';
            }
            out = std::to_chars(out, end, tenths / 10).ptr;
            *out++ = '.';
            *out++ = static_cast<char>('0' + tenths % 10);
            return out;
        }
    }
    return std::to_chars(out, end, value, std::chars_format::fixed, kReportDecimals).ptr;
}

// Everything but the name: the labels, a 64-bit total, two reals and the
// line end. The longest fixed-point text of a double has 309 digits before
// the point, a sign, the point and one decimal.
constexpr std::string_view kNameLabel = "Name: ";
constexpr std::size_t kLongestFixed = 312;
constexpr std::size_t kLongestFigures = 64 + 20 + 2 * kLongestFixed;
constexpr std::size_t kLongestInlineName = 256;

char* appendFigures(char* out, char* end, const RecordSummary& summary) {
    out = appendText(out, " Total: ");
    out = appendInteger(out, end, summary.total);
    out = appendText(out, " Average: ");
    out = appendFixed(out, end, summary.average);
    out = appendText(out, " Calories: ");
    out = appendFixed(out, end, summary.calories);
    *out++ = '\n';
    return out;
}

// The line goes to the stream's buffer directly: the checks of a formatted
// write are no use here, and they cost more than the copy.
bool put(std::streambuf& destination, const char* first, const char* last) {
    const auto size = static_cast<std::streamsize>(last - first);
    return destination.sputn(first, size) == size;
}

}  // namespace

RecordSummary summarize(const InputRecord& record) {
    const std::int64_t total =
        std::accumulate(record.values.begin(), record.values.end(), std::int64_t{0});
    const auto exactTotal = static_cast<double>(total);
    return {total, exactTotal / static_cast<double>(kValuesPerRecord),
            exactTotal * kCaloriesPerUnit};
}

bool writeReportLine(std::ostream& report, const InputRecord& record,
                     const RecordSummary& summary) {
    // A name of usual length makes the whole line one piece for the stream's
    // buffer; a longer name is a piece of its own between the label and the
    // figures, so no name is ever copied twice.
    std::array<char, kNameLabel.size() + kLongestInlineName + kLongestFigures> line;
    char* out = appendText(line.data(), kNameLabel);
    const bool nameInline = record.name.size() <= kLongestInlineName;
    if (nameInline) {
        out = appendText(out, record.name);
    }
    char* const figures = out;
    out = appendFigures(out, line.data() + line.size(), summary);

    std::streambuf& destination = *report.rdbuf();
    bool written = report.good();
    if (nameInline) {
        written = written && put(destination, line.data(), out);
    } else {
        written = written && put(destination, line.data(), figures) &&
                  put(destination, record.name.data(), record.name.data() + record.name.size()) &&
                  put(destination, figures, out);
    }
    written = written && destination.pubsync() == 0;
    if (!written) {
        report.setstate(std::ios_base::badbit);
    }
    return written;
}
