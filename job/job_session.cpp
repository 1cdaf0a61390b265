#include "job/job_session.h"

#include <algorithm>
#include <ctime>
#include <exception>
#include <utility>

#include "adjustment/adjustment_report.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/output_files.h"
#include "common/text_forms.h"
#include "conversion/job_model_reading.h"
#include "conversion/pf_update.h"
#include "coordinates/local_positions.h"
#include "coordinates/sketch_positions.h"
#include "exports/export_format.h"
#include "exports/export_target.h"
#include "job/job_report_content.h"
#include "job/owned_files.h"
#include "levels/level_job.h"
#include "levels/level_report.h"
#include "review/job_report_text.h"

namespace zendro {
namespace {

bool needsTheGrid(exports::ExportFormat format) {
    return format == exports::ExportFormat::Kml || format == exports::ExportFormat::GeoJson;
}

}  // namespace

JobSession::JobSession(JobPaths job, JobConfig config)
    : job_(std::move(job)), config_(std::move(config)) {}

std::string JobSession::updatePointFeatures(RunObserver& observer) {
    if (!config_.pfUpdate) return {};
    const PfUpdateOutcome outcome = updatePointFeatureFile(
        job_, *config_.pfUpdate, config_.options.commentCode, std::time(nullptr), observer);
    return pfUpdateMessage(job_, outcome);
}

const ConversionResult& JobSession::convert(RunObserver& observer, const HeaderClock& clock) {
    ConversionResult result =
        runConversion(job_, config_.options, observer, clock,
                      config_.reviewed() ? KeepJobModel::Yes : KeepJobModel::No);
    model_ = std::move(result.model);
    result.model.reset();
    review_.reset();
    tie_.reset();
    adjustment_.reset();
    written_.clear();
    return conversion_.emplace(std::move(result));
}

void JobSession::rememberConversion(ConversionResult result) {
    result.model.reset();
    conversion_ = std::move(result);
}

void JobSession::open() {
    model_ = readJobModel(job_, config_.options);
    review_.reset();
    tie_.reset();
    adjustment_.reset();
    written_.clear();
}

const review::JobReview& JobSession::review() {
    if (!model_) open();
    review::JobReview reviewed = review::reviewModel(*model_, config_.options, config_.limits);
    std::shared_ptr<const levels::LevelRunResult> run;
    std::vector<coordinates::LevelledHeight> levelled;
    if (config_.levels) {
        run = std::make_shared<const levels::LevelRunResult>(runLevels());
        levels::addLevelFindings(reviewed.report, *run, reviewed.records);
        levelled =
            levels::levelledHeights(*run, reviewed.plan,
                                    config_.placement ? config_.placement->control
                                                      : std::vector<coordinates::ControlPoint>{});
    }
    review_ = std::move(reviewed);
    levels_ = std::move(run);
    levelled_ = std::move(levelled);
    tie_.reset();
    if (config_.placed())
        tie_ = coordinates::placeReviewedJob(*review_, *config_.placement, config_.limits,
                                             levels::heightControl(levelled_));
    return *review_;
}

levels::LevelRunResult JobSession::runLevels() const {
    levels::LevelRunOptions options = *config_.levels;
    const LengthUnit unit = config_.options.unit;
    options.unit = unit;
    options.foot = isMetric(unit) ? kDefaultFootUnit : unit;
    options.controlPath = config_.controlPath;
    std::vector<levels::LevelInput> inputs;
    for (const std::string& path : options.files) inputs.push_back({path, readFileBytes(path)});
    return levels::runLevels(
        inputs,
        config_.placement ? config_.placement->heights : std::vector<coordinates::ControlPoint>{},
        options);
}

std::vector<coordinates::ControlPoint> JobSession::adjustmentControl() const {
    std::vector<coordinates::ControlPoint> control;
    if (config_.placement) control = config_.placement->control;
    for (coordinates::ControlPoint& point : levels::heightControl(levelled_))
        control.push_back(std::move(point));
    return control;
}

const review::JobReview& JobSession::requireReview() const {
    if (!review_) throw ZendroError(job_.hvdPath, "the job has not been reviewed");
    return *review_;
}

const adjustment::JobAdjustment& JobSession::adjust() {
    const review::JobReview& reviewed = requireReview();
    adjustment::JobAdjustmentSetup setup;
    setup.control = adjustmentControl();
    if (config_.placement && config_.placement->system)
        setup.crsCode = config_.placement->system->code();
    setup.sigmas = config_.adjustment.value_or(adjustment::defaultSigmas(config_.options.unit));
    setup.limits = config_.limits;
    setup.unit = config_.options.unit;
    setup.hvdPath = job_.hvdPath;
    setup.controlPath = config_.controlPath;
    return adjustment_.emplace(adjustment::adjustReviewedJob(reviewed, setup));
}

bool JobSession::has(coordinates::PositionFrame frame) const {
    switch (frame) {
        case coordinates::PositionFrame::Adjusted:
            return adjustment_.has_value();
        case coordinates::PositionFrame::TiedToControl:
            return tie_.has_value();
        case coordinates::PositionFrame::Local:
            return review_.has_value();
    }
    return false;
}

coordinates::JobPositions JobSession::positions() const {
    using coordinates::PositionFrame;
    const PositionFrame best = adjustment_ ? PositionFrame::Adjusted
                               : tie_      ? PositionFrame::TiedToControl
                                           : PositionFrame::Local;
    const PositionFrame shown = config_.frame && has(*config_.frame) ? *config_.frame : best;
    if (shown == PositionFrame::Adjusted) return adjustment_->result.positions;
    if (shown == PositionFrame::TiedToControl) return tie_->positions;
    return coordinates::localPositions(requireReview().plan);
}

review::SketchModel JobSession::sketch() const {
    review::SketchModel sketch =
        review::buildSketch(requireReview(), config_.options, job_.jobName);
    const coordinates::JobPositions shown = positions();
    if (shown.frame != coordinates::PositionFrame::Local) coordinates::placeSketch(sketch, shown);
    return sketch;
}

review::JobReportInput JobSession::reportInput(const std::string& madeOn) const {
    const review::JobReview& reviewed = requireReview();
    const coordinates::JobPositions shown = positions();
    review::JobReportInput input;
    input.sketch = sketch();
    input.header = {job_.jobName,
                    config_.options.unit,
                    config_.limits,
                    input.sketch.title.date,
                    madeOn,
                    input.sketch.title.frame,
                    trimBlanks(config_.reportInstrument),
                    trimBlanks(config_.reportCrew)};
    input.report = reviewed.report;
    review::JobCounts& counts = input.counts;
    if (model_) {
        counts.records = model_->observations.size();
        counts.entries = model_->points.pointCount() - 1;
        counts.chains = model_->chains.size();
    }
    counts.positioned = shown.points.size();
    counts.stations = static_cast<std::size_t>(
        std::count_if(shown.points.begin(), shown.points.end(),
                      [](const coordinates::PointPosition& p) { return p.station; }));
    counts.legs = input.sketch.legs.size();
    if (adjustment_) {
        input.adjustment = adjustment::adjustmentSection(adjustment_->result, config_.options.unit);
        if (const std::string note = reviewed.report.observedOnceNote(); !note.empty())
            input.adjustment->notes.push_back(note);
    }
    input.control = controlLines(config_, shown, tie_);
    input.coordinates = coordinateSection(shown, config_.options.unit);
    if (conversion_) {
        input.conversion = review::writtenFilesOf(*conversion_, job_.pfPath);
    } else {
        input.outputsFound = outputsFound(job_);
    }
    input.exports = written_;
    if (levels_) input.levelBook = levels::jobLevelBook(*levels_, levelled_);
    return input;
}

void JobSession::writeExports(const std::vector<exports::ExportTarget>& targets,
                              const exports::CsvLayout& csv) {
    std::vector<std::string> paths;
    for (const exports::ExportTarget& target : targets)
        paths.push_back(target.pathFor(job_.jobName));
    refuseOwnedTargets(job_, paths);
    const coordinates::JobPositions shown = positions();
    const coordinates::CoordinateSystem* system =
        config_.placement && config_.placement->system ? &*config_.placement->system : nullptr;
    // Local positions are not on the grid: a system would put them near its origin.
    const bool onGrid = shown.frame != coordinates::PositionFrame::Local;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (shown.points.empty())
            throw ZendroError(paths[i],
                              "the job has no positioned point to export; nothing was "
                              "written");
        if (needsTheGrid(targets[i].format) && system != nullptr && !onGrid)
            throw ZendroError(paths[i],
                              "the job's positions are local: tie them to control "
                              "(a control file, or a start and azimuth) to place them "
                              "on " +
                                  system->code());
    }
    const exports::ExportJob exported{
        job_.jobName, &config_.options,          &requireReview(),
        &shown,       onGrid ? system : nullptr, levels_ ? &levelled_ : nullptr};
    exports::writeExports(exported, targets, csv);
    for (std::size_t i = 0; i < targets.size(); ++i)
        written_.push_back(std::string(exports::formatName(targets[i].format)) + ": " + paths[i]);
}

