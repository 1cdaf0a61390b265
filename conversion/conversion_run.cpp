#include "conversion/conversion_run.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <string_view>
#include <vector>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/output_files.h"
#include "conversion/job_conversion.h"
#include "conversion/pf_update.h"
#include "conversion/recorded_output.h"
#include "features/pf_reader.h"

namespace zendro {
namespace {

// The job's field files read whole, in the order a run needs them.
struct JobFiles {
    std::string hvd;
    std::optional<std::string> pointFeatureFile;
    std::optional<std::string> ctx;
    std::optional<std::string> rtx;

    JobBytes bytes() const {
        const auto view = [](const std::optional<std::string>& file) {
            return file ? std::optional<std::string_view>(*file) : std::nullopt;
        };
        return {hvd, view(rtx), view(pointFeatureFile), view(ctx)};
    }
};

// The field file under any case of its extension; none when there is none.
std::optional<std::string> readFieldFile(const std::string& fixedPath) {
    const std::string found = findFieldFile(fixedPath);
    if (found.empty()) return std::nullopt;
    return readFileBytes(found);
}

JobFiles readJobFiles(const JobPaths& job) {
    JobFiles files;
    std::optional<std::string> hvd = readFieldFile(job.hvdPath);
    if (!hvd) throw ZendroError(job.hvdPath, "the HVD file does not exist");
    files.hvd = std::move(*hvd);
    // The point-feature file belongs to the feature editor once it exists; the
    // CTX file is read only for a job without one.
    if (fileExists(job.pfPath)) {
        files.pointFeatureFile = readFileBytes(job.pfPath);
    } else {
        files.ctx = readFieldFile(job.ctxPath);
    }
    files.rtx = readFieldFile(job.rtxPath);
    return files;
}

// The point-feature entries the run converted with: the job's file, or the
// one it made from the CTX file.
std::vector<PfEntry> entriesOfRun(const JobFiles& files, const JobConversion& conversion) {
    const std::string_view bytes = files.pointFeatureFile ? *files.pointFeatureFile
                                   : conversion.newPointFeatureFile
                                       ? *conversion.newPointFeatureFile
                                       : std::string_view();
    return readPfEntries(bytes).complete;
}

// A cut download is told apart from a trailing byte or two by what it leaves
// unobserved; the front ends show the counts.
std::optional<ShortDownload> warnOfShortDownload(const JobPaths& job, const JobFiles& files,
                                                 const JobConversion& conversion,
                                                 RunObserver& observer) {
    std::optional<ShortDownload> cut =
        findShortDownload(files.hvd, entriesOfRun(files, conversion));
    if (cut) observer.warning(shortDownloadWarning(job.hvdPath, *cut));
    return cut;
}

// A point-feature file kept from an earlier download gives the new points
// stale descriptions; the run goes on with it as it is and says so.
std::optional<PfFreshness> warnOfStalePointFeatures(const JobPaths& job, RunObserver& observer) {
    std::optional<PfFreshness> freshness = checkPfFreshness(job);
    if (!freshness || freshness->matches()) return std::nullopt;
    observer.warning(pfFreshnessWarning(job.pfPath, findFieldFile(job.ctxPath), *freshness));
    return freshness;
}

std::string fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::vector<std::string> outputTargets(const JobPaths& job, const ConversionOptions& options) {
    if (options.obsOnly) return {job.obsPath};
    return {job.trvPath, job.obsPath};
}

// An output edited by hand goes into the same commit under its dated name, so
// it is kept exactly when the new output replaces it.
void keepEditedOutputs(const std::vector<EditedOutput>& edited, OutputFiles& outputs) {
    for (const EditedOutput& output : edited) {
        outputs.add(output.keepAs).write(readFileBytes(output.path));
    }
}

// Without the record a later run cannot tell an edit; the outputs themselves
// are written, so this is a warning.
std::size_t recordOutputs(const JobPaths& job, const std::vector<WrittenFile>& written,
                          RunObserver& observer) {
    try {
        recordWrittenOutputs(job, written);
        return 0;
    } catch (const std::exception& error) {
        observer.warning(std::string(error.what()) +
                         "; later hand edits of the outputs cannot be told");
        return 1;
    }
}

}  // namespace

ConversionResult runConversion(const JobPaths& job, const ConversionOptions& options,
                               RunObserver& observer, const HeaderClock& clock,
                               KeepJobModel keep) {
    const JobFiles files = readJobFiles(job);
    const std::optional<PfFreshness> stale = warnOfStalePointFeatures(job, observer);

    // Telling an edit reads the previous outputs whole: it runs beside the
    // conversion, which replaces them only at the commit.
    const std::vector<std::string> targets = outputTargets(job, options);
    std::future<std::vector<EditedOutput>> findingEdits =
        std::async(std::launch::async, findEditedOutputs, std::cref(job), std::cref(targets),
                   std::time(nullptr));
    // The outputs stream into temporary files beside the targets and replace
    // them all together at the end, or none of them.
    OutputFiles outputs;
    std::optional<RecordedOutput> trv;
    if (!options.obsOnly) trv.emplace(fileNameOf(job.trvPath), outputs, job.trvPath);
    RecordedOutput obs(fileNameOf(job.obsPath), outputs, job.obsPath);
    JobConversion conversion = convertJob(job, files.bytes(), options,
                                          {obs.sink(), trv ? &trv->sink() : nullptr}, observer,
                                          clock, keep);
    if (conversion.newPointFeatureFile) {
        outputs.add(job.pfPath).write(*conversion.newPointFeatureFile);
    }
    const std::vector<EditedOutput> edited = findingEdits.get();
    keepEditedOutputs(edited, outputs);
    outputs.commit();
    std::vector<WrittenFile> written;
    if (trv) written.push_back(trv->written());
    written.push_back(obs.written());

    ConversionResult result;
    result.warningCount = conversion.warningCount;
    for (const std::string& leftover : outputs.leftovers()) {
        observer.warning(leftover +
                         ": the previous contents were kept under this name and could "
                         "not be removed");
        ++result.warningCount;
    }
    result.shortDownload = warnOfShortDownload(job, files, conversion, observer);
    if (result.shortDownload) ++result.warningCount;
    result.stalePointFeatures = stale;
    for (const EditedOutput& output : edited) observer.warning(editedOutputWarning(output));
    result.keptEdits = edited;
    result.warningCount += edited.size() + recordOutputs(job, written, observer);
    if (stale) ++result.warningCount;
    observer.progress(100);
    observer.status("Conversion Complete");

    result.obsPath = job.obsPath;
    if (!options.obsOnly) result.trvPath = job.trvPath;
    result.pointFeatureFileWritten = conversion.newPointFeatureFile.has_value();
    result.recordCount = conversion.recordCount;
    result.pointCount = conversion.pointCount;
    result.chainCount = conversion.chains.size();
    result.model = std::move(conversion.model);
    return result;
}

}  // namespace zendro
