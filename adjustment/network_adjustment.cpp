#include "adjustment/network_adjustment.h"

#include <Eigen/Geometry>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "adjustment/chi_square_test.h"
#include "adjustment/error_ellipse.h"
#include "common/survey_geometry.h"
#include "adjustment/network_observations.h"
#include "adjustment/sparse_least_squares.h"
#include "common/errors.h"

namespace zendro::adjustment {
namespace {

using coordinates::ControlHold;
using coordinates::ControlPoint;
using coordinates::PointPosition;

constexpr double kSecondsPerRadian = 1.0 / geometry::kRadiansPerSecond;
constexpr int kMaxIterations = 20;
constexpr double kCoordinateTolerance = 1e-6;    // distance unit
constexpr double kOrientationTolerance = 1e-9;   // radians, 0.0002"
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

using geometry::signedRadians;

// One observation row with where its points are in the positions.
struct Row {
    ObservationKind kind = ObservationKind::Direction;
    const NetworkObservation* observation = nullptr;  // null for control
    const ControlPoint* control = nullptr;
    std::size_t from = 0;
    std::size_t to = 0;
};

// Which group of points keeps what for its datum when control does not give it.
struct GroupDatum {
    std::size_t horizontalControl = 0;
    std::size_t verticalControl = 0;
    std::size_t firstSetup = kNone;  // into the network's setups
};

class NetworkAdjustment {
  public:
    explicit NetworkAdjustment(const AdjustmentInput& input) : input_(input) {
        if (input.records == nullptr || input.points == nullptr || input.approximate == nullptr) {
            throw ZendroError(jobName(input), "the job's records, points and positions are needed");
        }
        positions_ = *input.approximate;
        positions_.frame = coordinates::PositionFrame::Adjusted;
        for (std::size_t i = 0; i < positions_.points.size(); ++i) {
            at_[positions_.points[i].number] = i;
        }
        setups_ = collectSetups(*input.records, *input.points);
        for (const ControlPoint& point : input.control) checkControl(point, input.controlPath);
        placeReadControl();
        network_ = networkObservations(setups_, positions_, input.sigmas);
        control_.assign(positions_.points.size(), nullptr);
        for (const ControlPoint& point : input.control) {
            const auto found = at_.find(point.number);
            if (found != at_.end()) control_[found->second] = &point;
        }
    }

    AdjustmentResult run() {
        fitGroupsToControl();
        chooseDatum();
        keepDeterminedObservations();
        numberUnknowns();
        AdjustmentResult result;
        result.blunderLimit = input_.limits.blunderResidual;
        result.residuals.reserve(horizontalRows_.size() + verticalRows_.size());
        // Positions that no observation moved, or that did not settle, are
        // not adjusted ones: refuse rather than hand them on as such.
        if (horizontalRows_.empty() && verticalRows_.empty())
            throw ZendroError(jobName(input_),
                              "nothing to adjust: no setup reads a point of its group with a "
                              "distance");
        adjustHorizontal(result);
        adjustVertical(result);
        if (!result.converged)
            throw ZendroError(jobName(input_), "the adjustment did not converge in " +
                                                   std::to_string(kMaxIterations) +
                                                   " iterations: look for a gross error in "
                                                   "the review's findings first");
        summarize(result);
        return result;
    }

  private:
    static std::string jobName(const AdjustmentInput& input) {
        return input.hvdPath.empty() ? "adjustment" : input.hvdPath;
    }

    static void checkControl(const ControlPoint& point, const std::string& path) {
        if (point.hold == ControlHold::Weighted && !point.sigmaHorizontal) {
            throw ZendroError(path.empty() ? "control" : path,
                              "line " + std::to_string(point.line) + ": control point " +
                                  std::to_string(point.number) +
                                  " is weighted but has no standard deviation");
        }
    }

    // The plan places no point that is only backsighted; a control point read
    // so still has its known position, in the group of its first reader.
    void placeReadControl() {
        std::unordered_map<std::int64_t, const ControlPoint*> missing;
        for (const ControlPoint& point : input_.control) {
            if (!at_.contains(point.number)) missing[point.number] = &point;
        }
        for (const SetupReadings& setup : setups_) {
            if (missing.empty()) break;
            const auto station = at_.find(setup.station);
            if (station == at_.end() || placedFromControl_.contains(setup.station)) continue;
            for (const SetupReading& reading : setup.readings) {
                const auto found = missing.find(reading.point);
                if (found == missing.end()) continue;
                PointPosition placed;
                placed.number = reading.point;
                placed.north = found->second->north;
                placed.east = found->second->east;
                placed.elevation = found->second->elevation;
                placed.group = positions_.points[station->second].group;
                at_[reading.point] = positions_.points.size();
                positions_.points.push_back(placed);
                placedFromControl_.insert(reading.point);
                missing.erase(found);
            }
        }
        positions_.reindex();
    }

