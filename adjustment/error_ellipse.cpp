#include "adjustment/error_ellipse.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "adjustment/chi_square_test.h"
#include "common/survey_geometry.h"

namespace zendro::adjustment {

coordinates::PointPrecision horizontalPrecision(double varianceNorth, double varianceEast,
                                                double covarianceNorthEast) {
    Eigen::Matrix2d covariance;
    covariance << varianceNorth, covarianceNorthEast, covarianceNorthEast, varianceEast;
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix2d> solver(covariance);
    const Eigen::Vector2d values = solver.eigenvalues();  // ascending
    const Eigen::Vector2d major = solver.eigenvectors().col(1);
    double azimuth = geometry::degrees(std::atan2(major.y(), major.x()));
    if (azimuth < 0) azimuth += 180.0;
    if (azimuth >= 180.0) azimuth -= 180.0;

    coordinates::PointPrecision precision;
    precision.sigmaNorth = std::sqrt(std::max(0.0, varianceNorth));
    precision.sigmaEast = std::sqrt(std::max(0.0, varianceEast));
    precision.ellipseMajor = ellipse95Scale() * std::sqrt(std::max(0.0, values[1]));
    precision.ellipseMinor = ellipse95Scale() * std::sqrt(std::max(0.0, values[0]));
    precision.ellipseAzimuthDegrees = azimuth;
    return precision;
}

}  // namespace zendro::adjustment
