#include "conversion/job_conversion.h"

#include "common/errors.h"
#include "common/line_writer.h"
#include "conversion/counting_observer.h"
#include "conversion/decoding.h"
#include "conversion/field_file_checks.h"
#include "conversion/headers.h"
#include "conversion/notes_pass.h"
#include "conversion/record_dispatch.h"
#include "conversion/record_handlers.h"
#include "features/chain_writer.h"
#include "features/pf_line_checks.h"
#include "features/pf_reader.h"
#include "features/point_name_pass.h"
#include "features/point_table.h"

namespace zendro {
namespace {

// Shows "Reading Point Names"; for a job without a point-feature file, makes
// one from the CTX file.
std::optional<std::string> newPointFeatureFile(const JobPaths& job, const JobBytes& bytes,
                                               const ConversionOptions& options,
                                               RunObserver& observer) {
    observer.status("Reading Point Names");
    if (bytes.pointFeatureFile) return std::nullopt;
    return pointFeatureFileFromCtx(bytes.ctx, job.ctxPath, options.commentCode, observer);
}

NotesTable notesOf(const JobPaths& job, const JobBytes& bytes, RunObserver& observer) {
    observer.status("Reading Notes");
    if (!bytes.rtx) {
        observer.warning(job.rtxPath + ": the RTX file does not exist; the job has no notes");
    }
    return readNotes(bytes.rtx.value_or(std::string_view()), observer);
}

std::string_view fileNameOf(std::string_view path) {
    const std::size_t separator = path.rfind(kPathSeparator);
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

// Refuses field files that are not the collector's before anything is
// written, and tells of lines and values that will not convert as meant.
void checkFieldFiles(const JobPaths& job, const JobBytes& bytes, const ConversionOptions& options,
                     RunObserver& observer) {
    if (const auto why = notAnObservationFile(bytes.hvd))
        throw ZendroError(job.hvdPath, *why + "; nothing was written");
    if (bytes.ctx) {
        if (const auto why = notADescriptionFile(*bytes.ctx)) {
            // Only a point-feature file made from it would carry its nonsense.
            if (!bytes.pointFeatureFile) throw ZendroError(job.ctxPath, *why + "; nothing was written");
            observer.warning(job.ctxPath + ": " + *why);
        }
    }
    if (bytes.rtx) {
        if (const auto why = notANotesFile(*bytes.rtx)) observer.warning(job.rtxPath + ": " + *why);
    }
    if (const auto why = unitContradiction(bytes.hvd, options.metric()))
        observer.warning(job.hvdPath + ": " + *why);
}

// The lines of the job's point-feature file that will not convert as their
// editor meant, each told (a file made now from the CTX file has none).
std::vector<PfLineProblem> pfLineProblems(const JobPaths& job, const JobBytes& bytes,
                                          RunObserver& observer) {
    if (!bytes.pointFeatureFile) return {};
    std::vector<PfLineProblem> problems = checkPointFeatureLines(*bytes.pointFeatureFile);
    for (const PfLineProblem& problem : problems)
        observer.warning(job.pfPath + ": line " + std::to_string(problem.line) + " " +
                         problem.message);
    return problems;
}

}  // namespace

JobConverter::JobConverter(const JobPaths& job, const JobBytes& bytes,
                           const ConversionOptions& options, OutputSinks sinks,
                           RunObserver& observer, const HeaderClock& clock, KeepJobModel keep)
    : job_(job),
      options_(options),
      observer_(observer),
      result_{newPointFeatureFile(job, bytes, options, observer), 0, 0, 0, {}, std::nullopt},
      keepModel_(keep == KeepJobModel::Yes),
      pfEntries_(readPfEntries(bytes.pointFeatureFile        ? *bytes.pointFeatureFile
                               : result_.newPointFeatureFile ? *result_.newPointFeatureFile
                                                             : std::string_view())),
      points_(loadPointTable(pfEntries_, options.curveCode)),
      pfProblems_(pfLineProblems(job, bytes, observer)),
      notes_(notesOf(job, bytes, observer)),
      trv_(options.obsOnly || sinks.trv == nullptr ? LineWriter() : LineWriter(*sinks.trv)),
      obs_(sinks.obs),
      run_{options, points_, notes_, taped_, state_, trv_, obs_, observer, fileNameOf(job.pfPath)} {
    observer.status("Converting Point Observations");
    if (const std::size_t rest = bytes.hvd.size() % kObservationRecordSize; rest != 0) {
        observer.warning(job.hvdPath + ": the last " + std::to_string(rest) +
                         " bytes are not a whole record and were not converted");
    }
    writeTrvHeader(trv_, job.jobName, clock);
    writeObsHeader(obs_, job.jobName, clock);
    if (keepModel_) {
        result_.model.emplace();
        result_.model->observations.reserve(bytes.hvd.size() / kObservationRecordSize);
    }
    observer.progress(0);
}

void JobConverter::feed(std::string_view record) { feed(decodeObservation(record)); }

void JobConverter::feed(const Observation& observation) {
    dispatchRecord(textFormsOf(observation), run_);
    if (keepModel_) result_.model->observations.push_back(observation);
    ++result_.recordCount;
}

void JobConverter::feedAll(std::string_view hvd) {
    const std::size_t length = hvd.size();
    const std::size_t completeLength = length - length % kObservationRecordSize;
    for (std::size_t offset = 0; offset < completeLength; offset += kObservationRecordSize) {
        observer_.progress(100.0 * static_cast<double>(offset + 1) / static_cast<double>(length));
        if (observer_.cancelRequested()) throw RunCancelled(job_.hvdPath);
        feed(hvd.substr(offset, kObservationRecordSize));
    }
}

JobConversion JobConverter::finish() {
    writeTapedShots(run_);
    writeClosingLines(run_);
    result_.chains = buildChainLists(pfEntries_.complete, options_);
    writeChainSection(obs_, result_.chains, pfEntries_.complete.size(), observer_);
    result_.pointCount = points_.pointCount() - 1;
    if (keepModel_) {
        result_.model = jobModelOf(std::move(result_.model->observations), std::move(points_),
                                   result_.chains, std::move(pfProblems_));
    }
    return std::move(result_);
}

JobConversion convertJob(const JobPaths& job, const JobBytes& bytes,
                         const ConversionOptions& options, OutputSinks sinks, RunObserver& frontEnd,
                         const HeaderClock& clock, KeepJobModel keep) {
    CountingObserver observer(frontEnd);
    checkFieldFiles(job, bytes, options, observer);
    JobConverter converter(job, bytes, options, sinks, observer,
                           clock ? clock : defaultHeaderClock(observer), keep);
    converter.feedAll(bytes.hvd);
    JobConversion result = converter.finish();
    result.warningCount = observer.warnings();
    return result;
}

}  // namespace zendro
