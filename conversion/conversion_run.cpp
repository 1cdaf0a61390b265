#include "conversion/conversion_run.h"

#include "common/errors.h"
#include "common/file_io.h"
#include "common/line_writer.h"
#include "conversion/decoding.h"
#include "conversion/headers.h"
#include "conversion/notes_pass.h"
#include "conversion/record_dispatch.h"
#include "conversion/record_handlers.h"
#include "features/chain_writer.h"
#include "features/point_name_pass.h"
#include "features/point_table.h"

namespace zendro {
namespace {

std::string readHvdFile(const JobPaths& job) {
    const std::string hvdPath = findFieldFile(job.hvdPath);
    if (hvdPath.empty()) throw ZendroError(job.hvdPath, "the HVD file does not exist");
    return readFileBytes(hvdPath);
}

std::string readRtxFile(const JobPaths& job, RunObserver& observer) {
    const std::string rtxPath = findFieldFile(job.rtxPath);
    if (rtxPath.empty()) {
        observer.warning(job.rtxPath + ": the RTX file does not exist; the job has no notes");
        return {};
    }
    return readFileBytes(rtxPath);
}

std::string readPointFeatureFile(const JobPaths& job) {
    return fileExists(job.pfPath) ? readFileBytes(job.pfPath) : std::string();
}

void convertRecords(std::string_view hvd, const std::string& hvdPath, RunContext& run,
                    RunObserver& observer) {
    const std::size_t length = hvd.size();
    const std::size_t completeLength = length - length % kObservationRecordSize;
    for (std::size_t offset = 0; offset < completeLength; offset += kObservationRecordSize) {
        observer.progress(100.0 * static_cast<double>(offset + 1) / static_cast<double>(length));
        if (observer.cancelRequested()) throw RunCancelled(hvdPath);
        dispatchRecord(decodeRecord(hvd.substr(offset, kObservationRecordSize)), run);
    }
}

// Passes everything on to the front end's observer, counting the warnings.
class CountingObserver final : public RunObserver {
  public:
    explicit CountingObserver(RunObserver& inner) : inner_(inner) {}
    void status(std::string_view text) override { inner_.status(text); }
    void progress(double percent) override { inner_.progress(percent); }
    void warning(std::string_view message) override {
        ++warnings_;
        inner_.warning(message);
    }
    bool cancelRequested() const override { return inner_.cancelRequested(); }
    std::size_t warnings() const { return warnings_; }

  private:
    RunObserver& inner_;
    std::size_t warnings_ = 0;
};

ConversionResult convert(const JobPaths& job, const ConversionOptions& options,
                         CountingObserver& observer, const HeaderClock& clock);

}  // namespace

ConversionResult runConversion(const JobPaths& job, const ConversionOptions& options,
                               RunObserver& observer, const HeaderClock& clock) {
    CountingObserver counting(observer);
    ConversionResult result =
        convert(job, options, counting, clock ? clock : defaultHeaderClock(counting));
    result.warningCount = counting.warnings();
    return result;
}

namespace {

ConversionResult convert(const JobPaths& job, const ConversionOptions& options,
                         CountingObserver& observer, const HeaderClock& clock) {
    // Everything is read and composed in memory first; the files are written at
    // the end, so a failure leaves the previous outputs untouched.
    const std::string hvd = readHvdFile(job);

    ConversionResult result;
    result.pointFeatureFileWritten = runPointNamePass(job, options.commentCode, observer);

    observer.status("Reading Notes");
    const NotesTable notes = readNotes(readRtxFile(job, observer), observer);

    const std::string pfBytes = readPointFeatureFile(job);
    const PointTable points = loadPointTable(pfBytes, options.curveCode);

    observer.status("Converting Point Observations");
    if (hvd.size() % kObservationRecordSize != 0) {
        observer.warning(job.hvdPath + ": the last " +
                         std::to_string(hvd.size() % kObservationRecordSize) +
                         " bytes are not a whole record and were not converted");
    }

    std::string trvText;
    std::string obsText;
    LineWriter trv = options.obsOnly ? LineWriter() : LineWriter(trvText);
    LineWriter obs(obsText);
    writeTrvHeader(trv, job.jobName, clock);
    writeObsHeader(obs, job.jobName, clock);

    observer.progress(0);
    RecordState state;
    TapedColumns taped;
    RunContext run{options, points, notes, taped, state, trv, obs, observer};
    convertRecords(hvd, job.hvdPath, run, observer);
    writeTapedShots(run);
    writeClosingLines(run);

    result.recordCount = hvd.size() / kObservationRecordSize;
    result.pointCount = points.pointCount() - 1;
    result.chainCount = writeChainSection(obs, pfBytes, {options.pointPrefix, options.curveCode, options.runSuffix},
                      observer);

    if (!options.obsOnly) {
        writeFileAtomically(job.trvPath, trvText);
        result.trvPath = job.trvPath;
    }
    writeFileAtomically(job.obsPath, obsText);
    result.obsPath = job.obsPath;

    observer.progress(100);
    observer.status("Conversion Complete");
    return result;
}

}  // namespace
}  // namespace zendro
