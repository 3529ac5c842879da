#include "input_record.hpp"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <ios>
#include <streambuf>
#include <string>

namespace {

using State = std::ios_base::iostate;
using Values = std::array<std::int32_t, kValuesPerRecord>;

constexpr int kEnd = std::char_traits<char>::eof();
constexpr std::uint64_t kLargestNegative = 2147483648U;
constexpr std::uint64_t kLargestPositive = 2147483647U;

// The six characters that separate tokens: blank, tab, line feed, vertical
// tab, form feed and carriage return.
bool isWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Opens a stream buffer's get area (the characters it holds but has not
// handed out yet) to the scanners: members that any derived class may use,
// reached through pointers to members formed here.
class GetArea : public std::streambuf {
public:
    static char* next(const std::streambuf& buffer) { return (buffer.*&GetArea::gptr)(); }
    static char* end(const std::streambuf& buffer) { return (buffer.*&GetArea::egptr)(); }
    static void consume(std::streambuf& buffer, std::ptrdiff_t count) {
        for (; count > INT_MAX; count -= INT_MAX) {
            (buffer.*&GetArea::gbump)(INT_MAX);
        }
        (buffer.*&GetArea::gbump)(static_cast<int>(count));
    }
};

// Reads the characters that a stream buffer already holds, in place, with a
// compare per character. Their end is not the end of the input, only the
// end of what can be read without asking the buffer for more: a read that
// gets there has "run out" and is made again with a Scanner.
class HeldCursor {
public:
    HeldCursor(const char* next, const char* end) : next_(next), end_(end) {}

    bool holding() const { return next_ != end_; }
    bool ranOut() const { return ranOut_; }
    const char* position() const { return next_; }

    int peek() {
        if (holding()) {
            return static_cast<unsigned char>(*next_);
        }
        ranOut_ = true;
        return kEnd;
    }

    void advance() { ++next_; }

    // Moves over the characters up to the first for which `isStop` is true,
    // passing them to `take(first, last)`; returns that character. (Callers
    // pass function objects, which the loop inlines; a pointer to a function
    // would cost a call per character.)
    template <typename IsStop, typename Take>
    int takeUntil(IsStop isStop, Take take) {
        const char* found = next_;
        while (found != end_ && !isStop(*found)) {
            ++found;
        }
        take(next_, found);
        next_ = found;
        return peek();
    }

private:
    const char* next_;
    const char* end_;
    bool ranOut_ = false;
};

// Reads a stream buffer to the end of the input. When the held characters
// run out it asks the buffer for more, and the buffer then takes whatever its
// source has ready (one read of a pipe); it never waits to fill up. A buffer
// without a get area is read a character at a time.
class Scanner {
public:
    explicit Scanner(std::streambuf& buffer) : buffer_(buffer) { reload(); }

    HeldCursor held() const { return {next_, end_}; }
    void moveTo(const char* position) { next_ = position; }

    // The next character, or kEnd at the end of the input.
    int peek() {
        if (next_ != end_) {
            return static_cast<unsigned char>(*next_);
        }
        commit();
        const int c = buffer_.sgetc();
        reload();
        return c;
    }

    void advance() {
        if (next_ != end_) {
            ++next_;
            return;
        }
        commit();
        buffer_.sbumpc();
        reload();
    }

    // As HeldCursor::takeUntil, across as many refills as it takes; returns
    // kEnd at the end of the input.
    template <typename IsStop, typename Take>
    int takeUntil(IsStop isStop, Take take) {
        for (;;) {
            HeldCursor cursor = held();
            int c = cursor.takeUntil(isStop, take);
            next_ = cursor.position();
            if (!cursor.ranOut()) {
                return c;
            }
            c = peek();
            if (c == kEnd || isStop(static_cast<char>(c))) {
                return c;
            }
            if (next_ == end_) {  // a buffer without a get area
                const char single = static_cast<char>(c);
                take(&single, &single + 1);
                advance();
            }
        }
    }

    // Hands the characters read so far back to the buffer as consumed.
    void commit() { GetArea::consume(buffer_, next_ - GetArea::next(buffer_)); }

private:
    void reload() {
        next_ = GetArea::next(buffer_);
        end_ = GetArea::end(buffer_);
    }

