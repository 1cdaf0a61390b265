#include "adjustment/apriori_sigmas.h"

namespace zendro::adjustment {

AprioriSigmas defaultSigmas(LengthUnit unit) {
    if (isMetric(unit)) return {5.0, 5.0, 0.003, 3.0, 0.001, 0.002};
    return {5.0, 5.0, 0.01, 3.0, 0.003, 0.007};
}

}  // namespace zendro::adjustment
