#pragma once

namespace zendro::adjustment {

// The two-sided 95% test of the a posteriori variance factor: with f degrees
// of freedom, f s0^2 follows chi-square(f) when the a priori sigmas are right.
struct ChiSquareBounds {
    double lower = 0;  // chi-square(0.025, f)
    double upper = 0;  // chi-square(0.975, f)
};

// Throws std::domain_error for f < 1.
ChiSquareBounds chiSquareBounds(int degreesOfFreedom);

// The factor of the standard ellipse's axes that makes the 95% one in two
// dimensions: sqrt(chi-square(0.95, 2)) = 2.4477.
double ellipse95Scale();

}  // namespace zendro::adjustment
