#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exports/csv_layout.h"
#include "exports/export_format.h"
#include "exports/export_job.h"

namespace zendro::exports {

// One export asked for: a format and the file to write it to. The file may
// hold "{job}", which stands for each job's name.
struct ExportTarget {
    ExportFormat format = ExportFormat::Csv;
    std::string pathPattern;

    // The file for the job `jobName`.
    std::string pathFor(std::string_view jobName) const;
    bool namesTheJob() const;
};

// "FORMAT:FILE", as `--export csv:{job}.csv`; nothing when the format is not
// one of ours or the file is missing.
std::optional<ExportTarget> exportTargetFromText(std::string_view text);

// Writes every target of the job, all committed together (each to a
// temporary file beside it, renamed once all are complete), so a failure
// leaves every earlier file as it was. Throws ZendroError naming the file and
// the cause.
void writeExports(const ExportJob& job, const std::vector<ExportTarget>& targets,
                  const CsvLayout& csv);

}  // namespace zendro::exports
