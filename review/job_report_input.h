#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "conversion/conversion_run.h"
#include "review/check_report.h"
#include "review/report_header.h"
#include "review/report_sections.h"
#include "review/report_table.h"
#include "review/sketch_model.h"

namespace zendro::review {

// The files a conversion wrote and what it converted, as its result tells.
struct WrittenFiles {
    std::vector<std::string> paths;  // the OBS file, the TRV file, a new JOB.pf
    std::size_t records = 0;
    std::size_t points = 0;
    std::size_t chains = 0;
    std::size_t warnings = 0;
};

// `pfPath` is the job's point-feature file, named when the run wrote it anew.
inline WrittenFiles writtenFilesOf(const ConversionResult& result, const std::string& pfPath) {
    WrittenFiles files;
    files.paths.push_back(result.obsPath);
    if (!result.trvPath.empty()) files.paths.push_back(result.trvPath);
    if (result.pointFeatureFileWritten) files.paths.push_back(pfPath);
    files.records = result.recordCount;
    files.points = result.pointCount;
    files.chains = result.chainCount;
    files.warnings = result.warningCount;
    return files;
}

// What the job's field files hold, as the conversion counts it, and how much
// of it has a position: each count named for what it counts.
struct JobCounts {
    std::size_t records = 0;     // whole HVD records
    std::size_t entries = 0;     // point-feature entries
    std::size_t chains = 0;      // chains of the OBS file's chain section
    std::size_t positioned = 0;  // points with a position: the sketch's and the coordinate list's
    std::size_t stations = 0;    // of those, occupied by a setup
    std::size_t legs = 0;        // traverse legs drawn
};

// Everything one job's report shows; plain copies, so it can be made on
// another thread while the window reviews again.
struct JobReportInput {
    ReportHeader header;
    ReviewReport report;
    JobCounts counts;
    SketchModel sketch;  // of the positions written
    std::optional<AdjustmentSection> adjustment;
    std::vector<std::string> control;  // the control used, a line each
    CoordinateSection coordinates;
    // None when the job was not converted in this session (the window shows a
    // job converted earlier): the report then lists the job's outputs found.
    std::optional<WrittenFiles> conversion;
    std::vector<std::string> outputsFound;
    std::vector<std::string> exports;  // written from the positions: "csv: PATH", "sketch: PATH"
    // The job's level runs, when it has them: the heights of its points they
    // gave, then each line's level book. Empty without level runs.
    std::vector<ReportTable> levelBook;
};

}  // namespace zendro::review
