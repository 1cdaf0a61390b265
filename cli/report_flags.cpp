#include "cli/report_flags.h"

#include <CLI/CLI.hpp>

#include "common/job_paths.h"
#include "review/report_header.h"

namespace zendro::cli {
void addReportFlags(CLI::App& app, ReportFlags& flags) {
    CLI::Option* report = app.add_option(
        "--report", flags.pathPatterns,
        "After converting, write the job report to FILE, PDF or text by its "
        "extension: title block, summary, sketch (PDF only), limits, findings, "
        "closures, adjustment, control, coordinates and files written; {job} in FILE "
        "stands for the job's name; repeatable");
    report->group("Exports")
        ->type_name("FILE.pdf|txt")
        ->allow_extra_args(false)
        ->check(CLI::Validator(
            [](const std::string& path) {
                return review::isReportFileName(path)
                           ? std::string()
                           : "a report is written as .pdf or .txt: " + path;
            },
            ""));
    app.add_option("--report-instrument", flags.instrument,
                   "The instrument the report's title block names (a blank to fill in without it)")
        ->group("Exports")
        ->type_name("TEXT")
        ->needs(report);
    app.add_option("--report-crew", flags.crew,
                   "The crew the report's title block names (a blank to fill in without it)")
        ->group("Exports")
        ->type_name("TEXT")
        ->needs(report);
}

void checkReportFlags(const ReportFlags& flags, const std::vector<std::string>& files) {
    if (files.size() < 2) return;
    for (const std::string& pattern : flags.pathPatterns) {
        if (!namesTheJob(pattern))
            throw CLI::ValidationError("--report",
                                       "with several jobs the file must hold {job}: " + pattern);
    }
}

}  // namespace zendro::cli
