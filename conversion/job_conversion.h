#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_sink.h"
#include "common/job_paths.h"
#include "common/line_writer.h"
#include "common/run_observer.h"
#include "conversion/conversion_options.h"
#include "conversion/header_clock.h"
#include "conversion/job_model.h"
#include "conversion/notes_pass.h"
#include "conversion/run_context.h"
#include "features/chain_list.h"
#include "features/pf_reader.h"
#include "features/point_table.h"

namespace zendro {

// The job's field files as bytes; a file the job does not have is absent.
struct JobBytes {
    std::string_view hvd;
    std::optional<std::string_view> rtx;
    std::optional<std::string_view>
        pointFeatureFile;                 // the job's point-feature file, when it has one
    std::optional<std::string_view> ctx;  // read only when there is no point-feature file
};

// Where the outputs go. `trv` is not written in an "OBS Only" run and may then be null.
struct OutputSinks {
    ByteSink& obs;
    ByteSink* trv = nullptr;
};

struct JobConversion {
    // The point-feature file made from the CTX file, for a job that had none.
    std::optional<std::string> newPointFeatureFile;
    std::size_t recordCount = 0;    // whole HVD records converted
    std::size_t pointCount = 0;     // entries of the point-feature file
    std::size_t warningCount = 0;   // warnings given to the observer
    std::vector<ChainList> chains;  // the OBS file's chain section
    // The decoded job, when the run was asked to keep it.
    std::optional<JobModel> model;
};

// The conversion of one job in its three stages: construction reads the tables
// and writes the headers, `feed` converts one HVD record, `finish` writes the
// taped shots, the closing lines and the chain section. convertJob runs it over
// a whole HVD file; tests feed it record by record. No file access.
class JobConverter {
  public:
    JobConverter(const JobPaths& job, const JobBytes& bytes, const ConversionOptions& options,
                 OutputSinks sinks, RunObserver& observer, const HeaderClock& clock,
                 KeepJobModel keep = KeepJobModel::No);
    JobConverter(const JobConverter&) = delete;
    JobConverter& operator=(const JobConverter&) = delete;

    // `record` holds one whole record.
    void feed(std::string_view record);
    void feed(const Observation& observation);
    // Converts the whole HVD file's records, polling for a cancel request.
    void feedAll(std::string_view hvd);
    JobConversion finish();

    const RecordState& state() const { return state_; }
    const TapedColumns& taped() const { return taped_; }

  private:
    const JobPaths& job_;
    const ConversionOptions& options_;
    RunObserver& observer_;
    JobConversion result_;
    bool keepModel_ = false;
    PfEntries pfEntries_;
    PointTable points_;
    std::vector<PfLineProblem> pfProblems_;  // kept for the model
    NotesTable notes_;
    LineWriter trv_;
    LineWriter obs_;
    RecordState state_;
    TapedColumns taped_;
    RunContext run_;
};

// The whole conversion of one job, from its bytes to the sinks, with no file
// access: the point-name pass (when the job has no point-feature file), the
// notes pass, the point-table load, the headers, every HVD record, the taped
// shots and closing lines and the chain section. `job` gives the names that
// messages and headers print. Status texts, progress and warnings go to
// `observer`; a cancel request between records throws RunCancelled. Without
// a `clock` the headers show the time defaultHeaderClock gives.
JobConversion convertJob(const JobPaths& job, const JobBytes& bytes,
                         const ConversionOptions& options, OutputSinks sinks, RunObserver& observer,
                         const HeaderClock& clock = {}, KeepJobModel keep = KeepJobModel::No);

}  // namespace zendro
