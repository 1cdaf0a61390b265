#pragma once

#include <string>
#include <vector>

#include "exports/csv_layout.h"
#include "exports/export_target.h"

namespace CLI {
class App;
}

namespace zendro::cli {

// The exports zendro-convert writes after each job's conversion and review.
struct ExportFlags {
    std::vector<exports::ExportTarget> targets;
    exports::CsvLayout csv;

    bool wanted() const { return !targets.empty(); }
};

// `files` are the jobs given: with several, each export's file must name the job.
void addExportFlags(CLI::App& app, ExportFlags& flags, const std::vector<std::string>& files);

}  // namespace zendro::cli
