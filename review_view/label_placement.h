#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <optional>
#include <vector>

namespace zendro::review {

// One name to place beside its mark; a lower priority number is placed first.
struct LabelRequest {
    QPointF anchor;  // the mark, in device pixels
    QSizeF size;     // the text's box
    int priority = 0;
};

// Places each label in the first free spot around its anchor (above right,
// below right, above left, below left, `gap` pixels off the mark), inside
// `area` and clear of `occupied` and of the labels placed before it, in
// priority order (ties keep their order). A label that fits nowhere is left
// out. The result is in the order of `requests`.
std::vector<std::optional<QRectF>> placeLabels(const std::vector<LabelRequest>& requests,
                                               const QRectF& area,
                                               const std::vector<QRectF>& occupied,
                                               double gap = 4);

}  // namespace zendro::review