    double sigmaElevation(const ControlPoint& point) const {
        return point.sigmaElevation.value_or(point.sigmaHorizontal.value_or(0));
    }

    std::size_t groupCount() const {
        std::size_t count = 0;
        for (const PointPosition& point : positions_.points) count = std::max(count, point.group + 1);
        return count;
    }

    // Moves each group's approximate positions onto its control: a rigid 2D
    // fit from two or more control points (the local frame is turned
    // arbitrarily), a shift from one; the elevations by their mean difference.
    void fitGroupsToControl() {
        const std::size_t groups = groupCount();
        std::vector<std::vector<std::size_t>> controlled(groups);
        for (std::size_t i = 0; i < positions_.points.size(); ++i) {
            if (control_[i] != nullptr && !placedFromControl_.contains(positions_.points[i].number)) {
                controlled[positions_.points[i].group].push_back(i);
            }
        }
        for (std::size_t g = 0; g < groups; ++g) {
            const std::vector<std::size_t>& known = controlled[g];
            if (known.empty()) continue;
            // Dynamic sizes: g++ 12 misreads the fixed 2-row umeyama as an overread.
            Eigen::MatrixXd from(2, known.size()), to(2, known.size());
            double rise = 0;
            for (std::size_t k = 0; k < known.size(); ++k) {
                const PointPosition& p = positions_.points[known[k]];
                const ControlPoint& c = *control_[known[k]];
                from.col(static_cast<Eigen::Index>(k)) << p.north, p.east;
                to.col(static_cast<Eigen::Index>(k)) << c.north, c.east;
                rise += c.elevation - p.elevation;
            }
            rise /= static_cast<double>(known.size());
            Eigen::MatrixXd transform = Eigen::MatrixXd::Identity(3, 3);
            if (known.size() >= 2) {
                transform = Eigen::umeyama(from, to, false);
            } else {
                transform.block(0, 2, 2, 1) = to.col(0) - from.col(0);
            }
            for (PointPosition& p : positions_.points) {
                if (p.group != g || placedFromControl_.contains(p.number)) continue;
                const Eigen::Vector3d moved = transform * Eigen::Vector3d(p.north, p.east, 1.0);
                p.north = moved.x();
                p.east = moved.y();
                p.elevation += rise;
            }
        }
        for (std::size_t i = 0; i < positions_.points.size(); ++i) {
            if (control_[i] == nullptr) continue;
            PointPosition& p = positions_.points[i];
            p.north = control_[i]->north;
            p.east = control_[i]->east;
            p.elevation = control_[i]->elevation;
        }
    }

    std::size_t stationAt(std::size_t setup) const {
        return at_.at(network_.setups[setup]->station);
    }

    void chooseDatum() {
        datum_.assign(groupCount(), {});
        for (std::size_t i = 0; i < positions_.points.size(); ++i) {
            if (control_[i] == nullptr) continue;
            ++datum_[positions_.points[i].group].horizontalControl;
            ++datum_[positions_.points[i].group].verticalControl;
        }
        for (std::size_t s = 0; s < network_.setups.size(); ++s) {
            GroupDatum& datum = datum_[positions_.points[stationAt(s)].group];
            if (datum.firstSetup == kNone) datum.firstSetup = s;
        }
        heldHorizontal_.assign(positions_.points.size(), false);
        heldVertical_.assign(positions_.points.size(), false);
        heldOrientation_.assign(network_.setups.size(), false);
        for (std::size_t i = 0; i < positions_.points.size(); ++i) {
            if (control_[i] == nullptr || control_[i]->hold != ControlHold::Fixed) continue;
            heldHorizontal_[i] = true;
            heldVertical_[i] = true;
        }
        for (const GroupDatum& datum : datum_) {
            if (datum.firstSetup == kNone) continue;
            const std::size_t station = stationAt(datum.firstSetup);
            if (datum.horizontalControl == 0) heldHorizontal_[station] = true;
            if (datum.horizontalControl < 2) heldOrientation_[datum.firstSetup] = true;
            if (datum.verticalControl == 0) heldVertical_[station] = true;
        }
    }

