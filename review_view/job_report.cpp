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
#include "review_view/level_book.h"
#include "review_view/report_pages.h"
#include "review_view/sketch_renderer.h"
#include "review_view/sketch_view.h"

namespace zendro::review {
namespace {

// Below this share of the page the sketch starts a page of its own.
constexpr double kLeastSketchShare = 0.35;

void titleBlock(PageFlow& flow, const ReportHeader& header) {
    const QFont title = reportFont(18, true);
    const QFont label = reportFont(10, true);
    const QFont value = reportFont(10);
    const std::vector<HeaderLine> lines = jobHeaderLines(header);
    const double lineHeight = flow.textHeight(value, QStringLiteral("Ag"), flow.width()) * 1.3;
    const double titleHeight = flow.textHeight(title, QStringLiteral("Ag"), flow.width()) * 1.4;
    const QRectF box = flow.take(titleHeight + lineHeight * static_cast<double>(lines.size()) +
                                 4 * kCellPadding);
    QPainter* painter = flow.painter();
    if (!painter) return;
    painter->setPen(QPen(Qt::black, 2));
    painter->drawRect(box);
    const QRectF inside = box.adjusted(3 * kCellPadding, 2 * kCellPadding, -3 * kCellPadding, 0);
    painter->setFont(title);
    painter->drawText(QRectF(inside.topLeft(), QSizeF(inside.width(), titleHeight)),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      QStringLiteral("Job report: ") + localText(header.jobName));
    double y = inside.top() + titleHeight;
    for (const HeaderLine& line : lines) {
        painter->setFont(label);
        painter->drawText(QRectF(inside.left(), y, inside.width() * 0.2, lineHeight),
                          Qt::AlignLeft | Qt::AlignVCenter, latin1(line.label));
        painter->setFont(value);
        painter->drawText(
            QRectF(inside.left() + inside.width() * 0.2, y, inside.width() * 0.8, lineHeight),
            Qt::AlignLeft | Qt::AlignVCenter, localText(line.value));
        y += lineHeight;
    }
}

void summary(PageFlow& flow, const JobReportInput& input) {
    const ReviewReport& report = input.report;
    flow.heading(QStringLiteral("Summary"));
    const QFont font = reportFont(10);
    flow.text(latin1(report.summaryLine()), font,
              report.overLimit > 0 ? kOverText : QColor(Qt::black));
    flow.text(QStringLiteral("Sketch: %1 points, %2 traverse legs, %3 chains")
                  .arg(input.sketch.points.size())
                  .arg(input.sketch.legs.size())
                  .arg(input.sketch.chains.size()),
              font);
}

void sketch(PageFlow& flow, const SketchModel& model) {
    flow.heading(QStringLiteral("Sketch"));
    if (model.points.empty()) {
        flow.text(QStringLiteral("No point of the job has a position to draw."), reportFont(10));
        return;
    }
    const double height = flow.remaining() >= kLeastSketchShare * flow.pageBody()
                              ? flow.remaining()
                              : flow.pageBody();
    const QRectF rect = flow.take(height);
    QPainter* painter = flow.painter();
    if (!painter) return;
    painter->save();
    painter->translate(rect.topLeft());
    painter->setClipRect(QRectF(QPointF(0, 0), rect.size()));
    SketchRenderer(model).paint(*painter, rect.size(),
                                SketchView::fitting(model.bounds, rect.size()));
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
        flow.text(QStringLiteral("No findings."), reportFont(10));
        return;
    }
    findingTable(flow, findingRows(report, false));
}

void closures(PageFlow& flow, const ReviewReport& report) {
    flow.heading(QStringLiteral("Closures"));
    const std::vector<TableRow> rows = findingRows(report, true);
    if (rows.empty()) {
        flow.text(QStringLiteral("No traverse of the job closes on a known point."),
                  reportFont(10));
        return;
    }
    findingTable(flow, rows);
}

void filesWritten(PageFlow& flow, const std::optional<WrittenFiles>& conversion) {
    flow.heading(QStringLiteral("Files written"));
    const QFont font = reportFont(10);
    if (!conversion) {
        flow.text(QStringLiteral("The job was not converted in this session: convert it to list "
                                 "the files written and their counts."),
                  font);
        return;
    }
    for (const std::string& path : conversion->paths) flow.text(localText(path), font);
    flow.text(QStringLiteral("Converted: %1 records, %2 points, %3 chains, %4 warnings")
                  .arg(conversion->records)
                  .arg(conversion->points)
                  .arg(conversion->chains)
                  .arg(conversion->warnings),
              reportFont(10, true));
}

void layOut(const JobReportInput& input, PageFlow& flow) {
    titleBlock(flow, input.header);
    summary(flow, input);
    sketch(flow, input.sketch);
    limits(flow, input.header);
    findings(flow, input.report);
    closures(flow, input.report);
    filesWritten(flow, input.conversion);
    if (!input.levelBook.empty()) levelBook(flow, input.levelBook);
}

}  // namespace

std::string jobReportPdf(const JobReportInput& input) {
    return paginatedPdf(QStringLiteral("Job report: ") + localText(input.header.jobName),
                        QStringLiteral("ZENDRO job report: ") + localText(input.header.jobName),
                        [&input](PageFlow& flow) { layOut(input, flow); });
}

void writeJobReport(const JobReportInput& input, const std::string& path) {
    std::string bytes;
    if (isPdfReportName(path)) {
        bytes = jobReportPdf(input);
        if (bytes.empty()) throw ZendroError(path, "the report could not be drawn");
    } else if (isReportFileName(path)) {
        bytes = jobReportText(input.header, input.report, input.levelBook);
    } else {
        throw ZendroError(path, "a report is written as .pdf or .txt");
    }
    writeFileAtomically(path, bytes);
}

}  // namespace zendro::review
