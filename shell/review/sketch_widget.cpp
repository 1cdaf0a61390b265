#include "shell/review/sketch_widget.h"

#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "common/text_forms.h"

namespace zendro {
namespace {

constexpr double kWheelStep = 1.0015;  // zoom factor per eighth of a degree
constexpr double kCentreZoom = 8;      // how far a finding zooms in on a whole-job view
constexpr double kMarkRadius = 11;     // pixels of the ring round a chosen point
constexpr double kFocusFrame = 3;      // pixels of the frame that shows the keyboard's focus
const QColor kMarkColour(230, 0, 120);

QString coordinate(double value) { return QString::fromStdString(distanceForm(value).str()); }

}  // namespace

SketchWidget::SketchWidget(QWidget* parent)
    : QWidget(parent), renderer_(std::make_unique<review::SketchRenderer>(model_)) {
    setMouseTracking(false);
    setMinimumSize(120, 120);
    setFocusPolicy(Qt::StrongFocus);
}

void SketchWidget::setModel(review::SketchModel model) {
    model_ = std::move(model);
    renderer_ = std::make_unique<review::SketchRenderer>(model_);
    // The mark stays on its point while the job shows it (a re-check, other positions).
    if (marked_ && model_.indexOf(*marked_) < 0) marked_.reset();
    if (fitted_) fitToWindow();
    update();
}

void SketchWidget::fitToWindow() {
    view_ = renderer_->fitting(font(), this, QSizeF(size()));
    fitted_ = true;
    update();
}

void SketchWidget::centreOn(std::size_t pointIndex) {
    if (pointIndex >= model_.points.size()) return;
    if (fitted_) view_.scale *= kCentreZoom;
    view_.centreX = model_.points[pointIndex].x;
    view_.centreY = model_.points[pointIndex].y;
    fitted_ = false;
    update();
}

void SketchWidget::markPoint(std::optional<std::int64_t> number) {
    marked_.reset();
    if (number && model_.indexOf(*number) >= 0) marked_ = number;
    update();
}

void SketchWidget::zoomTo(const std::vector<std::size_t>& pointIndices) {
    std::vector<std::size_t> shown;
    for (const std::size_t i : pointIndices)
        if (i < model_.points.size()) shown.push_back(i);
    if (shown.empty()) return;
    if (shown.size() == 1) {
        centreOn(shown.front());
        return;
    }
    review::SketchBounds bounds{model_.points[shown[0]].x, model_.points[shown[0]].y,
                                model_.points[shown[0]].x, model_.points[shown[0]].y};
    for (const std::size_t i : shown) {
        const review::SketchPoint& p = model_.points[i];
        bounds = {std::min(bounds.minX, p.x), std::min(bounds.minY, p.y),
                  std::max(bounds.maxX, p.x), std::max(bounds.maxY, p.y)};
    }
    view_ = review::SketchView::fitting(bounds, QSizeF(size()));
    fitted_ = false;
    update();
}

QString SketchWidget::tooltipText(std::size_t pointIndex) const {
    const review::SketchPoint& p = model_.points.at(pointIndex);
    QStringList lines{QString::fromStdString(p.label)};
    if (!trimSpaces(p.description).empty()) {
        lines << QStringLiteral("Description: ") + QString::fromStdString(p.description);
    }
    if (!trimSpaces(p.comment).empty()) {
        lines << QStringLiteral("Comment: ") + QString::fromStdString(p.comment);
    }
    lines << QStringLiteral("N %1  E %2  Elev %3")
                 .arg(coordinate(p.y), coordinate(p.x), coordinate(p.elevation));
    QStringList records;
    for (const std::size_t r : p.records) records << QString::number(r);
    if (!records.isEmpty())
        lines << QStringLiteral("HVD records ") + records.join(QStringLiteral(", "));
    return lines.join(QLatin1Char('\n'));
}

std::ptrdiff_t SketchWidget::pointAt(QPoint position) const {
    return renderer_->pointAt(QPointF(position), QSizeF(size()), view_);
}

bool SketchWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const std::ptrdiff_t index = pointAt(help->pos());
        if (index < 0) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), tooltipText(static_cast<std::size_t>(index)),
                               this);
        }
        return true;
    }
    return QWidget::event(event);
}

void SketchWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    renderer_->paint(painter, QSizeF(size()), view_);
    if (marked_) {
        const std::ptrdiff_t index = model_.indexOf(*marked_);
        if (index >= 0) {
            const review::SketchPoint& p = model_.points[static_cast<std::size_t>(index)];
            const QPointF at = view_.toDevice(p.x, p.y, QSizeF(size()));
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(QPen(kMarkColour, 2.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, kMarkRadius, kMarkRadius);
            painter.drawLine(at + QPointF(kMarkRadius, 0), at + QPointF(2 * kMarkRadius, 0));
            painter.drawLine(at - QPointF(kMarkRadius, 0), at - QPointF(2 * kMarkRadius, 0));
            painter.drawLine(at + QPointF(0, kMarkRadius), at + QPointF(0, 2 * kMarkRadius));
            painter.drawLine(at - QPointF(0, kMarkRadius), at - QPointF(0, 2 * kMarkRadius));
        }
    }
    // The keyboard's place: + - 0 act here.
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(palette().color(QPalette::Highlight), kFocusFrame));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(kFocusFrame / 2, kFocusFrame / 2, -kFocusFrame / 2,
                                                 -kFocusFrame / 2));
    }
}

void SketchWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void SketchWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void SketchWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (fitted_) fitToWindow();
}

void SketchWidget::wheelEvent(QWheelEvent* event) {
    const double factor = std::pow(kWheelStep, event->angleDelta().y());
    view_.zoomAbout(event->position(), factor, QSizeF(size()));
    fitted_ = false;
    update();
    event->accept();
}

void SketchWidget::keyPressEvent(QKeyEvent* event) {
    const QPointF centre(width() / 2.0, height() / 2.0);
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:  // the same key without Shift on most keyboards
            view_.zoomAbout(centre, kKeyZoom, QSizeF(size()));
            break;
        case Qt::Key_Minus:
            view_.zoomAbout(centre, 1 / kKeyZoom, QSizeF(size()));
            break;
        case Qt::Key_0:
            fitToWindow();
            return;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    fitted_ = false;
    update();
}

void SketchWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    lastDrag_ = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
}

void SketchWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const QPoint at = event->position().toPoint();
    view_.panBy(QPointF(at - lastDrag_));
    lastDrag_ = at;
    fitted_ = false;
    update();
}

void SketchWidget::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
    unsetCursor();
}

void SketchWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const std::ptrdiff_t index = pointAt(event->position().toPoint());
    if (index >= 0) emit pointDoubleClicked(static_cast<std::size_t>(index));
}

}  // namespace zendro
