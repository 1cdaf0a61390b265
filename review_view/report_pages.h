#pragma once

// What the paginated PDF reports share: the page's measures, the fonts and
// colours, and the flow that lays a report out page after page.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "review/report_table.h"

namespace zendro::review {

// The sketch renderer's pens and marks are sized in pixels of this resolution,
// as in the sketch's own PDF.
inline constexpr int kResolution = 150;
inline constexpr double kMargin = 0.6 * kResolution;
inline constexpr double kFooterHeight = 0.35 * kResolution;
inline constexpr double kCellPadding = 4;
inline const QColor kOverBackground(255, 226, 226);
inline const QColor kOverText(160, 0, 0);
inline const QColor kRule(150, 150, 150);

inline QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString localText(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QFont reportFont(double points, bool bold = false);

struct Column {
    QString title;
    double share = 0;    // of the body's width
    bool right = false;  // numbers
};

struct TableRow {
    QStringList cells;
    bool over = false;
};

// Lays the report out top to bottom, page after page. It runs once without a
// painter to count the pages, then again with one to draw them: the same
// measures give the same page breaks, so "Page N of M" is known on page 1.
class PageFlow {
  public:
    PageFlow(QPdfWriter& pdf, QPainter* painter, int pageCount, QString footerText)
        : pdf_(pdf),
          painter_(painter),
          pageCount_(pageCount),
          footerText_(std::move(footerText)),
          bottom_(pdf.height() - kMargin - kFooterHeight),
          y_(kMargin) {}

    double left() const { return kMargin; }
    double width() const { return pdf_.width() - 2 * kMargin; }
    double pageBody() const { return bottom_ - kMargin; }
    double remaining() const { return bottom_ - y_; }
    QPainter* painter() const { return painter_; }
    int pages() const { return page_; }

    void space(double height) { y_ = std::min(bottom_, y_ + height); }

    // A rectangle of `height` across the body, on a new page when this one
    // has no room for it.
    QRectF take(double height) {
        if (height > remaining() && y_ > kMargin) newPage();
        const QRectF rect(left(), y_, width(), height);
        y_ += height;
        return rect;
    }

    double textHeight(const QFont& font, const QString& text, double width) const {
        const QFontMetricsF metrics(font, &pdf_);
        return metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
    }

    double textWidth(const QFont& font, const QString& text) const {
        return QFontMetricsF(font, &pdf_).horizontalAdvance(text);
    }

    void text(const QString& text, const QFont& font, const QColor& colour = Qt::black) {
        const QRectF rect = take(textHeight(font, text, width()) + kCellPadding);
        if (!painter_) return;
        painter_->setFont(font);
        painter_->setPen(colour);
        painter_->drawText(rect, Qt::TextWordWrap, text);
    }

    void heading(const QString& title) {
        const QFont font = reportFont(12, true);
        // A heading never ends a page alone.
        if (remaining() < 4 * textHeight(font, title, width())) newPage();
        space(kCellPadding * 3);
        text(title, font);
        if (painter_) {
            painter_->setPen(kRule);
            painter_->drawLine(QPointF(left(), y_), QPointF(left() + width(), y_));
        }
        space(kCellPadding);
    }

    // Rows under a header repeated on every page the table reaches.
    void table(const std::vector<Column>& columns, const std::vector<TableRow>& rows) {
        const QFont bold = reportFont(8, true);
        const QFont plain = reportFont(8);
        TableRow header;
        for (const Column& column : columns) header.cells << column.title;
        const double headerHeight = rowHeight(columns, header, bold);
        if (!rows.empty() && remaining() < headerHeight + rowHeight(columns, rows.front(), plain))
            newPage();
        drawRow(columns, header, bold, take(headerHeight));
        for (const TableRow& row : rows) {
            const double height = rowHeight(columns, row, plain);
            if (height > remaining()) {
                newPage();
                drawRow(columns, header, bold, take(headerHeight));
            }
            drawRow(columns, row, row.over ? bold : plain, take(height));
        }
    }

    void finish() { footer(); }

  private:
    double cellWidth(const Column& column) const {
        return column.share * width() - 2 * kCellPadding;
    }

    double rowHeight(const std::vector<Column>& columns, const TableRow& row,
                     const QFont& font) const {
        double height = 0;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const QString cell = row.cells.value(static_cast<qsizetype>(c));
            height = std::max(height, textHeight(font, cell, cellWidth(columns[c])));
        }
        return height + 2 * kCellPadding;
    }

    void drawRow(const std::vector<Column>& columns, const TableRow& row, const QFont& font,
                 const QRectF& across) {
        if (!painter_) return;
        // As wide as its columns.
        double shares = 0;
        for (const Column& column : columns) shares += column.share;
        const QRectF rect(across.topLeft(), QSizeF(across.width() * shares, across.height()));
        if (row.over) painter_->fillRect(rect, kOverBackground);
        painter_->setPen(kRule);
        painter_->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter_->setFont(font);
        painter_->setPen(row.over ? kOverText : QColor(Qt::black));
        double x = rect.left();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const double cellWidth = columns[c].share * across.width();
            const int alignment =
                Qt::TextWordWrap | (columns[c].right ? Qt::AlignRight : Qt::AlignLeft);
            painter_->drawText(
                QRectF(x + kCellPadding, rect.top() + kCellPadding, cellWidth - 2 * kCellPadding,
                       rect.height() - 2 * kCellPadding),
                alignment, row.cells.value(static_cast<qsizetype>(c)));
            x += cellWidth;
        }
    }

    void newPage() {
        footer();
        if (painter_) pdf_.newPage();
        ++page_;
        y_ = kMargin;
    }

    void footer() {
        if (!painter_) return;
        const QRectF rect(left(), bottom_ + kFooterHeight / 3, width(), kFooterHeight * 2 / 3);
        painter_->setFont(reportFont(8));
        painter_->setPen(Qt::black);
        painter_->drawText(rect, Qt::AlignLeft | Qt::AlignBottom, footerText_);
        painter_->drawText(rect, Qt::AlignRight | Qt::AlignBottom,
                           QStringLiteral("Page %1 of %2").arg(page_).arg(pageCount_));
    }

    QPdfWriter& pdf_;
    QPainter* painter_;
    int pageCount_;
    QString footerText_;
    double bottom_;
    double y_;
    int page_ = 1;
};

// A table of a report: its title (when it has one) in bold, the lines before
// it, its rows, the lines after it. Without shares each column is as wide as
// its widest cell, or word of its title, asks; a table wider than the body
// shares its width out in proportion.
void reportTable(PageFlow& flow, const ReportTable& table);

// A report on Letter paper, portrait, laid out by `content` twice: to count
// the pages, then to draw them. The PDF's bytes; empty when Qt could not draw.
std::string paginatedPdf(const QString& title, const QString& footer,
                         const std::function<void(PageFlow&)>& content);

}  // namespace zendro::review