    // A point is kept when it is held or known, or its readings could fix it:
    // a direction and a distance, or directions or distances from two points.
    // Dropping one point's readings can leave another short, so until stable.
    void keepDeterminedObservations() {
        struct Support {
            int directions = 0, distances = 0;
            std::int64_t directionFrom = -1, distanceFrom = -1;
            bool directionsFromTwo = false, distancesFromTwo = false;
            void add(bool direction, std::int64_t other) {
                std::int64_t& first = direction ? directionFrom : distanceFrom;
                bool& two = direction ? directionsFromTwo : distancesFromTwo;
                ++(direction ? directions : distances);
                if (first < 0) first = other;
                else if (first != other) two = true;
            }
            bool fixes() const {
                return (directions > 0 && distances > 0) || directionsFromTwo || distancesFromTwo;
            }
        };
        kept_.assign(network_.horizontal.size(), true);
        determined_.assign(positions_.points.size(), false);
        for (bool changed = true; changed;) {
            changed = false;
            std::vector<Support> support(positions_.points.size());
            for (std::size_t k = 0; k < network_.horizontal.size(); ++k) {
                if (!kept_[k]) continue;
                const NetworkObservation& o = network_.horizontal[k];
                const bool direction = o.kind == ObservationKind::Direction;
                support[at_.at(o.to)].add(direction, o.from);
                support[at_.at(o.from)].add(direction, o.to);
            }
            for (std::size_t i = 0; i < positions_.points.size(); ++i) {
                determined_[i] = heldHorizontal_[i] || control_[i] != nullptr || support[i].fixes();
            }
            for (std::size_t k = 0; k < network_.horizontal.size(); ++k) {
                const NetworkObservation& o = network_.horizontal[k];
                if (kept_[k] && (!determined_[at_.at(o.to)] || !determined_[at_.at(o.from)])) {
                    kept_[k] = false;
                    changed = true;
                }
            }
        }
    }

