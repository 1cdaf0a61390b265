#pragma once

#include "coordinates/job_positions.h"

namespace zendro::adjustment {

// The 95% confidence ellipse of a point from the variances and covariance of
// its north and east: the standard ellipse's semi-axes (square roots of the
// 2x2 matrix's eigenvalues) times ellipse95Scale(), and the azimuth of the
// major axis in [0, 180).
coordinates::PointPrecision horizontalPrecision(double varianceNorth, double varianceEast,
                                                double covarianceNorthEast);

}  // namespace zendro::adjustment
