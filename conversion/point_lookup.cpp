#include "conversion/point_lookup.h"

#include <string>

namespace zendro {

void warnOfMissingEntry(RunContext& run, std::int64_t pointNumber, std::string_view description,
                        std::int64_t describedBy) {
    RecordState& state = run.state;
    if (!state.pointsWithoutEntry.insert(pointNumber).second) return;
    std::string message = "point " + std::to_string(pointNumber) + ": no entry in " +
                          std::string(run.pointFeatureFileName) + "; its lines carry ";
    if (describedBy == 0) {
        message += "no description";
    } else {
        message += "the description \"" + std::string(description) + "\" of point " +
                   std::to_string(describedBy);
    }
    run.observer.warning(message);
}

}  // namespace zendro