    void numberUnknowns() {
        const std::size_t n = positions_.points.size();
        horizontalUnknown_.assign(n, -1);
        verticalUnknown_.assign(n, -1);
        orientationUnknown_.assign(network_.setups.size(), -1);
        horizontalRows_.reserve(network_.horizontal.size());
        verticalRows_.reserve(network_.vertical.size());
        auto addPoint = [&](std::size_t i) {
            if (horizontalUnknown_[i] < 0 && !heldHorizontal_[i]) {
                horizontalUnknown_[i] = horizontalCount_;
                horizontalCount_ += 2;
            }
        };
        for (std::size_t k = 0; k < network_.horizontal.size(); ++k) {
            if (!kept_[k]) continue;
            const NetworkObservation& o = network_.horizontal[k];
            const std::size_t from = at_.at(o.from), to = at_.at(o.to);
            addPoint(from);
            addPoint(to);
            horizontalRows_.push_back({o.kind, &o, nullptr, from, to});
            if (o.kind == ObservationKind::Direction && orientationUnknown_[o.setup] < 0 &&
                !heldOrientation_[o.setup]) {
                orientationUnknown_[o.setup] = horizontalCount_++;
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            const ControlPoint* c = control_[i];
            if (c == nullptr || c->hold != ControlHold::Weighted || horizontalUnknown_[i] < 0) continue;
            horizontalRows_.push_back({ObservationKind::ControlNorth, nullptr, c, i, i});
            horizontalRows_.push_back({ObservationKind::ControlEast, nullptr, c, i, i});
        }
        for (const NetworkObservation& o : network_.vertical) {
            const std::size_t from = at_.at(o.from), to = at_.at(o.to);
            for (const std::size_t i : {from, to}) {
                if (verticalUnknown_[i] < 0 && !heldVertical_[i]) verticalUnknown_[i] = verticalCount_++;
            }
            verticalRows_.push_back({o.kind, &o, nullptr, from, to});
        }
        for (std::size_t i = 0; i < n; ++i) {
            const ControlPoint* c = control_[i];
            if (c == nullptr || c->hold != ControlHold::Weighted || verticalUnknown_[i] < 0) continue;
            verticalRows_.push_back({ObservationKind::ControlElevation, nullptr, c, i, i});
        }
        startOrientations();
    }

    double azimuth(std::size_t from, std::size_t to) const {
        const PointPosition& a = positions_.points[from];
        const PointPosition& b = positions_.points[to];
        return std::atan2(b.east - a.east, b.north - a.north);
    }

    // Each setup's orientation from the approximate positions: the mean of
    // azimuth minus reading over its directions, taken about the first.
    void startOrientations() {
        orientation_.assign(network_.setups.size(), 0.0);
        std::vector<double> sum(network_.setups.size(), 0.0);
        std::vector<int> count(network_.setups.size(), 0);
        std::vector<double> first(network_.setups.size(), 0.0);
        for (const Row& row : horizontalRows_) {
            if (row.kind != ObservationKind::Direction) continue;
            const std::size_t s = row.observation->setup;
            const double offset = azimuth(row.from, row.to) - row.observation->observed;
            if (count[s] == 0) first[s] = offset;
            sum[s] += signedRadians(offset - first[s]);
            ++count[s];
        }
        for (std::size_t s = 0; s < orientation_.size(); ++s) {
            if (count[s] > 0) orientation_[s] = first[s] + sum[s] / count[s];
            if (heldOrientation_[s] && datumHeldStation(s)) orientation_[s] = localFrameOrientation(s);
        }
    }

    bool datumHeldStation(std::size_t setup) const {
        const GroupDatum& datum = datum_[positions_.points[stationAt(setup)].group];
        return datum.firstSetup == setup && datum.horizontalControl == 0;
    }

    // The local frame starts on a setup whose backsight points along azimuth
    // 0: the last direct-face backsight, else the last reversed one, else
    // the first reading.
    double localFrameOrientation(std::size_t setup) const {
        const SetupReadings& readings = *network_.setups[setup];
        const SetupReading* chosen = nullptr;
        for (const bool reversed : {false, true}) {
            for (const SetupReading& r : readings.readings) {
                if (r.kind == field_format::RecordKind::Backsight && r.reversed == reversed) chosen = &r;
            }
            if (chosen != nullptr) break;
        }
        if (chosen == nullptr) chosen = &readings.readings.front();
        return -chosen->horizontalDegrees * std::numbers::pi / 180.0;
    }

    // The row at the current values: computed value, coefficients, sigma.
    DesignRow linearizeHorizontal(const Row& row, double& computed) const {
        DesignRow design;
        const PointPosition& a = positions_.points[row.from];
        const PointPosition& b = positions_.points[row.to];
        const int fa = horizontalUnknown_[row.from];
        const int fb = horizontalUnknown_[row.to];
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
            const double orientation = orientation_[o.setup];
            computed = std::atan2(de, dn) - orientation;
            design.misclosure = signedRadians(o.observed - computed);
            if (fa >= 0) design.add(fa, de / squared), design.add(fa + 1, -dn / squared);
            if (fb >= 0) design.add(fb, -de / squared), design.add(fb + 1, dn / squared);
            design.add(orientationUnknown_[o.setup], -1.0);
            return design;
        }
        const double length = std::sqrt(squared);
        computed = length;
        design.misclosure = o.observed - computed;
        if (fa >= 0) design.add(fa, -dn / length), design.add(fa + 1, -de / length);
        if (fb >= 0) design.add(fb, dn / length), design.add(fb + 1, de / length);
        return design;
    }

    DesignRow linearizeVertical(const Row& row, double& computed) const {
        DesignRow design;
        const PointPosition& a = positions_.points[row.from];
        const PointPosition& b = positions_.points[row.to];
        if (row.control != nullptr) {
            computed = a.elevation;
            design.add(verticalUnknown_[row.from], 1.0);
            design.misclosure = row.control->elevation - computed;
            design.sigma = sigmaElevation(*row.control);
            return design;
        }
        computed = b.elevation - a.elevation;
        design.add(verticalUnknown_[row.from], -1.0);
        design.add(verticalUnknown_[row.to], 1.0);
        design.misclosure = row.observation->observed - computed;
        design.sigma = row.observation->sigma;
        return design;
    }

