#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "conversion/conversion_run.h"
#include "review/check_report.h"
#include "review/report_header.h"
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

// Everything one job's report shows; plain copies, so it can be made on
// another thread while the window reviews again.
struct JobReportInput {
    ReportHeader header;
    ReviewReport report;
    SketchModel sketch;
    // None when the job was not converted in this session (the window shows a
    // job converted earlier): the report then says so.
    std::optional<WrittenFiles> conversion;
    // The job's level runs, when it has them: the heights of its points they
    // gave, then each line's level book. Empty without level runs.
    std::vector<ReportTable> levelBook;
};

}  // namespace zendro::review
