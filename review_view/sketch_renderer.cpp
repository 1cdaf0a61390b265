#include "review_view/sketch_renderer.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

namespace zendro::review {
namespace {

constexpr double kMarkSize = 3;
constexpr double kLabelArea = 4000;  // square pixels a readable name needs around it
const QColor kLegColour(90, 90, 90);
const QColor kPointColour(20, 20, 20);
const QColor kStationColour(200, 30, 30);
const QColor kTapedColour(30, 110, 200);

QRectF worldView(QSizeF size, const SketchView& view) {
    const QPointF a = view.toWorld({0, 0}, size);
    const QPointF b = view.toWorld({size.width(), size.height()}, size);
    return QRectF(a, b).normalized();
}

}  // namespace

SketchView SketchView::fitting(const SketchBounds& bounds, QSizeF size, double margin) {
    SketchView view;
    view.centreX = (bounds.minX + bounds.maxX) / 2;
    view.centreY = (bounds.minY + bounds.maxY) / 2;
    const double width = std::max(bounds.maxX - bounds.minX, 1.0);
    const double height = std::max(bounds.maxY - bounds.minY, 1.0);
    const double usableWidth = std::max(size.width() - 2 * margin, 1.0);
    const double usableHeight = std::max(size.height() - 2 * margin, 1.0);
    view.scale = std::min(usableWidth / width, usableHeight / height);
    return view;
}

void SketchView::zoomAbout(QPointF device, double factor, QSizeF size) {
    const QPointF anchor = toWorld(device, size);
    scale *= factor;
    const QPointF moved = toDevice(anchor.x(), anchor.y(), size);
    panBy(device - moved);
}

SketchRenderer::SketchRenderer(const SketchModel& model) : model_(model) {
    chainBounds_.reserve(model.chains.size());
    for (const SketchChain& chain : model.chains) {
        QRectF bounds;
        for (const std::size_t i : chain.points) {
            const SketchPoint& p = model.points[i];
            bounds = bounds.united(QRectF(p.x, p.y, 0, 0).adjusted(-1e-9, -1e-9, 1e-9, 1e-9));
        }
        chainBounds_.push_back(bounds);
    }
}

QColor SketchRenderer::featureColour(const std::string& feature) {
    std::uint32_t hash = 2166136261u;  // FNV-1a: stable across runs and platforms
    for (const char c : feature) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return QColor::fromHsv(static_cast<int>(hash % 360), 210, 190);
}

void SketchRenderer::paint(QPainter& painter, QSizeF size, const SketchView& view) const {
    painter.save();
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    const QRectF visible = worldView(size, view);
    // Level of detail: a crowded view is drawn without antialiasing, which
    // costs several times the plain drawing and shows little at that scale.
    std::size_t pointsInView = 0;
    for (const SketchPoint& p : model_.points)
        if (visible.contains(p.x, p.y)) ++pointsInView;
    const bool detailed = pointsInView <= kLabelBudget;
    painter.setRenderHint(QPainter::Antialiasing, detailed);
    const auto device = [&](const SketchPoint& p) { return view.toDevice(p.x, p.y, size); };

    painter.setPen(QPen(kLegColour, 1, Qt::DashLine));
    for (const auto& [from, to] : model_.legs) {
        painter.drawLine(device(model_.points[from]), device(model_.points[to]));
    }

    for (std::size_t c = 0; c < model_.chains.size(); ++c) {
        const SketchChain& chain = model_.chains[c];
        if (chain.points.size() < 2 || !chainBounds_[c].intersects(visible)) continue;
        QPolygonF line;
        line.reserve(static_cast<qsizetype>(chain.points.size()));
        for (const std::size_t i : chain.points) line << device(model_.points[i]);
        // Thin lines take the fast path when the view is crowded.
        painter.setPen(QPen(featureColour(chain.feature), detailed ? 1.6 : 0));
        painter.drawPolyline(line);
    }

    std::vector<const SketchPoint*> inView;
    inView.reserve(pointsInView);
    QPolygonF marks;
    for (const SketchPoint& p : model_.points) {
        if (!visible.contains(p.x, p.y)) continue;
        inView.push_back(&p);
        if (!p.station) marks << device(p);
    }
    painter.setPen(detailed ? QPen(kPointColour, 2 * kMarkSize, Qt::SolidLine, Qt::RoundCap)
                            : QPen(kPointColour, kMarkSize, Qt::SolidLine, Qt::SquareCap));
    painter.drawPoints(marks);
    painter.setPen(QPen(kStationColour, 1.5));
    for (const SketchPoint* p : inView) {
        const QPointF at = device(*p);
        if (p->station) {
            QPolygonF triangle;
            triangle << at + QPointF(0, -6) << at + QPointF(5.5, 4) << at + QPointF(-5.5, 4);
            painter.drawPolygon(triangle);
        } else if (p->taped) {
            painter.setPen(QPen(kTapedColour, 1.5));
            painter.drawRect(QRectF(at - QPointF(4, 4), QSizeF(8, 8)));
            painter.setPen(QPen(kStationColour, 1.5));
        }
    }

    // Level of detail: the names only when they have room to be read.
    if (detailed &&
        static_cast<double>(pointsInView) * kLabelArea <= size.width() * size.height()) {
        painter.setPen(kPointColour);
        QFont font = painter.font();
        font.setPointSizeF(7.5);
        painter.setFont(font);
        for (const SketchPoint* p : inView) {
            painter.drawText(device(*p) + QPointF(6, -4), QString::fromStdString(p->label));
        }
    }
    painter.restore();
}

std::ptrdiff_t SketchRenderer::pointAt(QPointF device, QSizeF size, const SketchView& view,
                                       double radius) const {
    std::ptrdiff_t best = -1;
    double bestDistance = radius * radius;
    for (std::size_t i = 0; i < model_.points.size(); ++i) {
        const SketchPoint& p = model_.points[i];
        const QPointF d = view.toDevice(p.x, p.y, size) - device;
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = static_cast<std::ptrdiff_t>(i);
        }
    }
    return best;
}

}  // namespace zendro::review
