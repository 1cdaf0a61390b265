#include "review_view/job_report.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <algorithm>
#include <utility>

#include "common/errors.h"
#include "common/file_io.h"
#include "review/finding_text.h"
#include "review/job_report_text.h"
#include "review_view/sketch_renderer.h"

namespace zendro::review {
namespace {

// The sketch renderer's pens and marks are sized in pixels of this resolution,
// as in the sketch's own PDF.
constexpr int kResolution = 150;
constexpr double kMargin = 0.6 * kResolution;
constexpr double kFooterHeight = 0.35 * kResolution;
constexpr double kCellPadding = 4;
// Below this share of the page the sketch starts a page of its own.
constexpr double kLeastSketchShare = 0.35;

const QColor kOverBackground(255, 226, 226);
const QColor kOverText(160, 0, 0);
const QColor kRule(150, 150, 150);

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
QString localText(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QFont reportFont(double points, bool bold = false) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

struct Column {
    QString title;
    double share = 0;  // of the body's width
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
    double cellWidth(const Column& column) const { return column.share * width() - 2 * kCellPadding; }

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
            const int alignment = Qt::TextWordWrap | (columns[c].right ? Qt::AlignRight : Qt::AlignLeft);
            painter_->drawText(QRectF(x + kCellPadding, rect.top() + kCellPadding,
                                      cellWidth - 2 * kCellPadding,
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

// The title block: the job's lines, then a rule and the line the checker signs.
void titleBlock(PageFlow& flow, const ReportHeader& header) {
    const QFont title = reportFont(18, true);
    const QFont label = reportFont(10, true);
    const QFont value = reportFont(10);
    const std::vector<HeaderLine> lines = jobHeaderLines(header);
    const double lineHeight = flow.textHeight(value, QStringLiteral("Ag"), flow.width()) * 1.3;
    const double titleHeight = flow.textHeight(title, QStringLiteral("Ag"), flow.width()) * 1.4;
    const double signOffHeight = lineHeight * 1.8;
    const QRectF box = flow.take(titleHeight + lineHeight * static_cast<double>(lines.size()) +
                                 signOffHeight + 4 * kCellPadding);
    QPainter* painter = flow.painter();
    if (!painter) return;
    painter->setPen(QPen(Qt::black, 2));
    painter->drawRect(box);
    const QRectF inside = box.adjusted(3 * kCellPadding, 2 * kCellPadding, -3 * kCellPadding, 0);
    painter->setFont(title);
    painter->drawText(QRectF(inside.topLeft(), QSizeF(inside.width(), titleHeight)),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      QStringLiteral("Job report: ") + localText(header.jobName));
    const auto labelled = [&](const HeaderLine& line, double x, double width, double y,
                              double height) {
        painter->setFont(label);
        painter->drawText(QRectF(x, y, inside.width() * 0.2, height),
                          Qt::AlignLeft | Qt::AlignBottom, latin1(line.label));
        painter->setFont(value);
        painter->drawText(QRectF(x + inside.width() * 0.2, y, width - inside.width() * 0.2, height),
                          Qt::AlignLeft | Qt::AlignBottom, localText(line.value));
    };
    double y = inside.top() + titleHeight;
    for (const HeaderLine& line : lines) {
        labelled(line, inside.left(), inside.width(), y, lineHeight);
        y += lineHeight;
    }
    painter->setPen(QPen(kRule, 1));
    painter->drawLine(QPointF(box.left(), y + kCellPadding), QPointF(box.right(), y + kCellPadding));
    painter->setPen(Qt::black);
    // Side by side, with room to sign.
    const std::vector<HeaderLine> signOff = signOffLines();
    const double half = inside.width() / 2;
    for (std::size_t i = 0; i < signOff.size(); ++i)
        labelled(signOff[i], inside.left() + half * static_cast<double>(i), half, y, signOffHeight);
}

void summary(PageFlow& flow, const JobReportInput& input) {
    flow.heading(QStringLiteral("Summary"));
    const QFont font = reportFont(10);
    const std::vector<std::string> lines = summaryLines(input);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // The review's counts and its verdict: red when a check is over its limit.
        const bool over = i < 2 && input.report.overLimit > 0;
        flow.text(latin1(lines[i]), font, over ? kOverText : QColor(Qt::black));
    }
}

// The positions written, drawn clear of the plan sheet's legend and title block.
void sketch(PageFlow& flow, const SketchModel& model) {
    flow.heading(QStringLiteral("Sketch"));
    if (model.points.empty()) {
        flow.text(latin1(std::string(kNoPositions)), reportFont(10));
        return;
    }
    const double height = flow.remaining() >= kLeastSketchShare * flow.pageBody()
                              ? flow.remaining()
                              : flow.pageBody();
    const QRectF rect = flow.take(height);
    QPainter* painter = flow.painter();
    if (!painter) return;
    painter->save();
    painter->setFont(reportFont(9));
    const SketchRenderer renderer(model);
    renderer.paintInto(*painter, rect, renderer.fitting(painter->font(), painter->device(), rect.size()));
    painter->restore();
    painter->setPen(kRule);
    painter->drawRect(rect);
}

void limits(PageFlow& flow, const ReportHeader& header) {
    flow.heading(QStringLiteral("Limits used"));
    std::vector<TableRow> rows;
    for (const HeaderLine& line : limitLines(header))
        rows.push_back({{latin1(line.label), latin1(line.value)}, false});
    flow.table({{QStringLiteral("Limit"), 0.7}, {QStringLiteral("Value"), 0.3}}, rows);
}

// The finding's line without the record and point its own columns show.
QString findingRest(const Finding& finding) {
    const std::string subject = findingSubject(finding.record, finding.point, finding.setup);
    const std::string_view text(finding.text);
    return latin1(std::string(text.starts_with(subject) ? text.substr(subject.size()) : text));
}

std::vector<TableRow> findingRows(const ReviewReport& report, bool closuresOnly) {
    std::vector<TableRow> rows;
    for (const Finding& finding : report.findings) {
        if (closuresOnly && finding.kind != FindingKind::Closure) continue;
        rows.push_back({{finding.overLimit ? QStringLiteral("OVER") : QString(),
                         finding.record ? QString::number(*finding.record) : QString(),
                         finding.point ? QString::number(*finding.point) : QString(),
                         findingRest(finding)},
                        finding.overLimit});
    }
    return rows;
}

void findingTable(PageFlow& flow, const std::vector<TableRow>& rows) {
    flow.table({{QStringLiteral("Verdict"), 0.09},
                {QStringLiteral("Record"), 0.08},
                {QStringLiteral("Point"), 0.09},
                {QStringLiteral("Finding"), 0.74}},
               rows);
}

void findings(PageFlow& flow, const ReviewReport& report) {
    flow.heading(QStringLiteral("Findings"));
    if (report.findings.empty()) {
        flow.text(latin1(std::string(kNoFindings)), reportFont(10));
        return;
    }
    findingTable(flow, findingRows(report, false));
}

void closures(PageFlow& flow, const ReviewReport& report) {
    flow.heading(QStringLiteral("Closures"));
    const std::vector<TableRow> rows = findingRows(report, true);
    if (rows.empty()) {
        flow.text(latin1(std::string(kNoClosures)), reportFont(10));
        return;
    }
    findingTable(flow, rows);
}

// A table of the report's texts, each column as wide as its widest cell, or
// word of its title, asks; a table wider than the body shares its width out
// in proportion.
void reportTable(PageFlow& flow, const ReportTable& table) {
    const QFont font = reportFont(8, true);
    std::vector<double> widths;
    double total = 0;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        double widest = 0;
        const auto measure = [&](const std::string& text, bool whole) {
            const QString shown = latin1(text);
            for (const QString& part : whole ? QStringList{shown} : shown.split(QLatin1Char(' ')))
                widest = std::max(widest, flow.textWidth(font, part));
        };
        // A title may wrap; a cell keeps its line while the table fits.
        measure(table.columns[c].title, false);
        for (const ReportRow& row : table.rows)
            if (c < row.cells.size()) measure(row.cells[c], true);
        widths.push_back(widest + 4 * kCellPadding);
        total += widths.back();
    }
    std::vector<Column> columns;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        columns.push_back({latin1(table.columns[c].title), widths[c] / std::max(total, flow.width()),
                           table.columns[c].numbers});
    std::vector<TableRow> rows;
    for (const ReportRow& row : table.rows) {
        TableRow drawn{{}, row.over};
        for (const std::string& cell : row.cells) drawn.cells << latin1(cell);
        rows.push_back(std::move(drawn));
    }
    flow.table(columns, rows);
}

void adjustment(PageFlow& flow, const std::optional<AdjustmentSection>& adjusted) {
    flow.heading(QStringLiteral("Adjustment"));
    const QFont font = reportFont(10);
    if (!adjusted) {
        flow.text(latin1(std::string(kNoAdjustment)), font);
        return;
    }
    flow.text(latin1(adjusted->overview), font);
    reportTable(flow, adjusted->tests);
    for (const std::string& meaning : adjusted->meanings) flow.text(latin1(meaning), font);
    flow.text(latin1(adjusted->blunder), font, adjusted->blunderFound ? kOverText : QColor(Qt::black));
    flow.text(latin1(adjusted->residualsTitle), reportFont(10, true));
    reportTable(flow, adjusted->residuals);
    for (const std::string& note : adjusted->notes) flow.text(latin1(note), font);
}

void control(PageFlow& flow, const std::vector<std::string>& lines) {
    flow.heading(QStringLiteral("Control"));
    for (const std::string& line : lines) flow.text(localText(line), reportFont(10));
}

void coordinates(PageFlow& flow, const CoordinateSection& section) {
    flow.heading(QStringLiteral("Coordinates"));
    flow.text(latin1(section.description), reportFont(10, true));
    if (section.points.rows.empty()) {
        flow.text(latin1(std::string(kNoPositions)), reportFont(10));
        return;
    }
    reportTable(flow, section.points);
}

void filesWritten(PageFlow& flow, const JobReportInput& input) {
    flow.heading(QStringLiteral("Files written"));
    for (const std::string& line : filesWrittenLines(input)) flow.text(localText(line), reportFont(10));
}

int layOut(const JobReportInput& input, QPdfWriter& pdf, QPainter* painter, int pageCount) {
    PageFlow flow(pdf, painter, pageCount,
                  QStringLiteral("ZENDRO job report: ") + localText(input.header.jobName));
    titleBlock(flow, input.header);
    summary(flow, input);
    sketch(flow, input.sketch);
    limits(flow, input.header);
    findings(flow, input.report);
    closures(flow, input.report);
    adjustment(flow, input.adjustment);
    control(flow, input.control);
    coordinates(flow, input.coordinates);
    filesWritten(flow, input);
    flow.finish();
    return flow.pages();
}

}  // namespace

std::string jobReportPdf(const JobReportInput& input) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kResolution);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle(QStringLiteral("Job report: ") + localText(input.header.jobName));
        pdf.setCreator(QStringLiteral("ZENDRO"));
        const int pages = layOut(input, pdf, nullptr, 0);
        QPainter painter(&pdf);
        layOut(input, pdf, &painter, pages);
    }
    const QByteArray& bytes = buffer.data();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void writeJobReport(const JobReportInput& input, const std::string& path) {
    std::string bytes;
    if (isPdfReportName(path)) {
        bytes = jobReportPdf(input);
        if (bytes.empty()) throw ZendroError(path, "the report could not be drawn");
    } else if (isReportFileName(path)) {
        bytes = jobReportText(input);
    } else {
        throw ZendroError(path, "a report is written as .pdf or .txt");
    }
    writeFileAtomically(path, bytes);
}

}  // namespace zendro::review
