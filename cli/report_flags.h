#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

namespace zendro::cli {

// The job reports zendro-convert writes after each job's review: PDF or text
// by each file's extension.
struct ReportFlags {
    std::vector<std::string> pathPatterns;  // "{job}" stands for each job's name
    // The title block's instrument and crew, as typed.
    std::string instrument;
    std::string crew;

    bool wanted() const { return !pathPatterns.empty(); }
};

void addReportFlags(CLI::App& app, ReportFlags& flags);

// With several jobs every report's file must name the job, or the jobs would
// write over each other. Throws CLI::ValidationError.
void checkReportFlags(const ReportFlags& flags, const std::vector<std::string>& files);

}  // namespace zendro::cli
