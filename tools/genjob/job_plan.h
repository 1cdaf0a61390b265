#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/genjob/field_encoding.h"
#include "tools/genjob/true_position.h"

// A made-up but plausible highway topo job: a traverse along the road with
// cross sections shot from every setup, the feature codes forming chains, a few
// taped offsets, two-feature points and field notes.
namespace zendro::genjob {

// Jobs stay within what a data collector holds: description records keep
// point numbers below 32768, and the notes fit one job's RTX file.
inline constexpr std::size_t kMaxFeatureEntries = 30000;
inline constexpr std::size_t kMaxNoteRecords = 30000;
inline constexpr std::size_t kMinPoints = 3;

struct JobShape {
    std::string jobName = "JOB";
    std::size_t points = 40;          // description records (points keyed in the field)
    std::size_t recordsPerPoint = 0;  // 0: a single pass; else re-observe up to points x this
    std::uint32_t seed = 1;
};

// One description record of the CTX file.
struct PlannedPoint {
    std::uint16_t number = 0;
    std::string description;  // as keyed: "+EP", "EP*,ASPH", "EP~FL", "TAPE BC", ...
};

// What ended up in a job, for the summary the tools print.
struct JobCounts {
    std::size_t featureEntries = 0;  // points plus second features
    std::size_t taped = 0;
    std::size_t twoFeature = 0;
    std::size_t curvePoints = 0;
    std::size_t chainStarts = 0;
    std::size_t chainEnds = 0;
    std::size_t withComment = 0;
    std::size_t noteMarkers = 0;
    std::size_t noteRecords = 0;
};

struct JobPlan {
    std::string jobName;
    std::vector<Observation> observations;  // HVD records in file order
    std::vector<PlannedPoint> points;       // CTX records in file order
    std::vector<std::string> notes;         // RTX notes in file order
    std::vector<TruePoint> truth;           // where each point really is, when the plan knows

    JobCounts counts() const;
};

// What every generated job starts with, as a collector writes it: the unit
// and system records, the job-start stamp, then four job notes with the five
// note markers the converter passes over. Returns the note records added.
std::size_t appendJobStart(JobPlan& plan, const std::string& jobName);

// The same shape and seed always give the same plan, on any platform: the
// random numbers come from std::mt19937 through distributions of our own, and
// all angle arithmetic is done on whole tenths of a second.
// Throws std::invalid_argument for fewer than kMinPoints points.
JobPlan planJob(const JobShape& shape);

}  // namespace zendro::genjob
