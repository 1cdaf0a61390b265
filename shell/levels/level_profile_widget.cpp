#include "shell/levels/level_profile_widget.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "shell/review/review_widgets.h"

namespace zendro {
namespace {

constexpr int kMargin = 28;
const QColor kFailing(200, 0, 0);
const QColor kBenchmark(0, 90, 170);

}  // namespace

LevelProfileWidget::LevelProfileWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LevelProfile"));
    setMinimumHeight(140);
    setToolTip(
        tr("The line's heights along it: benchmarks as triangles, intermediate sights as "
           "dots, a setup over a limit in red"));
}

void LevelProfileWidget::setProfile(levels::LineProfile profile) {
    profile_ = std::move(profile);
    update();
}

void LevelProfileWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setRenderHint(QPainter::Antialiasing);
    const std::vector<levels::ProfilePoint>& points = profile_.points;
    if (points.size() < 2) {
        painter.drawText(rect(), Qt::AlignCenter, tr("Open M5 files to see a line's profile"));
        return;
    }
    double low = points.front().height, high = low, length = 0;
    const std::vector<levels::ProfilePoint>& sights = profile_.sights;
    for (const std::vector<levels::ProfilePoint>* list : {&points, &sights})
        for (const levels::ProfilePoint& p : *list) {
            low = std::min(low, p.height);
            high = std::max(high, p.height);
            length = std::max(length, p.distance);
        }
    if (high - low < 1e-6) high = low + 1;
    if (length <= 0) length = 1;
    const QRectF area = QRectF(rect()).adjusted(kMargin * 2, kMargin, -kMargin, -kMargin);
    const auto toScreen = [&](const levels::ProfilePoint& p) {
        return QPointF(area.left() + p.distance / length * area.width(),
                       area.bottom() - (p.height - low) / (high - low) * area.height());
    };
    painter.setPen(palette().text().color());
    painter.drawText(QRectF(rect()).adjusted(4, 2, -4, 0), Qt::AlignLeft | Qt::AlignTop,
                     qtText(profile_.title));
    painter.drawText(QRectF(0, area.top() - 8, area.left() - 4, 16), Qt::AlignRight,
                     QString::number(high, 'f', 3));
    painter.drawText(QRectF(0, area.bottom() - 8, area.left() - 4, 16), Qt::AlignRight,
                     QString::number(low, 'f', 3));
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const bool failing = i < profile_.failing.size() && profile_.failing[i];
        painter.setPen(QPen(failing ? kFailing : palette().text().color(), failing ? 3.5 : 1.5));
        painter.drawLine(toScreen(points[i]), toScreen(points[i + 1]));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().text());
    for (const levels::ProfilePoint& sight : sights) painter.drawEllipse(toScreen(sight), 2.5, 2.5);
    for (const levels::ProfilePoint& p : points) {
        if (!p.benchmark) continue;
        const QPointF at = toScreen(p);
        QPainterPath triangle;
        triangle.moveTo(at + QPointF(0, -7));
        triangle.lineTo(at + QPointF(6, 4));
        triangle.lineTo(at + QPointF(-6, 4));
        triangle.closeSubpath();
        painter.setBrush(kBenchmark);
        painter.drawPath(triangle);
        painter.setPen(kBenchmark);
        painter.drawText(at + QPointF(8, -6), qtText(p.point));
        painter.setPen(Qt::NoPen);
    }
}

}  // namespace zendro
