#pragma once

#include <vector>

#include "conversion/job_meaning.h"
#include "conversion/observation.h"
#include "features/chain_list.h"
#include "features/pf_line_checks.h"
#include "features/point_table.h"

namespace zendro {

// One job as a run decoded it: what the review, the coordinates and the
// exports read, so none of them decodes a field file again.
struct JobModel {
    std::vector<Observation> observations;  // every whole HVD record, in file order
    PointTable points;                      // the point-feature file's entries as looked up
    std::vector<ChainList> chains;          // the OBS file's chain section
    JobMeaning meaning;                     // what the OBS lines say of its points and chains
    std::vector<PfLineProblem> pfProblems;  // the point-feature lines not read as meant
};

// A model of what a run decoded, its meaning resolved.
JobModel jobModelOf(std::vector<Observation> observations, PointTable points,
                    std::vector<ChainList> chains, std::vector<PfLineProblem> pfProblems = {});

// Whether a conversion keeps its job model for the review and the exports
// (it costs memory in proportion to the records).
enum class KeepJobModel { No, Yes };

}  // namespace zendro
