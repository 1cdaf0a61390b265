#include "adjustment/network_design.h"

#include <cmath>

#include "common/survey_geometry.h"

namespace zendro::adjustment {
namespace {

using coordinates::ControlPoint;
using coordinates::PointPosition;

double sigmaElevation(const ControlPoint& point) {
    return point.sigmaElevation.value_or(point.sigmaHorizontal.value_or(0));
}

DesignRow horizontalRow(const NetworkRow& row, const NetworkUnknowns& unknowns,
                        const std::vector<PointPosition>& points,
                        const std::vector<double>& orientations, double& computed) {
    DesignRow design;
    const PointPosition& a = points[row.from];
    const PointPosition& b = points[row.to];
    const int fa = unknowns.horizontal[row.from];
    const int fb = unknowns.horizontal[row.to];
    if (row.control != nullptr) {
        const bool north = row.kind == ObservationKind::ControlNorth;
        computed = north ? a.north : a.east;
        design.add(north ? fa : fa + 1, 1.0);
        design.misclosure = (north ? row.control->north : row.control->east) - computed;
        design.sigma = *row.control->sigmaHorizontal;
        return design;
    }
    const double dn = b.north - a.north;
    const double de = b.east - a.east;
    const double squared = dn * dn + de * de;
    const NetworkObservation& o = *row.observation;
    design.sigma = o.sigma;
    if (row.kind == ObservationKind::Direction) {
        computed =
            geometry::azimuthRadians(a.north, a.east, b.north, b.east) - orientations[o.setup];
        design.misclosure = geometry::signedRadians(o.observed - computed);
        if (fa >= 0) design.add(fa, de / squared), design.add(fa + 1, -dn / squared);
        if (fb >= 0) design.add(fb, -de / squared), design.add(fb + 1, dn / squared);
        design.add(unknowns.orientation[o.setup], -1.0);
        return design;
    }
    const double length = std::sqrt(squared);
    computed = length;
    design.misclosure = o.observed - computed;
    if (fa >= 0) design.add(fa, -dn / length), design.add(fa + 1, -de / length);
    if (fb >= 0) design.add(fb, dn / length), design.add(fb + 1, de / length);
    return design;
}

DesignRow verticalRow(const NetworkRow& row, const NetworkUnknowns& unknowns,
                      const std::vector<PointPosition>& points, double& computed) {
    DesignRow design;
    const PointPosition& a = points[row.from];
    const PointPosition& b = points[row.to];
    if (row.control != nullptr) {
        computed = a.elevation;
        design.add(unknowns.vertical[row.from], 1.0);
        design.misclosure = row.control->elevation - computed;
        design.sigma = sigmaElevation(*row.control);
        return design;
    }
    computed = b.elevation - a.elevation;
    design.add(unknowns.vertical[row.from], -1.0);
    design.add(unknowns.vertical[row.to], 1.0);
    design.misclosure = row.observation->observed - computed;
    design.sigma = row.observation->sigma;
    return design;
}

}  // namespace

void linearize(NetworkPart part, const NetworkUnknowns& unknowns,
               const coordinates::JobPositions& positions, const std::vector<double>& orientations,
               std::vector<DesignRow>& design, std::vector<double>* computed) {
    const std::vector<NetworkRow>& rows = unknowns.rows(part);
    design.clear();
    design.reserve(rows.size());
    if (computed != nullptr) computed->resize(rows.size());
    double value = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        design.push_back(
            part == NetworkPart::Horizontal
                ? horizontalRow(rows[r], unknowns, positions.points, orientations, value)
                : verticalRow(rows[r], unknowns, positions.points, value));
        if (computed != nullptr) (*computed)[r] = value;
    }
}

}  // namespace zendro::adjustment
