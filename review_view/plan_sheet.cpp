#include "review_view/plan_sheet.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <map>

#include "review_view/sheet_colours.h"
#include "review_view/sketch_renderer.h"

namespace zendro::review {
namespace {

constexpr double kSheetPointSize = 8;
const QColor kInk(20, 20, 20);

QFont sheetFont(const QFont& base, bool bold = false) {
    QFont font = base;
    font.setPointSizeF(kSheetPointSize);
    font.setBold(bold);
    return font;
}
QFont sheetFont(const QPainter& painter, bool bold = false) {
    return sheetFont(painter.font(), bold);
}

double widest(const QFontMetricsF& metrics, const QStringList& lines) {
    double width = 0;
    for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
    return width;
}

QString lengthText(double length, const QString& symbol) {
    const QString number = QString::number(length, 'g', 12);
    return symbol.isEmpty() ? number : number + QLatin1Char(' ') + symbol;
}

}  // namespace

double roundDown125(double value) {
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * decade <= value * (1 + 1e-12)) return step * decade;
    }
    return decade;
}

std::vector<LegendFeature> legendFeatures(const SketchModel& model) {
    std::map<std::string, std::size_t> counts;  // by code, in code order
    for (const SketchChain& chain : model.chains) {
        if (chain.points.size() >= 2) ++counts[chain.feature];  // a single point draws no line
    }
    std::vector<LegendFeature> features;
    for (const auto& [code, count] : counts) {
        features.push_back({SketchRenderer::featureColour(code), QString::fromStdString(code), count});
    }
    return features;
}

PlanSheet::PlanSheet(QPainter& painter, QSizeF size, const SketchView& view,
                     const SketchModel& model, double exaggeration)
    : PlanSheet(painter.font(), painter.device(), size, view, model, exaggeration) {}

PlanSheet::PlanSheet(const QFont& font, const QPaintDevice* device, QSizeF size,
                     const SketchView& view, const SketchModel& model, double exaggeration)
    : model_(model),
      scale_(view.scale),
      exaggeration_(exaggeration),
      features_(legendFeatures(model)) {
    const QFontMetricsF metrics(sheetFont(font), device);
    unitPx_ = metrics.height();
    const double u = unitPx_;
    const double margin = u / 2;

    north_ = QRectF(size.width() - margin - 2 * u, margin, 2 * u, 3.2 * u);

    // A bar of about a fifth of the page, never longer than a hand's width of text.
    const double target = std::min(size.width() / 5, 25 * u);
    barLength_ = roundDown125(target / std::max(scale_, 1e-12));
    bar_ = QRectF(margin, size.height() - margin - 2.6 * u, barLength_ * scale_ + 2 * u, 2.6 * u);

    const QStringList legend = legendLines();
    legend_ = QRectF(margin, margin, widest(metrics, legend) + 3 * u,
                     (static_cast<double>(legend.size()) + 0.5) * u);

    const QStringList title = titleLines();
    const QFontMetricsF bold(sheetFont(font, true), device);
    const double titleWidth = std::max(widest(metrics, title), widest(bold, title.mid(0, 1)));
    // In a drawing narrower than the block, it starts at the left margin:
    // the job's name stays in view.
    title_ = title.isEmpty()
                 ? QRectF()
                 : QRectF(std::max(margin, size.width() - margin - titleWidth - u),
                          size.height() - margin - (static_cast<double>(title.size()) + 0.5) * u,
                          titleWidth + u, (static_cast<double>(title.size()) + 0.5) * u);
}

QStringList PlanSheet::titleLines() const {
    const SketchTitle& t = model_.title;
    QStringList lines;
    if (!t.jobName.empty()) lines << QString::fromStdString(t.jobName);
    if (!t.date.empty()) lines << QStringLiteral("Date: ") + QString::fromStdString(t.date);
    if (t.unit) lines << QStringLiteral("Unit: ") + QString::fromLatin1(unitName(*t.unit));
    if (!t.frame.empty()) lines << QStringLiteral("Frame: ") + QString::fromStdString(t.frame);
    return lines;
}

QStringList PlanSheet::legendLines() const {
    QStringList lines;
    for (const LegendFeature& f : features_) {
        lines << QStringLiteral("%1  %2 %3")
                     .arg(f.code)
                     .arg(f.chains)
                     .arg(f.chains == 1 ? QStringLiteral("chain") : QStringLiteral("chains"));
    }
    lines << QStringLiteral("Stations") << QStringLiteral("Points");
    if (exaggeration_ > 0)
        lines << QStringLiteral("ellipses x %1 (95%)").arg(QString::number(exaggeration_, 'g', 12));
    return lines;
}

