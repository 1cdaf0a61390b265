#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "features/pf_line_checks.h"
#include "review/plan_frame.h"
#include "review/review_limits.h"

namespace zendro::review {

enum class FindingKind {
    Closure,
    Backsight,
    FacePair,
    CheckShot,
    SeparateFrame,
    FreeStation,  // a setup tied in by the points it read
    AssumedOrientation,
    UnplacedTaped,
    NotInFeatureFile,
    NeverObserved,
    ChainWithoutEnd,
    OnePointChain,
    TwoDescriptions,
    UnreadableLine,  // a point-feature line that does not read as it was meant
    ObsWarning,
    ControlPoint,      // an observed control point against its known position
    ControlBacksight,  // a backsight between control points against their direction
    ControlNotTied,    // a group of points that control could not place
    LevelRun,          // a level run's finding: a reading, a setup, a line or its network
};

// A measured value or a limit as a table shows it: the number it sorts by and
// its text, which may name a second measure ("1:12000, elevation 0.012").
struct FindingValue {
    double number = 0;
    std::string text;
};

// One line of the check report: the record and point it concerns, what was
// measured against which limit, and what to do.
struct Finding {
    FindingKind kind = FindingKind::Closure;
    std::optional<std::size_t> record;  // index in the HVD file, from 0
    std::optional<std::int64_t> point;
    bool overLimit = false;
    std::string text;  // the whole line as printed
    // The parts of `text` a table shows in columns of their own.
    std::optional<FindingValue> measured;
    std::optional<FindingValue> limit;
    std::string verdict;                // "within limit" or "OVER LIMIT" for a measured check
    std::string advice;                 // what to do, when the finding says
    std::optional<std::int64_t> setup;  // the station its record was read from
    // A finding of another file than the HVD file (a level run's): where it
    // was read ("RUN.DAT line 3, Adr 96"), and its point when the job has no
    // number for it ("BM1").
    std::string source;
    std::string pointName;
};

// A finding that is not a measured check: what was found and, after
// `separator`, what to do.
Finding noticeFinding(FindingKind kind, std::optional<std::size_t> record,
                      std::optional<std::int64_t> point, std::string_view found,
                      std::string_view separator = {}, std::string_view advice = {});

// A measured check against its limit; over it, the line ends with what to do.
Finding measuredFinding(FindingKind kind, std::size_t record, std::int64_t point, bool over,
                        std::string_view found, FindingValue measured, FindingValue limit,
                        std::string_view advice);

struct ReviewReport {
    std::vector<Finding> findings;
    std::size_t measuredChecks = 0;  // closures, backsights, face pairs, check shots, free stations
    std::size_t overLimit = 0;
    // Points read from one setup only (not stations, not taped): nothing
    // checks them, whatever the report says of the rest.
    std::size_t observedOnce = 0;

    // "review: N findings, O over limit, C measured checks within limit",
    // and "; points observed once: K, not checked" when there are such.
    std::string summaryLine() const;
    // The verdict a completion notice gives: how many checks are over their
    // limit and the first of them, its setup, point and what to re-measure.
    std::string verdict() const;
    const Finding* firstOverLimit() const;
    // What the points observed once mean for the crew, for the window and the
    // report alike; empty when there are none.
    std::string observedOnceNote() const;
    // Every finding line and the summary, each ended with `lineEnd`.
    std::string text(std::string_view lineEnd = "\n") const;
};

// Everything the report looks at, decoded once.
struct ReviewInput {
    const std::vector<Observation>& records;
    const PointTable& points;
    const JobMeaning& meaning;
    const Plan& plan;
    std::string pointPrefix;
    // The point-feature lines that do not read as meant, when known.
    const std::vector<PfLineProblem>* pfProblems = nullptr;
};

ReviewReport buildReport(const ReviewInput& input, const ReviewLimits& limits);

// Adds findings made outside the review (the control checks) in the report's
// order, counting `measuredChecks` more measured checks and the findings over
// their limits.
void addFindings(ReviewReport& report, std::vector<Finding> findings, std::size_t measuredChecks,
                 const std::vector<Observation>& records);

// The code findings alone: points missing from or never observed in the
// point-feature file, chains without an end or of one point, and point numbers
// with two descriptions.
void addCodeFindings(const ReviewInput& input, std::vector<Finding>& findings);

}  // namespace zendro::review