    std::streambuf& buffer_;
    const char* next_ = nullptr;
    const char* end_ = nullptr;
};

// The reading rules, written once for both kinds of cursor.

// Returns the first character of the next token, or kEnd. A read that starts
// at the end of the input finds nothing, even where a terminal or pipe
// might deliver more after it reported the end once.
template <typename Cursor>
int skipToToken(Cursor& cursor, State& state) {
    const int c = (state & std::ios_base::eofbit) != 0
                      ? kEnd
                      : cursor.takeUntil([](char next) { return !isWhiteSpace(next); },
                                         [](const char*, const char*) {});
    if (c == kEnd) {
        state |= std::ios_base::eofbit | std::ios_base::failbit;
    }
    return c;
}

template <typename Cursor>
ReadStatus scanName(Cursor& cursor, std::string& name, State& state) {
    if (skipToToken(cursor, state) == kEnd) {
        return ReadStatus::endOfInput;
    }
    name.clear();
    const int stop = cursor.takeUntil(
        [](char next) { return isWhiteSpace(next); },
        [&name](const char* first, const char* last) { name.append(first, last); });
    if (stop == kEnd) {
        state |= std::ios_base::eofbit;
    }
    return ReadStatus::ok;
}

// Accepts an optional sign and decimal digits and stops at the first
// character that cannot continue the number, leaving it for the next read.
// Digits past the 32-bit range are still consumed, as one number.
template <typename Cursor>
ReadStatus scanInteger(Cursor& cursor, std::int32_t& value, State& state) {
    int c = skipToToken(cursor, state);
    if (c == kEnd) {
        return ReadStatus::endOfInput;
    }
    const bool negative = c == '-';
    if (negative || c == '+') {
        cursor.advance();
        c = cursor.peek();
    }
    const bool anyDigit = c != kEnd && isDigit(static_cast<char>(c));
    std::uint64_t magnitude = 0;
    c = cursor.takeUntil([](char next) { return !isDigit(next); },
                         [&magnitude](const char* first, const char* last) {
                             for (; first != last; ++first) {
                                 // Past the 32-bit range the magnitude stops growing.
                                 if (magnitude <= kLargestNegative) {
                                     magnitude =
                                         magnitude * 10 + static_cast<std::uint64_t>(*first - '0');
                                 }
                             }
                         });
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

// Stops at the first read that fails; the fields it does not reach keep
// what they held.
template <typename Cursor>
ReadStatus scanRecord(Cursor& cursor, std::string& name, Values& values, State& state) {
    ReadStatus status = scanName(cursor, name, state);
    for (std::int32_t& value : values) {
        if (status != ReadStatus::ok) {
            break;
        }
        status = scanInteger(cursor, value, state);
    }
    return status;
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
        Scanner scanner(*input.rdbuf());
        status = scan(scanner, state);
        scanner.commit();
    } catch (const std::ios_base::failure&) {
        state |= std::ios_base::badbit | std::ios_base::failbit;
        status = ReadStatus::endOfInput;
    }
    if (state != std::ios_base::goodbit) {
        input.setstate(state);
    }
    return status;
}

}  // namespace

ReadStatus readRecordCount(std::istream& input, std::int32_t& recordCount) {
    return guardedRead(input, [&recordCount](Scanner& scanner, State& state) {
        return scanInteger(scanner, recordCount, state);
    });
}

ReadStatus readRecord(std::istream& input, InputRecord& record) {
    return guardedRead(input, [&record](Scanner& scanner, State& state) {
        // Nearly every record lies whole in the characters the buffer holds,
        // and is read there. The values go to a copy until the read is known
        // not to have run out; the name may change in a read that runs out,
        // but only once a name has been found, which the second read then
        // finds again.
        HeldCursor held = scanner.held();
        Values values = record.values;
        State heldState = state;
        const ReadStatus status = scanRecord(held, record.name, values, heldState);
        if (!held.ranOut()) {
            scanner.moveTo(held.position());
            record.values = values;
            state = heldState;
            return status;
        }
        return scanRecord(scanner, record.name, record.values, state);
    });
}
