#pragma once

// The sample job (samples/HWY12-3) converted in a scratch folder, reviewed
// and positioned in its local frame: real records of every kind for the
// exports to carry.

#include <filesystem>

#include "common/run_observer.h"
#include "conversion/conversion_run.h"
#include "conversion/job_model_reading.h"
#include "coordinates/local_positions.h"
#include "exports/export_job.h"
#include "tests/support/temp_dir.h"

namespace zendro::testing {

struct SampleJob {
    SampleJob() {
        for (const char* extension : {".HVD", ".CTX", ".RTX"}) {
            writeFile(folder.file(std::string("HWY12-3") + extension),
                      readFile(std::string(ZENDRO_SAMPLES_DIR) + "/HWY12-3" + extension));
        }
        const JobPaths paths = deriveJobPaths(folder.file("HWY12-3.HVD"));
        NullObserver observer;
        runConversion(paths, options, observer);  // writes the point-feature file
        review = review::reviewModel(readJobModel(paths, options), options, review::defaultLimits(zendro::LengthUnit::UsSurveyFoot));
        positions = coordinates::localPositions(review.plan);
    }

    exports::ExportJob job(const coordinates::CoordinateSystem* system = nullptr) const {
        return exports::ExportJob{"HWY12-3", &options, &review, &positions, system};
    }

    TempDir folder;
    ConversionOptions options;
    review::JobReview review;
    coordinates::JobPositions positions;
};

}  // namespace zendro::testing
