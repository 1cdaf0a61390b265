#pragma once

#include <string_view>

#include "common/job_paths.h"
#include "conversion/conversion_options.h"
#include "conversion/job_model.h"

namespace zendro {

// The job model of the HVD file's bytes and the point-feature file's bytes,
// decoded as a conversion decodes them.
JobModel modelOfBytes(std::string_view hvdBytes, std::string_view pfBytes,
                      const ConversionOptions& options);

// The job model of the job's HVD file and point-feature file as they are on
// disk now (a missing point-feature file reads as empty), for a job shown
// without converting it. Throws ZendroError naming the file and the cause.
JobModel readJobModel(const JobPaths& job, const ConversionOptions& options);

}  // namespace zendro
