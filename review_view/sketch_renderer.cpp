#include "review_view/sketch_renderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <optional>
#include <unordered_set>

#include "review_view/label_placement.h"
#include "review_view/plan_sheet.h"
#include "review_view/sheet_colours.h"

namespace zendro::review {
namespace {

constexpr double kMarkSize = 3;
constexpr double kLabelArea = 4000;  // square pixels a readable name needs around it
const QColor kLegColour(90, 90, 90);
const QColor kTapedColour(30, 110, 200);
// The largest ellipse's major semi-axis gets at most this share of the
// drawing's shorter side: plainly visible, never swamping the points.
constexpr double kEllipseShare = 1.0 / 50;

constexpr double kBandMargin = 12;  // pixels between the job and the sheet's boxes

// The view that shows `bounds` whole inside `band` of a drawing of `size`, or
// none when the band has no room.
std::optional<SketchView> fittingInto(const SketchBounds& bounds, const QRectF& band, QSizeF size) {
    const double usableWidth = band.width() - 2 * kBandMargin;
    const double usableHeight = band.height() - 2 * kBandMargin;
    if (usableWidth <= 0 || usableHeight <= 0) return std::nullopt;
    SketchView view;
    view.scale = std::min(usableWidth / std::max(bounds.maxX - bounds.minX, 1.0),
                          usableHeight / std::max(bounds.maxY - bounds.minY, 1.0));
    // The job's middle at the band's middle.
    view.centreX =
        (bounds.minX + bounds.maxX) / 2 - (band.center().x() - size.width() / 2) / view.scale;
    view.centreY =
        (bounds.minY + bounds.maxY) / 2 + (band.center().y() - size.height() / 2) / view.scale;
    return view;
}

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
    // Chain ends are named before other points: a reader follows a line from them.
    chainEnd_.assign(model.points.size(), false);
    for (const SketchChain& chain : model.chains) {
        if (chain.points.empty()) continue;
        chainEnd_[chain.points.front()] = true;
        chainEnd_[chain.points.back()] = true;
    }
}

double SketchRenderer::ellipseExaggeration(const SketchView& view, QSizeF size) const {
    double largest = 0;
    for (const SketchPoint& p : model_.points)
        if (p.ellipse) largest = std::max(largest, p.ellipse->major);
    if (largest <= 0) return 0;
    const double wanted = kEllipseShare * std::min(size.width(), size.height());
    return std::max(1.0, roundDown125(wanted / (largest * view.scale)));
}

SketchView SketchRenderer::fitting(const QFont& font, const QPaintDevice* device,
                                   QSizeF size) const {
    SketchView view = SketchView::fitting(model_.bounds, size);
    // Twice: the scale bar and the legend's ellipse line follow the scale.
    for (int pass = 0; pass < 2; ++pass) {
        const PlanSheet sheet(font, device, size, view, model_, ellipseExaggeration(view, size));
        const std::vector<QRectF> boxes = sheet.boxes();  // north, legend, bar, title
        const QRectF& north = boxes[0];
        const QRectF& legend = boxes[1];
        const QRectF& bar = boxes[2];
        const QRectF& title = boxes[3];
        const double top = std::max(north.bottom(), legend.bottom());
        const double bottom = std::min(bar.top(), title.isEmpty() ? size.height() : title.top());
        const double left = std::max(legend.right(), bar.right());
        const double right = std::min(north.left(), title.isEmpty() ? size.width() : title.left());
        std::optional<SketchView> best;
        for (const QRectF& band : {QRectF(0, top, size.width(), bottom - top),
                                   QRectF(left, 0, right - left, size.height())}) {
            const std::optional<SketchView> fitted = fittingInto(model_.bounds, band, size);
            if (fitted && (!best || fitted->scale > best->scale)) best = fitted;
        }
        if (!best) break;  // no room clear of the sheet: the whole drawing
        view = *best;
    }
    return view;
}

void SketchRenderer::paintInto(QPainter& painter, const QRectF& rect,
                               const SketchView& view) const {
    painter.save();
    painter.translate(rect.topLeft());
    painter.setClipRect(QRectF(QPointF(0, 0), rect.size()), Qt::IntersectClip);
    paint(painter, rect.size(), view);
    painter.restore();
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

    const double exaggeration = ellipseExaggeration(view, size);
    if (exaggeration > 0) {
        painter.setPen(QPen(kEllipseColour, 1));
        painter.setBrush(Qt::NoBrush);
        for (const SketchPoint& p : model_.points) {
            if (!p.ellipse || !visible.contains(p.x, p.y)) continue;
            painter.save();
            painter.translate(device(p));
            // Clockwise from north is clockwise on a page whose y grows downwards.
            painter.rotate(p.ellipse->azimuthDegrees);
            painter.drawEllipse(QPointF(0, 0), p.ellipse->minor * exaggeration * view.scale,
                                p.ellipse->major * exaggeration * view.scale);
            painter.restore();
        }
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

    const PlanSheet sheet(painter, size, view, model_, exaggeration);
    // Level of detail: the names only when they have room to be read, placed
    // by priority clear of each other and of the sheet.
    if (detailed &&
        static_cast<double>(pointsInView) * kLabelArea <= size.width() * size.height()) {
        painter.setPen(kPointColour);
        QFont font = painter.font();
        font.setPointSizeF(7.5);
        painter.setFont(font);
        const QFontMetricsF metrics(font, painter.device());
        std::vector<LabelRequest> requests;
        requests.reserve(inView.size());
        for (const SketchPoint* p : inView) {
            const auto index = static_cast<std::size_t>(p - model_.points.data());
            const int priority = p->station ? 0 : chainEnd_[index] ? 1 : 2;
            const QString text = QString::fromStdString(p->label);
            requests.push_back(
                {device(*p), QSizeF(metrics.horizontalAdvance(text), metrics.height()), priority});
        }
        const auto placed =
            placeLabels(requests, QRectF(QPointF(0, 0), size), sheet.boxes(), kMarkSize + 3);
        for (std::size_t i = 0; i < inView.size(); ++i) {
            if (!placed[i]) continue;
            painter.drawText(*placed[i], Qt::AlignLeft | Qt::AlignVCenter,
                             QString::fromStdString(inView[i]->label));
        }
    }
    sheet.paint(painter);
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
