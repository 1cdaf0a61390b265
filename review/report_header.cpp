#include "review/report_header.h"

#include "review/limit_table.h"
#include "review/sketch_model.h"

namespace zendro::review {

namespace {

std::string orBlank(const std::string& text) {
    return text.empty() ? std::string(kBlankToFill) : text;
}

}  // namespace

std::vector<HeaderLine> jobHeaderLines(const ReportHeader& header) {
    return {{"Job", header.jobName},
            {"Date", header.date()},
            {"Instrument", orBlank(header.instrument)},
            {"Crew", orBlank(header.crew)},
            {"Unit", std::string(unitName(header.unit))},
            {"Frame", header.frame}};
}

std::vector<HeaderLine> signOffLines() {
    return {{"Checked by", std::string(kBlankToFill)}, {"Date", std::string(kBlankToFill)}};
}

std::vector<HeaderLine> limitLines(const ReportHeader& header) {
    std::vector<HeaderLine> lines;
    for (const LimitDefinition& limit : limitTable())
        lines.push_back(
            {std::string(limit.label), limitText(limit, header.limits.*limit.field, header.unit)});
    return lines;
}

bool isReportFileName(const std::string& path) {
    const std::string extension = sketchFileExtension(path);
    return extension == "pdf" || extension == "txt";
}

bool isPdfReportName(const std::string& path) { return sketchFileExtension(path) == "pdf"; }

}  // namespace zendro::review
