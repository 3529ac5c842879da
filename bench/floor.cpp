// The least that any correct program can do for this job: read input.txt and
// make one write system call per record, each with a typical report line.
// It parses nothing; it writes one line for each line after the first.
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstring>

int main() {
    const int input = open("input.txt", O_RDONLY);
    const int output = open("output.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (input < 0 || output < 0) {
        return 1;
    }
    static const char kLine[] =
        "Name: Person0123456 Total: 123456 Average: 24691.2 Calories: 9876.5\n";
    std::array<char, 1 << 16> buffer{};
    bool countLine = true;
    ssize_t size = 0;
    while ((size = read(input, buffer.data(), buffer.size())) > 0) {
        for (const char* at = buffer.data();
             (at = static_cast<const char*>(std::memchr(
                  at, '\n', static_cast<size_t>(buffer.data() + size - at)))) != nullptr;
             ++at) {
            if (countLine) {
                countLine = false;  // the count's line has no report line
            } else if (write(output, kLine, sizeof kLine - 1) < 0) {
                return 1;
            }
        }
    }
    close(output);
    close(input);
    return 0;
}
