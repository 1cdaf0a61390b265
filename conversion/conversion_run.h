#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/job_paths.h"
#include "common/run_observer.h"
#include "conversion/conversion_options.h"
#include "conversion/header_clock.h"
#include "conversion/job_model.h"
#include "conversion/short_download.h"
#include "conversion/written_outputs.h"
#include "features/pf_freshness.h"

namespace zendro {

struct ConversionResult {
    std::string obsPath;  // always written
    std::string trvPath;  // empty in an "OBS Only" run
    bool pointFeatureFileWritten = false;
    // What the run did, for the front end's completion notice.
    std::size_t recordCount = 0;   // whole HVD records converted
    std::size_t pointCount = 0;    // entries of the point-feature file
    std::size_t chainCount = 0;    // chains in the OBS file's chain section
    std::size_t warningCount = 0;  // warnings given to the observer
    // The decoded job, for the review and the exports, when it was asked for.
    std::optional<JobModel> model;
    // Set when the HVD file ends inside a record; the completion notice then
    // warns that the download may be cut short (a warning went to the observer).
    std::optional<ShortDownload> shortDownload;
    // Set when the job's point-feature file does not match its CTX file (it
    // was converted as it is; conversion/pf_update.h offers the remedies).
    std::optional<PfFreshness> stalePointFeatures;
    // Outputs edited by hand since this program wrote them, each kept under
    // its dated name before being replaced (findEditedOutputs asks first).
    std::vector<EditedOutput> keptEdits;
};

// Converts one job on disk: reads its field files, runs the conversion
// (conversion/job_conversion.h) streaming the outputs into temporary files,
// then commits the OBS file, the TRV file and a new point-feature file
// together: all of them, or none (the previous ones stay as they were).
//
// Status texts and progress go to `observer`, as do warnings (a missing CTX or
// RTX file, a partial record at the end of the HVD file, an unusable
// SOURCE_DATE_EPOCH). A failure throws ZendroError naming the file and the
// cause, and leaves the outputs as they were. Without a `clock` the headers
// show the time defaultHeaderClock gives.
ConversionResult runConversion(const JobPaths& job, const ConversionOptions& options,
                               RunObserver& observer, const HeaderClock& clock = {},
                               KeepJobModel keep = KeepJobModel::No);

}  // namespace zendro
