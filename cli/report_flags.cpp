#include "cli/report_flags.h"

#include <CLI/CLI.hpp>

#include "common/job_paths.h"
#include "review/report_header.h"

namespace zendro::cli {
void addReportFlags(CLI::App& app, ReportFlags& flags) {
    app.add_option("--report", flags.pathPatterns,
                   "After converting, write the job report to FILE: PDF (title block, summary, "
                   "sketch, findings, closures, files written) or text (header and findings) by "
                   "its extension; {job} in FILE stands for the job's name; repeatable")
        ->group("Exports")
        ->type_name("FILE.pdf|txt")
        ->allow_extra_args(false)
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
        if (!namesTheJob(pattern))
            throw CLI::ValidationError("--report",
                                       "with several jobs the file must hold {job}: " + pattern);
    }
}

}  // namespace zendro::cli
