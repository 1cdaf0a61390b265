#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "adjustment/adjustment_result.h"
#include "adjustment/network_datum.h"
#include "adjustment/network_observations.h"
#include "coordinates/control_file.h"

namespace zendro::adjustment {

// The horizontal observations the adjustment keeps, by index in
// `network.horizontal`: those whose points are held or known, or that the
// readings could fix (a direction and a distance, or directions or distances
// from two points).
std::vector<bool> keptObservations(const NetworkPoints& points, const NetworkObservations& network,
                                   const NetworkDatum& datum);

// The adjustment's two parts, solved one after the other.
enum class NetworkPart {
    Horizontal,  // directions, distances, weighted control's north and east
    Vertical,    // height differences, weighted control's elevation
};

// One observation row with where its points are in the positions.
struct NetworkRow {
    ObservationKind kind = ObservationKind::Direction;
    const NetworkObservation* observation = nullptr;  // null for control
    const coordinates::ControlPoint* control = nullptr;
    std::size_t from = 0;
    std::size_t to = 0;
};

// Where each free value is among a part's unknowns (-1: held, or not
// adjusted), and the rows that determine them.
struct NetworkUnknowns {
    std::vector<int> horizontal;   // by point: its north, its east the next
    std::vector<int> vertical;     // by point: its elevation
    std::vector<int> orientation;  // by setup of the network
    int horizontalCount = 0;
    int verticalCount = 0;
    // Kept observations in the network's order, then the weighted control's
    // pseudo-observations.
    std::vector<NetworkRow> horizontalRows;
    std::vector<NetworkRow> verticalRows;

    const std::vector<NetworkRow>& rows(NetworkPart part) const {
        return part == NetworkPart::Horizontal ? horizontalRows : verticalRows;
    }
    int count(NetworkPart part) const {
        return part == NetworkPart::Horizontal ? horizontalCount : verticalCount;
    }
};

// `network` and the control must outlive the rows, which point into them.
NetworkUnknowns numberUnknowns(const NetworkPoints& points, const NetworkObservations& network,
                               const NetworkDatum& datum, const std::vector<bool>& kept);

// Each setup's orientation (radians) from the approximate positions: the mean
// of azimuth minus reading over its directions, taken about the first; a
// setup that keeps the local frame keeps that frame's.
std::vector<double> startOrientations(const NetworkPoints& points,
                                      const NetworkObservations& network, const NetworkDatum& datum,
                                      const NetworkUnknowns& unknowns);

// "the north of point 12", "the orientation of the setup on point 3 (HVD
// record 40)": what an unknown of `part` stands for.
std::string unknownName(int unknown, NetworkPart part, const NetworkUnknowns& unknowns,
                        const NetworkPoints& points, const NetworkObservations& network);

}  // namespace zendro::adjustment