    [[noreturn]] void throwUndetermined(int unknown, bool horizontal) const {
        std::string what;
        for (std::size_t i = 0; i < positions_.points.size() && what.empty(); ++i) {
            const int first = horizontal ? horizontalUnknown_[i] : verticalUnknown_[i];
            const std::string point = "point " + std::to_string(positions_.points[i].number);
            if (!horizontal && first == unknown) what = "the elevation of " + point;
            if (horizontal && first == unknown) what = "the north of " + point;
            if (horizontal && first >= 0 && first + 1 == unknown) what = "the east of " + point;
        }
        for (std::size_t s = 0; s < orientationUnknown_.size() && what.empty(); ++s) {
            if (orientationUnknown_[s] != unknown) continue;
            what = "the orientation of the setup on point " +
                   std::to_string(network_.setups[s]->station) + " (HVD record " +
                   std::to_string(network_.setups[s]->record) + ")";
        }
        throw ZendroError(jobName(input_), "the adjustment's observations do not determine " + what +
                          ": it needs more directions or distances to points already fixed, "
                          "or control");
    }

    std::vector<DesignRow> linearizeAll(bool horizontal, std::vector<double>* computed) const {
        std::vector<DesignRow> design;
        linearizeInto(horizontal, computed, design);
        return design;
    }

    void linearizeInto(bool horizontal, std::vector<double>* computed,
                       std::vector<DesignRow>& design) const {
        const std::vector<Row>& rows = horizontal ? horizontalRows_ : verticalRows_;
        design.clear();
        design.reserve(rows.size());
        if (computed != nullptr) computed->resize(rows.size());
        double value = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            design.push_back(horizontal ? linearizeHorizontal(rows[r], value)
                                        : linearizeVertical(rows[r], value));
            if (computed != nullptr) (*computed)[r] = value;
        }
    }

    // Applies one correction; true when it was below the tolerances.
    bool apply(const Eigen::VectorXd& dx, bool horizontal) {
        double coordinates = 0, orientations = 0;
        for (std::size_t i = 0; i < positions_.points.size(); ++i) {
            PointPosition& p = positions_.points[i];
            if (horizontal && horizontalUnknown_[i] >= 0) {
                const double dn = dx[horizontalUnknown_[i]];
                const double de = dx[horizontalUnknown_[i] + 1];
                p.north += dn;
                p.east += de;
                coordinates = std::max({coordinates, std::abs(dn), std::abs(de)});
            }
            if (!horizontal && verticalUnknown_[i] >= 0) {
                p.elevation += dx[verticalUnknown_[i]];
                coordinates = std::max(coordinates, std::abs(dx[verticalUnknown_[i]]));
            }
        }
        if (horizontal) {
            for (std::size_t s = 0; s < orientation_.size(); ++s) {
                if (orientationUnknown_[s] < 0) continue;
                orientation_[s] += dx[orientationUnknown_[s]];
                orientations = std::max(orientations, std::abs(dx[orientationUnknown_[s]]));
            }
        }
        return coordinates < kCoordinateTolerance && orientations < kOrientationTolerance;
    }

    // Gauss-Newton to convergence; the last factorization gives the cofactors.
    std::vector<DesignRow> iterate(bool horizontal, SparseLeastSquares& solver, int& iterations,
                                   bool& converged) {
        std::vector<DesignRow> design;
        converged = false;
        for (iterations = 0; iterations < kMaxIterations && !converged;) {
            linearizeInto(horizontal, nullptr, design);
            Eigen::VectorXd dx;
            try {
                dx = solver.solve(design);
            } catch (const SingularUnknown& singular) {
                throwUndetermined(singular.unknown, horizontal);
            }
            ++iterations;
            converged = apply(dx, horizontal);
        }
        solver.releaseDesign();
        return design;
    }

    void adjustHorizontal(AdjustmentResult& result) {
        // Nothing free to move is settled as it stands.
        result.converged = true;
        if (horizontalRows_.empty() || horizontalCount_ == 0) return;
        horizontalSolver_ = std::make_unique<SparseLeastSquares>(horizontalCount_);
        // The rows go once the redundancies are known: residualsOf makes its own.
        horizontalRedundancy_ = horizontalSolver_->redundancies(
            iterate(true, *horizontalSolver_, result.iterations, result.converged));
        result.horizontal = residualsOf(true, horizontalRows_, horizontalRedundancy_,
                                        horizontalCount_, result.residuals);
    }

