#include "review/report_header.h"

#include "review/limit_table.h"
#include "review/sketch_model.h"

namespace zendro::review {

std::vector<HeaderLine> jobHeaderLines(const ReportHeader& header) {
    return {{"Job", header.jobName},
            {"Unit", std::string(unitName(header.unit))},
            {"Date", header.date()},
            {"Frame", header.frame}};
}

std::vector<HeaderLine> limitLines(const ReportHeader& header) {
    std::vector<HeaderLine> lines;
    for (const LimitDefinition& limit : limitTable())
        lines.push_back({std::string(limit.label),
                         limitText(limit, header.limits.*limit.field, header.unit)});
    return lines;
}

std::string reportHeaderText(const ReportHeader& header, std::string_view lineEnd) {
    std::string text = "ZENDRO job report";
    text.append(lineEnd);
    for (const HeaderLine& line : jobHeaderLines(header))
        text.append(line.label).append(": ").append(line.value).append(lineEnd);
    text.append("Limits used:").append(lineEnd);
    for (const HeaderLine& line : limitLines(header))
        text.append("  ").append(line.label).append(": ").append(line.value).append(lineEnd);
    return text.append(lineEnd);
}

std::string jobReportText(const ReportHeader& header, const ReviewReport& report,
                          const std::vector<ReportTable>& levelBook) {
    // The office's editors on Windows read these files, as they read the OBS file.
    constexpr std::string_view kLineEnd = "\r\n";
    std::string text = reportHeaderText(header, kLineEnd) + report.text(kLineEnd);
    for (const ReportTable& table : levelBook)
        text.append(kLineEnd).append(titledTableText(table, kLineEnd));
    return text;
}

bool isReportFileName(const std::string& path) {
    const std::string extension = sketchFileExtension(path);
    return extension == "pdf" || extension == "txt";
}

bool isPdfReportName(const std::string& path) { return sketchFileExtension(path) == "pdf"; }

}  // namespace zendro::review
