#include "cli/job_batch.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/module_drawing.h"
#include "common/errors.h"
#include "common/job_paths.h"
#include "conversion/header_clock.h"
#include "job/job_session.h"

namespace zendro::cli {
namespace {

constexpr int kFailed = 1;
constexpr int kLimitExceeded = 3;

// What a job tells, kept as lines for the stream each belongs on: the
// conversions run side by side, the printing happens in the jobs' order.
class LineCollector final : public JobObserver {
  public:
    struct Line {
        bool toErr = false;
        std::string text;    // without its line end
        bool named = false;  // names its job itself: no prefix
    };

    void status(std::string_view) override {}
    void progress(double) override {}
    void warning(std::string_view message) override { add(true, "warning: ", message); }
    void notice(std::string_view message) override { add(true, "zendro-convert: ", message); }
    void failure(std::string_view message) override { add(true, "zendro-convert: ", message); }
    void report(std::string_view text) override {
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            lines_.push_back({false, std::string(text.substr(at, end - at)), false});
            at = end + 1;
        }
    }
    void result(std::string text) { lines_.push_back({false, std::move(text), true}); }

    // Prints what was told since the last print, each line after `prefix`.
    void print(std::ostream& out, std::ostream& err, const std::string& prefix) {
        for (const Line& line : lines_)
            (line.toErr ? err : out) << (line.named ? std::string() : prefix) << line.text << '\n';
        out << std::flush;
        lines_.clear();
    }

  private:
    void add(bool toErr, std::string_view lead, std::string_view message) {
        lines_.push_back({toErr, std::string(lead) + std::string(message), false});
    }
    std::vector<Line> lines_;
};

struct JobRun {
    std::string file;  // as given on the command line
    std::optional<JobSession> session;
    LineCollector told;
    bool converted = false;
    std::string resultLine;  // printed once the job is reviewed, with its verdict
};

void convertOne(JobRun& run, const JobConfig& config, bool suffixGiven) {
    const JobPaths job = deriveJobPaths(run.file);
    JobConfig own = config;
    if (!suffixGiven) own.options.runSuffix = job.runSuffix;
    JobSession& session = run.session.emplace(job, own);
    try {
        if (own.pfUpdate) run.told.notice(session.updatePointFeatures(run.told));
        const ConversionResult& result = session.convert(run.told);
        run.converted = true;
        run.resultLine = run.file + ": converted " + std::to_string(result.recordCount) +
                         " records, " + std::to_string(result.pointCount) + " points, " +
                         std::to_string(result.chainCount) + " chains, " +
                         std::to_string(result.warningCount) + " warnings";
    } catch (const std::exception& error) {
        run.told.failure(failureMessage(job.hvdPath, error));
        run.resultLine = run.file + ": not converted";
    }
}

}  // namespace

int runJobs(const CommandLine& line, const JobConfig& config, std::ostream& out,
            std::ostream& err) {
    std::vector<JobRun> runs(line.files.size());
    for (std::size_t i = 0; i < runs.size(); ++i) runs[i].file = line.files[i];
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < runs.size(); i = next++)
            convertOne(runs[i], config, line.suffixGiven);
    };
    {
        std::vector<std::jthread> workers;
        const std::size_t threads = std::clamp<std::size_t>(line.parallel, 1, runs.size());
        for (std::size_t t = 1; t < threads; ++t) workers.emplace_back(work);
        work();
    }

    // The drawing loads Qt on this thread only, and the coordinate system is
    // used on one thread: the steps after the conversions run here, in order.
    ModuleDrawing drawing;
    NullObserver quiet;  // the conversion has told of a SOURCE_DATE_EPOCH it refused
    const std::string today = isoDate(defaultHeaderClock(quiet)());
    const bool several = runs.size() > 1;
    bool failed = false;
    bool limitExceeded = false;
    for (JobRun& run : runs) {
        const std::string prefix = several ? run.file + ": " : std::string();
        // A reviewed job's result line ends with the review's verdict.
        if (run.converted && config.reviewed()) {
            try {
                run.resultLine += "; " + run.session->review().report.verdict();
            } catch (const std::exception& error) {
                run.told.failure(failureMessage(run.session->job().hvdPath, error));
            }
        }
        run.told.result(run.resultLine);
        run.told.print(out, err, prefix);
        if (!run.converted) {
            failed = true;
            continue;
        }
        const JobOutcome outcome = run.session->finish(run.told, drawing, today);
        run.told.print(out, err, prefix);
        failed = failed || outcome.failed;
        limitExceeded = limitExceeded || outcome.limitExceeded;
    }
    return failed ? kFailed : limitExceeded ? kLimitExceeded : 0;
}

}  // namespace zendro::cli