    void adjustVertical(AdjustmentResult& result) {
        if (verticalRows_.empty() || verticalCount_ == 0) return;
        verticalSolver_ = std::make_unique<SparseLeastSquares>(verticalCount_);
        int iterations = 0;
        bool converged = false;
        verticalRedundancy_ =
            verticalSolver_->redundancies(iterate(false, *verticalSolver_, iterations, converged));
        if (horizontalRows_.empty()) {
            result.iterations = iterations;
            result.converged = converged;
        } else {
            result.converged = result.converged && converged;
        }
        result.vertical = residualsOf(false, verticalRows_, verticalRedundancy_, verticalCount_,
                                      result.residuals);
    }

    PartStatistics residualsOf(bool horizontal, const std::vector<Row>& rows,
                               const std::vector<double>& redundancy, int unknowns,
                               std::vector<ObservationResidual>& out) const {
        std::vector<double> computed;
        const std::vector<DesignRow> design = linearizeAll(horizontal, &computed);
        PartStatistics part;
        part.observations = static_cast<int>(rows.size());
        part.unknowns = unknowns;
        part.degreesOfFreedom = part.observations - unknowns;
        double weightedSquares = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const Row& row = rows[r];
            const double v = -design[r].misclosure;  // adjusted minus observed
            weightedSquares += (v / design[r].sigma) * (v / design[r].sigma);
            ObservationResidual residual;
            residual.kind = row.kind;
            residual.from = positions_.points[row.from].number;
            residual.to = positions_.points[row.to].number;
            residual.redundancy = redundancy[r];
            if (row.observation != nullptr) residual.record = row.observation->record;
            const bool direction = row.kind == ObservationKind::Direction;
            residual.observed = computed[r] + design[r].misclosure;
            if (direction) residual.observed = std::fmod(residual.observed * 180.0 / std::numbers::pi + 720.0, 360.0);
            residual.residual = direction ? v * kSecondsPerRadian : v;
            if (redundancy[r] > kMinimumRedundancy) {
                residual.standardized = v / (design[r].sigma * std::sqrt(redundancy[r]));
            }
            out.push_back(residual);
        }
        if (part.degreesOfFreedom > 0) {
            part.varianceFactor = weightedSquares / part.degreesOfFreedom;
            const ChiSquareBounds bounds = chiSquareBounds(part.degreesOfFreedom);
            part.chiSquareLower = bounds.lower;
            part.chiSquareUpper = bounds.upper;
            part.chiSquarePassed = weightedSquares >= bounds.lower && weightedSquares <= bounds.upper;
        }
        return part;
    }

