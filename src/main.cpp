#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "run.hpp"

int main() {
    // The report file is opened (and so created or emptied) before either
    // open is checked: a run always leaves a fresh output.txt behind.
    std::ifstream input(kInputFileName);
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