void PlanSheet::paint(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double u = unitPx_;
    const QColor paper(255, 255, 255, 230);
    painter.setFont(sheetFont(painter));

    // North arrow: a half-filled point over an "N".
    painter.setPen(QPen(kInk, 1));
    const QPointF tip(north_.center().x(), north_.top() + 0.2 * u);
    const QPointF base(tip.x(), tip.y() + 1.8 * u);
    QPolygonF left, right;
    left << tip << QPointF(tip.x() - 0.6 * u, base.y()) << QPointF(tip.x(), base.y() - 0.5 * u);
    right << tip << QPointF(tip.x() + 0.6 * u, base.y()) << QPointF(tip.x(), base.y() - 0.5 * u);
    painter.setBrush(kInk);
    painter.drawPolygon(left);
    painter.setBrush(Qt::white);
    painter.drawPolygon(right);
    painter.drawText(QRectF(north_.left(), base.y(), north_.width(), 1.2 * u), Qt::AlignCenter,
                     QStringLiteral("N"));

    // Scale bar: two halves, black and white, with its length.
    painter.fillRect(bar_, paper);
    const double length = barLength_ * scale_;
    const double x0 = bar_.left() + u;
    const double y0 = bar_.bottom() - 0.9 * u;
    painter.setBrush(kInk);
    painter.drawRect(QRectF(x0, y0, length / 2, 0.4 * u));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(x0 + length / 2, y0, length / 2, 0.4 * u));
    painter.drawText(QRectF(x0 - u, bar_.top(), 2 * u, 1.2 * u), Qt::AlignCenter,
                     QStringLiteral("0"));
    painter.drawText(QRectF(x0 + length - 5 * u, bar_.top(), 10 * u, 1.2 * u), Qt::AlignCenter,
                     lengthText(barLength_, model_.title.unit ? QString::fromLatin1(unitSymbol(*model_.title.unit)) : QString()));

    // Legend: a line per feature, then the marks, then the ellipses' exaggeration.
    painter.fillRect(legend_, paper);
    painter.setPen(QPen(kInk, 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(legend_);
    const QStringList lines = legendLines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double y = legend_.top() + 0.25 * u + static_cast<double>(i) * u;
        const QPointF swatch(legend_.left() + 1.25 * u, y + 0.5 * u);
        const auto index = static_cast<std::size_t>(i);
        if (index < features_.size()) {
            painter.setPen(QPen(features_[index].colour, 0.15 * u));
            painter.drawLine(swatch - QPointF(0.75 * u, 0), swatch + QPointF(0.75 * u, 0));
        } else if (index == features_.size()) {
            painter.setPen(QPen(kStationColour, 1.5));
            QPolygonF triangle;
            triangle << swatch + QPointF(0, -0.35 * u) << swatch + QPointF(0.32 * u, 0.25 * u)
                     << swatch + QPointF(-0.32 * u, 0.25 * u);
            painter.drawPolygon(triangle);
        } else if (index == features_.size() + 1) {
            painter.setPen(QPen(kInk, 0.3 * u, Qt::SolidLine, Qt::RoundCap));
            painter.drawPoint(swatch);
        } else {
            painter.setPen(QPen(kEllipseColour, 1));
            painter.drawEllipse(swatch, 0.6 * u, 0.3 * u);
        }
        painter.setPen(kInk);
        painter.drawText(QRectF(legend_.left() + 2.5 * u, y, legend_.width() - 2.5 * u, u),
                         Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
    }

    // Title block.
    if (!title_.isEmpty()) {
        painter.fillRect(title_, paper);
        painter.setPen(QPen(kInk, 0.5));
        painter.drawRect(title_);
        const QStringList title = titleLines();
        for (qsizetype i = 0; i < title.size(); ++i) {
            painter.setFont(sheetFont(painter, i == 0 && !model_.title.jobName.empty()));
            painter.drawText(QRectF(title_.left() + 0.5 * u,
                                    title_.top() + 0.25 * u + static_cast<double>(i) * u,
                                    title_.width() - u, u),
                             Qt::AlignLeft | Qt::AlignVCenter, title[i]);
        }
    }
    painter.restore();
}

}  // namespace zendro::review
