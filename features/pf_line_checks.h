#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zendro {

// A line of the point-feature file that does not say what its editor meant:
// the conversion takes it as the file's reading rules do (its bytes stay as
// they are), and the crew hears of it.
struct PfLineProblem {
    enum class Kind {
        NoComma,      // the whole line reads as a point name with no description
        ForeignText,  // text in UTF-8, which the one-byte file cannot hold
        SecondEntry,  // a point entered again with another description
    };
    Kind kind = Kind::NoComma;
    std::size_t line = 0;  // 1-based
    std::string message;   // what is wrong and what the conversion takes, without the file's name
    std::int64_t point = 0;  // SecondEntry: the point
};

// Every such line, in line order (a point entered twice told once, at its
// last entry, which its OBS lines carry).
std::vector<PfLineProblem> checkPointFeatureLines(std::string_view pfBytes);

}  // namespace zendro
