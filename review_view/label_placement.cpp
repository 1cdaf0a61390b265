#include "review_view/label_placement.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace zendro::review {

std::vector<std::optional<QRectF>> placeLabels(const std::vector<LabelRequest>& requests,
                                               const QRectF& area,
                                               const std::vector<QRectF>& occupied, double gap) {
    std::vector<std::size_t> order(requests.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return requests[a].priority < requests[b].priority;
    });
    std::vector<QRectF> taken = occupied;
    taken.reserve(occupied.size() + requests.size());
    std::vector<std::optional<QRectF>> placed(requests.size());
    for (const std::size_t i : order) {
        const LabelRequest& r = requests[i];
        const double w = r.size.width();
        const double h = r.size.height();
        const double x = r.anchor.x();
        const double y = r.anchor.y();
        const std::array<QRectF, 4> spots{
            QRectF(x + gap, y - gap - h, w, h), QRectF(x + gap, y + gap, w, h),
            QRectF(x - gap - w, y - gap - h, w, h), QRectF(x - gap - w, y + gap, w, h)};
        for (const QRectF& spot : spots) {
            if (!area.contains(spot)) continue;
            const bool free = std::none_of(taken.begin(), taken.end(),
                                           [&](const QRectF& t) { return t.intersects(spot); });
            if (!free) continue;
            placed[i] = spot;
            taken.push_back(spot);
            break;
        }
    }
    return placed;
}

}  // namespace zendro::review
