#pragma once

// What every export writes, gathered once from the job: the positioned points
// with the entry their OBS lines carry, and the OBS file's chains as lists of
// those points.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/length_unit.h"
#include "conversion/job_meaning.h"
#include "exports/export_job.h"

namespace zendro::exports {

// The height sources the files name.
inline constexpr std::string_view kLevelRunHeight = "level run";
inline constexpr std::string_view kSurveyHeight = "total station";

struct ExportPoint {
    std::int64_t number = 0;
    std::string name;         // the number as text: "1001"
    std::string description;  // of the entry its OBS lines carry, as read (Latin-1)
    std::string comment;      // likewise
    // The feature of the first chain the point is on, else its description.
    std::string featureCode;
    double north = 0;
    double east = 0;
    double elevation = 0;
    bool station = false;
    const TapedOffset* taped = nullptr;  // placed by its tape, not by a reading
    // With level runs: "level run" when the adjustment held the point's
    // height to a level run's, else "total station".
    std::string_view heightSource;
};

struct ExportChain {
    std::string name;  // as the OBS file names it, run suffix included
    std::string feature;
    // Indices into ExportContents::points along the chain; a closed chain
    // repeats its start at the end.
    std::vector<std::size_t> vertices;
    bool closed = false;
};

struct ExportContents {
    std::vector<ExportPoint> points;  // in the order first observed
    // Every chain with two or more positioned places: a place without a
    // position (never observed, or named by text) is left out of its line.
    std::vector<ExportChain> chains;
    std::string frameName;  // "local", "tied to control", "adjusted"
    bool levelled = false;  // the job has level runs: the files say where each height came from
    LengthUnit unit = kDefaultFootUnit;

    // "HWY12-3: local frame, US survey feet": what each file says it holds.
    std::string summary(const std::string& jobName) const;
};

// Throws ZendroError naming `fileName` when the job lacks its options, review
// or positions, or when the system's unit is not the job's.
ExportContents exportContents(const ExportJob& job, const std::string& fileName);

}  // namespace zendro::exports