void JobSession::writeReports(const std::vector<std::string>& pathPatterns, JobDrawing& drawing,
                              const std::string& madeOn) const {
    std::vector<std::string> paths;
    for (const std::string& pattern : pathPatterns)
        paths.push_back(pathForJob(pattern, job_.jobName));
    refuseOwnedTargets(job_, paths);
    const review::JobReportInput input = reportInput(madeOn);
    // Every report is made before the first is written: a failure leaves none.
    std::vector<std::string> contents;
    for (const std::string& path : paths) {
        contents.push_back(review::isPdfReportName(path) ? drawing.reportPdf(input, path)
                                                         : review::jobReportText(input));
    }
    OutputFiles files;
    for (std::size_t i = 0; i < paths.size(); ++i) files.add(paths[i]).write(contents[i]);
    files.commit();
}

void JobSession::writeSketch(const SketchRequest& request, JobDrawing& drawing) {
    const std::string path = pathForJob(request.pathPattern, job_.jobName);
    refuseOwnedTargets(job_, {path});
    drawing.writeSketch(sketch(), path, request);
    written_.push_back("sketch: " + path);
}

JobOutcome JobSession::finish(JobObserver& observer, JobDrawing& drawing,
                              const std::string& madeOn) {
    JobOutcome outcome;
    if (!config_.reviewed()) return outcome;
    const auto attempt = [&](const auto& step) {
        try {
            step();
            return true;
        } catch (const std::exception& error) {
            observer.failure(failureMessage(job_.hvdPath, error));
            outcome.failed = true;
            return false;
        }
    };
    if (!review_ && !attempt([&] { review(); })) return outcome;
    if (config_.printReview) observer.report(review_->report.text());
    // Without the review printed, the level runs' findings over their limits
    // and closures are told as zendro-level tells them.
    if (levels_)
        observer.report(
            (config_.printReview ? std::string() : levels::levelFindingsText(*levels_)) +
            levels::levelSummaryText(*levels_, "level runs: ", "level adjustment: "));
    outcome.limitExceeded =
        config_.strict && (review_->report.overLimit > 0 || (levels_ && levels_->strictFailure()));
    if (config_.adjustment) {
        // Exports of other positions than the ones asked for would mislead.
        if (!attempt([&] { adjust(); })) return outcome;
        observer.report(adjustment::adjustmentReport(adjustment_->result, adjustment_->traverses,
                                                     config_.options.unit));
        outcome.limitExceeded =
            outcome.limitExceeded || (config_.strict && adjustment_->failedTest());
    }
    if (config_.sketch) attempt([&] { writeSketch(*config_.sketch, drawing); });
    if (!config_.exports.empty()) attempt([&] { writeExports(config_.exports, config_.csv); });
    if (!config_.reports.empty()) attempt([&] { writeReports(config_.reports, drawing, madeOn); });
    return outcome;
}

}  // namespace zendro
