#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "run.hpp"

int main() {
    // The input is read in large pieces: few system calls on a large file,
    // and no waiting on a pipe, where a read takes whatever has arrived.
    std::array<char, 1 << 16> inputBuffer{};
    std::ifstream input;
    input.rdbuf()->pubsetbuf(inputBuffer.data(), static_cast<std::streamsize>(inputBuffer.size()));
    input.open(kInputFileName);
    // The report file is opened (and so created or emptied) before either
    // open is checked: a run always leaves a fresh output.txt behind.
    std::ofstream report(kOutputFileName);
    // Some systems open a directory for reading but fail every read of it;
    // it is no more an input file than a missing one.
    std::error_code ignored;
    if (!input || std::filesystem::is_directory(kInputFileName, ignored) || !report) {
        std::cout << kOpenFailureMessage << std::endl;
        return 0;
    }
    writeReport(input, report, std::cerr);
    return 0;
}
