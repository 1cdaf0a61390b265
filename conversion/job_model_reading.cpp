#include "conversion/job_model_reading.h"

#include "common/errors.h"
#include "common/file_io.h"
#include "features/chain_list.h"
#include "features/point_table.h"

namespace zendro {


JobModel modelOfBytes(std::string_view hvdBytes, std::string_view pfBytes,
                      const ConversionOptions& options) {
    return jobModelOf(decodeObservations(hvdBytes), loadPointTable(pfBytes, options.curveCode),
                      buildChainLists(pfBytes, options), checkPointFeatureLines(pfBytes));
}

JobModel readJobModel(const JobPaths& job, const ConversionOptions& options) {
    const std::string hvdPath = findFieldFile(job.hvdPath);
    if (hvdPath.empty()) throw ZendroError(job.hvdPath, "the HVD file does not exist");
    const std::string hvd = readFileBytes(hvdPath);
    const std::string pf = fileExists(job.pfPath) ? readFileBytes(job.pfPath) : std::string();
    return modelOfBytes(hvd, pf, options);
}

}  // namespace zendro
