#include "conversion/job_model.h"

namespace zendro {

JobModel jobModelOf(std::vector<Observation> observations, PointTable points,
                    std::vector<ChainList> chains, std::vector<PfLineProblem> pfProblems) {
    JobModel model{std::move(observations), std::move(points), std::move(chains), {},
                   std::move(pfProblems)};
    model.meaning = resolveMeaning(model.observations, model.points, model.chains);
    return model;
}

}  // namespace zendro
