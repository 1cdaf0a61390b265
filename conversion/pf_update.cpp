#include "conversion/pf_update.h"

#include <filesystem>
#include <system_error>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/output_files.h"
#include "conversion/dated_name.h"
#include "features/pf_reader.h"
#include "features/point_name_pass.h"

namespace zendro {
namespace {

bool writtenAfter(const std::string& path, const std::string& other) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error) return false;
    const auto otherTime = std::filesystem::last_write_time(other, error);
    return !error && time > otherTime;
}

}  // namespace

std::optional<PfFreshness> checkPfFreshness(const JobPaths& job) {
    const std::string ctxPath = findFieldFile(job.ctxPath);
    if (ctxPath.empty() || !fileExists(job.pfPath)) return std::nullopt;
    NullObserver quiet;  // the CTX file's own faults are told when it is converted
    return comparePfWithCtx(readPfEntries(readFileBytes(job.pfPath)).complete,
                            readPointNames(readFileBytes(ctxPath), quiet),
                            writtenAfter(ctxPath, job.pfPath));
}

PfUpdateOutcome updatePointFeatureFile(const JobPaths& job, PfUpdate how,
                                       std::string_view commentCode, std::time_t now,
                                       RunObserver& observer) {
    PfUpdateOutcome outcome;
    if (!fileExists(job.pfPath)) return outcome;
    const std::string ctxPath = findFieldFile(job.ctxPath);
    if (ctxPath.empty()) {
        throw ZendroError(job.ctxPath, "the CTX file does not exist; " + job.pfPath +
                                           " cannot be updated from it");
    }
    const std::string old = readFileBytes(job.pfPath);
    const std::vector<NamedFeature> ctx = readPointNames(readFileBytes(ctxPath), observer);
    OutputFiles outputs;
    if (how == PfUpdate::AddNew) {
        const PfFreshness freshness = comparePfWithCtx(readPfEntries(old).complete, ctx, false);
        if (freshness.newInCtx.empty()) return outcome;
        outputs.add(job.pfPath).write(pfWithNewCtxEntries(old, ctx, freshness, commentCode));
        outcome.entriesAdded = freshness.newInCtx.size();
    } else {
        outcome.backupPath = datedSideName(job.pfPath, "backup", now);
        outputs.add(outcome.backupPath).write(old);
        outputs.add(job.pfPath).write(pointFeatureFileText(ctx, commentCode));
    }
    outputs.commit();
    outcome.updated = true;
    return outcome;
}

std::string pfUpdateMessage(const JobPaths& job, const PfUpdateOutcome& outcome) {
    if (!outcome.updated) return job.pfPath + ": left as it was (nothing to update)";
    if (!outcome.backupPath.empty()) {
        return job.pfPath + ": made again from the CTX file; the previous one is kept as " +
               outcome.backupPath;
    }
    return job.pfPath + ": " + std::to_string(outcome.entriesAdded) +
           " entries added from the CTX file";
}

}  // namespace zendro
