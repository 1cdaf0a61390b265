#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "conversion/job_conversion.h"
#include "tests/support/job_builder.h"

namespace zendro::testing {

// The run's own converter fed one HVD record at a time, against a
// point-feature file's text, with the headers it writes left out: what the
// records (and `finish()`'s taped shots and closing lines) write, without the
// chain section.
class JobFeed {
  public:
    explicit JobFeed(std::string_view pfText, ConversionOptions options = trvOptions(),
                     std::string_view rtxBytes = {})
        : pfText_(pfText),
          rtxBytes_(rtxBytes),
          options_(std::move(options)),
          converter_(job_, {{}, rtxBytes_, pfText_, std::nullopt}, options_, {obsSink_, &trvSink_},
                     observer_, fixedHeaderClock({})) {
        clearOutput();
    }

    static ConversionOptions trvOptions() {
        ConversionOptions options;
        options.obsOnly = false;
        return options;
    }

    JobFeed& feed(const std::string& hvdRecordBytes) {
        converter_.feed(hvdRecordBytes);
        return *this;
    }
    JobFeed& finish() {
        converter_.finish();
        // The chain section is the chain tests' business.
        obs_.erase(obs_.rfind("R 99 CHAIN DATA STARTS HERE\r\n"));
        return *this;
    }
    // Forgets the lines written so far; the state stays.
    void clearOutput() {
        trv_.clear();
        obs_.clear();
    }

    const std::string& trv() const { return trv_; }
    const std::string& obs() const { return obs_; }
    const RecordState& state() const { return converter_.state(); }
    const TapedColumns& taped() const { return converter_.taped(); }
    const RecordingObserver& observer() const { return observer_; }

  private:
    std::string pfText_;
    std::string rtxBytes_;
    ConversionOptions options_;
    JobPaths job_ = deriveJobPaths("FEED.HVD");
    std::string trv_;
    std::string obs_;
    StringSink trvSink_{trv_};
    StringSink obsSink_{obs_};
    RecordingObserver observer_;
    JobConverter converter_;
};

}  // namespace zendro::testing
