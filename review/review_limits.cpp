#include "review/review_limits.h"

#include "review/limit_table.h"

namespace zendro::review {

ReviewLimits defaultLimits(LengthUnit unit) {
    ReviewLimits limits;
    for (const LimitDefinition& limit : limitTable()) {
        limits.*limit.field = isMetric(unit) ? limit.meterDefault : limit.feetDefault;
    }
    return limits;
}

}  // namespace zendro::review
