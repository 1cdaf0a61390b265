#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/genjob/job_plan.h"

// Gross errors planted in a finished plan on purpose, for trying the review
// and the adjustment on a job with a known fault.
namespace zendro::genjob {

struct BlunderRequest {
    std::optional<double> angleSeconds;  // added to a horizontal circle reading
    std::optional<double> distance;      // added to a slope distance, job units
    std::optional<double> height;        // added to an instrument or target height
    std::optional<std::size_t> record;   // the HVD record (from 0); else one drawn by seed
    std::uint32_t seed = 1;

    bool any() const { return angleSeconds || distance || height; }
};

struct PlantedBlunder {
    std::size_t record = 0;
    std::string text;  // "blunder: record 57 (traverse to point 4): horizontal angle +60.0\""
};

// Changes one record per blunder asked, each by the amount asked, and nothing
// else. A drawn record is a measured backsight, traverse or sideshot (a setup
// too for a height), never a taped one; the draw does not disturb the job's
// own random numbers, so the job is otherwise the one made without blunders.
// Throws zendro::ZendroError when the chosen record cannot take a blunder or
// the value would leave the record's range.
std::vector<PlantedBlunder> plantBlunders(JobPlan& plan, const BlunderRequest& request);

}  // namespace zendro::genjob
