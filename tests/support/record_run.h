#pragma once

#include <string>
#include <string_view>

#include "conversion/record_dispatch.h"
#include "conversion/record_handlers.h"
#include "tests/support/job_builder.h"

namespace zendro::testing {

// Runs records through the dispatch against a point-feature file's text and
// collects the TRV and OBS lines they write (no headers, no chain section).
class RecordRun {
  public:
    explicit RecordRun(std::string_view pfText, ConversionOptions options = trvOptions(),
                       std::string_view rtxBytes = {});

    static ConversionOptions trvOptions() {
        ConversionOptions options;
        options.obsOnly = false;
        return options;
    }

    RecordRun& feed(const std::string& hvdRecordBytes);
    // The taped shots and the closing lines.
    RecordRun& finish();
    // Forgets the lines written so far; the state stays.
    void clearOutput();

    const std::string& trv() const { return trvText_; }
    const std::string& obs() const { return obsText_; }
    const RecordState& state() const { return state_; }
    const TapedColumns& taped() const { return taped_; }
    const RecordingObserver& observer() const { return observer_; }

  private:
    ConversionOptions options_;
    PointTable points_;
    RecordingObserver observer_;
    NotesTable notes_;
    TapedColumns taped_;
    RecordState state_;
    std::string trvText_;
    std::string obsText_;
    LineWriter trv_;
    LineWriter obs_;
    RunContext run_;
};

}  // namespace zendro::testing
