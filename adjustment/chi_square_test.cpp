#include "adjustment/chi_square_test.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <cmath>
#include <stdexcept>

namespace zendro::adjustment {

ChiSquareBounds chiSquareBounds(int degreesOfFreedom) {
    if (degreesOfFreedom < 1) throw std::domain_error("no degrees of freedom");
    const boost::math::chi_squared distribution(degreesOfFreedom);
    return {boost::math::quantile(distribution, 0.025), boost::math::quantile(distribution, 0.975)};
}

double ellipse95Scale() {
    static const double scale = std::sqrt(boost::math::quantile(boost::math::chi_squared(2), 0.95));
    return scale;
}

}  // namespace zendro::adjustment
