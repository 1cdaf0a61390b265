#include "review_view/job_report.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <utility>

#include "common/errors.h"
#include "common/file_io.h"
#include "review/finding_text.h"
#include "review/job_report_text.h"
#include "review_view/level_book.h"
#include "review_view/report_pages.h"
#include "review_view/sketch_renderer.h"

namespace zendro::review {
namespace {

// Below this share of the page the sketch starts a page of its own.
constexpr double kLeastSketchShare = 0.35;

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
    painter->drawLine(QPointF(box.left(), y + kCellPadding),
                      QPointF(box.right(), y + kCellPadding));
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
    const double height = flow.remaining() >= kLeastSketchShare * flow.pageBody() ? flow.remaining()
                                                                                  : flow.pageBody();
    const QRectF rect = flow.take(height);
    QPainter* painter = flow.painter();
    if (!painter) return;
    painter->save();
    painter->setFont(reportFont(9));
    const SketchRenderer renderer(model);
    renderer.paintInto(*painter, rect,
                       renderer.fitting(painter->font(), painter->device(), rect.size()));
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
        rows.push_back(
            {{finding.overLimit ? QStringLiteral("OVER") : QString(),
              finding.record ? QString::number(*finding.record) : QString(),
              finding.point ? QString::number(*finding.point) : QString(), findingRest(finding)},
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
    flow.text(latin1(adjusted->blunder), font,
              adjusted->blunderFound ? kOverText : QColor(Qt::black));
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
    for (const std::string& line : filesWrittenLines(input))
        flow.text(localText(line), reportFont(10));
}

void layOut(const JobReportInput& input, PageFlow& flow) {
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
        bytes = jobReportText(input);
    } else {
        throw ZendroError(path, "a report is written as .pdf or .txt");
    }
    writeFileAtomically(path, bytes);
}

}  // namespace zendro::review
