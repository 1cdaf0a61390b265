#pragma once

#include <cstdint>
#include <string>

namespace zendro::coordinates {

// A height a level run gives one of the job's points (the level's point id
// is the job's point number): what the job's adjustment holds the point to,
// and what the exports and the report say of it.
struct LevelledHeight {
    std::int64_t number = 0;
    double height = 0;  // adjusted in the level network
    double sd = 0;      // 0: held (a benchmark, or a part of the network without one)
    std::string kind;   // as the level run names it: "benchmark held", "turning point", ...
    std::string file;   // of the first levelling line that reaches the point

    // "level run RUN.DAT": where the height came from, as messages name it.
    std::string origin() const { return "level run " + file; }
};

}  // namespace zendro::coordinates