    // The largest redundancy among a point's rows: above kMinimumRedundancy
    // the other observations check it.
    std::vector<double> pointRedundancy(const std::vector<Row>& rows,
                                        const std::vector<double>& redundancy) const {
        std::vector<double> best(positions_.points.size(), 0.0);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            best[rows[r].from] = std::max(best[rows[r].from], redundancy[r]);
            best[rows[r].to] = std::max(best[rows[r].to], redundancy[r]);
        }
        return best;
    }

    std::string blunderAdvice(const ObservationResidual& r) const {
        const std::string between =
            " from point " + std::to_string(r.from) + " to point " + std::to_string(r.to);
        const std::string record = " (HVD record " + std::to_string(r.record) + ")";
        switch (r.kind) {
            case ObservationKind::Direction:
                return "re-measure the direction" + between + record;
            case ObservationKind::Distance:
                return "re-measure the distance" + between + record;
            case ObservationKind::HeightDifference:
                return "check the instrument and target heights and re-measure the zenith angle" +
                       between + record;
            case ObservationKind::ControlNorth:
            case ObservationKind::ControlEast:
            case ObservationKind::ControlElevation:
                break;
        }
        const ControlPoint* c = control_[at_.at(r.from)];
        return "check control point " + std::to_string(r.from) + " (line " +
               std::to_string(c != nullptr ? c->line : 0) + " of the control file)";
    }

    // Precision comes from the a priori sigmas, made larger by the variance
    // factor only when the test finds them optimistic: an exact job would
    // otherwise show points known to nothing.
    static double precisionScale(const PartStatistics& part) {
        return part.chiSquarePassed || part.varianceFactor < 1 ? 1.0 : part.varianceFactor;
    }

    void summarize(AdjustmentResult& result) {
        const PartStatistics& h = result.horizontal;
        const PartStatistics& v = result.vertical;
        result.degreesOfFreedom = std::max(0, h.degreesOfFreedom) + std::max(0, v.degreesOfFreedom);
        if (result.degreesOfFreedom > 0) {
            const double squares = h.varianceFactor * std::max(0, h.degreesOfFreedom) +
                                   v.varianceFactor * std::max(0, v.degreesOfFreedom);
            result.varianceFactor = squares / result.degreesOfFreedom;
            const ChiSquareBounds bounds = chiSquareBounds(result.degreesOfFreedom);
            result.chiSquareLower = bounds.lower;
            result.chiSquareUpper = bounds.upper;
            result.chiSquarePassed = squares >= bounds.lower && squares <= bounds.upper;
        }

        std::size_t worst = kNone;
        for (std::size_t r = 0; r < result.residuals.size(); ++r) {
            const double w = std::abs(result.residuals[r].standardized);
            if (w > result.blunderLimit &&
                (worst == kNone || w > std::abs(result.residuals[worst].standardized))) {
                worst = r;
            }
        }
        if (worst != kNone) result.blunder = Blunder{worst, blunderAdvice(result.residuals[worst])};

        const std::vector<double> horizontal = pointRedundancy(horizontalRows_, horizontalRedundancy_);
        const std::vector<double> vertical = pointRedundancy(verticalRows_, verticalRedundancy_);
        const double hs0 = precisionScale(result.horizontal);
        const double vs0 = precisionScale(result.vertical);
        for (std::size_t i = 0; i < positions_.points.size(); ++i) {
            PointPosition& p = positions_.points[i];
            p.precision.reset();
            const int fh = horizontalUnknown_[i];
            const int fv = verticalUnknown_[i];
            if (heldHorizontal_[i] && heldVertical_[i]) {
                result.held.push_back(p.number);
                continue;
            }
            if (fh < 0 && !heldHorizontal_[i]) {
                result.notDetermined.push_back(p.number);
                continue;
            }
            const bool checkedHorizontally = heldHorizontal_[i] || horizontal[i] > kMinimumRedundancy;
            const bool checkedVertically = heldVertical_[i] || (fv >= 0 && vertical[i] > kMinimumRedundancy);
            if (!checkedHorizontally || !checkedVertically || fh < 0) {
                result.notChecked.push_back(p.number);
                continue;
            }
            coordinates::PointPrecision precision = horizontalPrecision(
                hs0 * horizontalSolver_->cofactor(fh, fh),
                hs0 * horizontalSolver_->cofactor(fh + 1, fh + 1),
                hs0 * horizontalSolver_->cofactor(fh, fh + 1));
            if (fv >= 0) precision.sigmaElevation = std::sqrt(vs0 * verticalSolver_->cofactor(fv, fv));
            p.precision = precision;
        }
        result.positions = std::move(positions_);
        result.positions.reindex();
    }

    const AdjustmentInput& input_;
    coordinates::JobPositions positions_;
    std::unordered_map<std::int64_t, std::size_t> at_;
    std::unordered_set<std::int64_t> placedFromControl_;  // at their known position from the start
    std::vector<SetupReadings> setups_;
    NetworkObservations network_;
    std::vector<const ControlPoint*> control_;  // by position
    std::vector<GroupDatum> datum_;
    std::vector<bool> heldHorizontal_, heldVertical_, heldOrientation_;
    std::vector<bool> kept_, determined_;
    std::vector<int> horizontalUnknown_, verticalUnknown_, orientationUnknown_;
    int horizontalCount_ = 0;
    int verticalCount_ = 0;
    std::vector<Row> horizontalRows_, verticalRows_;
    std::vector<double> orientation_;
    std::unique_ptr<SparseLeastSquares> horizontalSolver_, verticalSolver_;
    std::vector<double> horizontalRedundancy_, verticalRedundancy_;
};

}  // namespace

std::string_view observationKindName(ObservationKind kind) {
    switch (kind) {
        case ObservationKind::Direction: return "direction";
        case ObservationKind::Distance: return "distance";
        case ObservationKind::HeightDifference: return "height difference";
        case ObservationKind::ControlNorth: return "control north";
        case ObservationKind::ControlEast: return "control east";
        case ObservationKind::ControlElevation: return "control elevation";
    }
    return "observation";
}

AdjustmentResult adjustNetwork(const AdjustmentInput& input) {
    return NetworkAdjustment(input).run();
}

}  // namespace zendro::adjustment
