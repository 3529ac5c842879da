#pragma once

#include <cctype>
#include <string>

// GoogleTest names a table case after its label, with anything but letters
// and digits made an underscore.
inline std::string caseName(const std::string& label) {
    std::string name;
    for (const char ch : label) {
        name += std::isalnum(static_cast<unsigned char>(ch)) != 0 ? ch : '_';
    }
    return name;
}

// The name generator for INSTANTIATE_TEST_SUITE_P over cases with a `label`.
struct LabelName {
    template <typename Info>
    std::string operator()(const Info& testInfo) const {
        return caseName(testInfo.param.label);
    }
};
