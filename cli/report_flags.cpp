#include "cli/report_flags.h"

#include <CLI/CLI.hpp>

#include "review/report_header.h"

namespace zendro::cli {
namespace {

constexpr std::string_view kJobField = "{job}";

}  // namespace

std::string reportPathFor(std::string_view pattern, std::string_view jobName) {
    std::string path;
    std::size_t at = 0;
    for (std::size_t found; (found = pattern.find(kJobField, at)) != std::string_view::npos;
         at = found + kJobField.size()) {
        path.append(pattern.substr(at, found - at)).append(jobName);
    }
    return path.append(pattern.substr(at));
}

void addReportFlags(CLI::App& app, ReportFlags& flags) {
    app.add_option("--report", flags.pathPatterns,
                   "After converting, write the job report to FILE: PDF (title block, summary, "
                   "sketch, findings, closures, files written) or text (header and findings) by "
                   "its extension; {job} in FILE stands for the job's name; repeatable")
        ->group("Exports")
        ->type_name("FILE.pdf|txt")
        ->check(CLI::Validator(
            [](const std::string& path) {
                return review::isReportFileName(path)
                           ? std::string()
                           : "a report is written as .pdf or .txt: " + path;
            },
            ""));
}

void checkReportFlags(const ReportFlags& flags, const std::vector<std::string>& files) {
    if (files.size() < 2) return;
    for (const std::string& pattern : flags.pathPatterns) {
        if (pattern.find(kJobField) == std::string::npos)
            throw CLI::ValidationError("--report",
                                       "with several jobs the file must hold {job}: " + pattern);
    }
}

}  // namespace zendro::cli
