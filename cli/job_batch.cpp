#include "cli/job_batch.h"

#include <algorithm>
#include <atomic>
#include <ctime>
#include <exception>
#include <thread>

#include "common/errors.h"
#include "common/job_paths.h"
#include "job/job_run.h"
#include "conversion/pf_update.h"

namespace zendro::cli {
namespace {

class CollectingObserver final : public RunObserver {
  public:
    explicit CollectingObserver(std::vector<std::string>& messages) : messages_(messages) {}
    void status(std::string_view) override {}
    void progress(double) override {}
    void warning(std::string_view message) override {
        messages_.push_back("warning: " + std::string(message));
    }

  private:
    std::vector<std::string>& messages_;
};

void updatePointFeatures(const JobPaths& job, PfUpdate how, const ConversionOptions& options,
                         RunObserver& observer, std::vector<std::string>& messages) {
    const PfUpdateOutcome outcome =
        updatePointFeatureFile(job, how, options.commentCode, std::time(nullptr), observer);
    messages.push_back("zendro-convert: " + pfUpdateMessage(job, outcome));
}

JobOutcome convertOne(const std::string& file, JobRequest request, bool suffixGiven,
                      std::optional<PfUpdate> pfUpdate) {
    JobOutcome outcome;
    outcome.file = file;
    const JobPaths job = deriveJobPaths(file);
    if (!suffixGiven) request.options.runSuffix = job.runSuffix;
    CollectingObserver observer(outcome.messages);
    try {
        if (pfUpdate) updatePointFeatures(job, *pfUpdate, request.options, observer, outcome.messages);
        JobRunResult run = runJob(job, request, observer);
        outcome.review = std::move(run.review);
        const ConversionResult& result = run.conversion;
        outcome.converted = true;
        outcome.conversion = result;
        outcome.resultLine = file + ": converted " + std::to_string(result.recordCount) +
                             " records, " + std::to_string(result.pointCount) + " points, " +
                             std::to_string(result.chainCount) + " chains, " +
                             std::to_string(result.warningCount) + " warnings";
    } catch (const std::exception& error) {
        outcome.messages.push_back("zendro-convert: " + failureMessage(job.hvdPath, error));
        outcome.resultLine = file + ": not converted";
    }
    return outcome;
}

}  // namespace

std::vector<JobOutcome> convertJobs(const std::vector<std::string>& files,
                                    const JobRequest& request, bool suffixGiven,
                                    std::size_t parallel, std::optional<PfUpdate> pfUpdate) {
    std::vector<JobOutcome> outcomes(files.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            outcomes[i] = convertOne(files[i], request, suffixGiven, pfUpdate);
        }
    };
    std::vector<std::jthread> workers;
    const std::size_t threads = std::clamp<std::size_t>(parallel, 1, files.size());
    for (std::size_t t = 1; t < threads; ++t) workers.emplace_back(work);
    work();
    return outcomes;
}

}  // namespace zendro::cli
