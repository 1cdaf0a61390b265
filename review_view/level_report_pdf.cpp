#include "review_view/level_report_pdf.h"

#include "review_view/report_pages.h"

namespace zendro::review {
namespace {

void layOut(const levels::LevelReport& report, PageFlow& flow) {
    flow.text(localText(report.title), reportFont(18, true));
    for (const HeaderLine& line : report.header)
        flow.text(localText(line.label + ": " + line.value), reportFont(10));
    flow.heading(QStringLiteral("Limits used"));
    std::vector<TableRow> limits;
    for (const HeaderLine& line : report.limits)
        limits.push_back({{latin1(line.label), latin1(line.value)}, false});
    flow.table({{QStringLiteral("Limit"), 0.7}, {QStringLiteral("Value"), 0.3}}, limits);
    flow.heading(QStringLiteral("Level books"));
    for (const ReportTable& book : report.books) {
        reportTable(flow, book);
        flow.space(kCellPadding * 3);
    }
    flow.heading(QStringLiteral("Findings"));
    if (report.findings.empty()) {
        flow.text(QStringLiteral("No findings."), reportFont(10));
    } else {
        std::vector<TableRow> rows;
        for (const ReportRow& finding : report.findings)
            rows.push_back({{finding.over ? QStringLiteral("OVER") : QString(),
                             localText(finding.cells.front())},
                            finding.over});
        flow.table({{QStringLiteral("Verdict"), 0.09}, {QStringLiteral("Finding"), 0.91}}, rows);
    }
    flow.text(localText(report.tally), reportFont(10, true));
    flow.heading(QStringLiteral("Adjustment of the level network"));
    for (const std::string& line : report.adjustment) flow.text(localText(line), reportFont(10));
    if (!report.adjusted) return;
    reportTable(flow, report.heights);
    flow.space(kCellPadding * 3);
    reportTable(flow, report.sections);
}

}  // namespace

std::string levelReportPdf(const levels::LevelReport& report) {
    return paginatedPdf(localText(report.title), QStringLiteral("ZENDRO level run report"),
                        [&report](PageFlow& flow) { layOut(report, flow); });
}

}  // namespace zendro::review
