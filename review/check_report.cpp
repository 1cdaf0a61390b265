// The measured checks: closures, backsights, face pairs and check shots against
// their limits, the frames and orientations the plan had to assume, and the
// warnings the OBS file carries.

#include "review/check_report.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/field_format.h"
#include "conversion/shot_rules.h"
#include "review/finding_text.h"

namespace zendro::review {
namespace {

using field_format::RecordKind;

// The station each record was read from: the setup before it. Nothing for a
// setup record itself and for records before the first setup.
std::vector<std::optional<std::int64_t>> setupsOfRecords(const std::vector<Observation>& records) {
    std::vector<std::optional<std::int64_t>> setups(records.size());
    std::optional<std::int64_t> current;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].recordKind == RecordKind::Setup) {
            current = records[i].pointNumber;
            continue;
        }
        setups[i] = current;
    }
    return setups;
}

// Each finding of a record read from a setup names that setup in its subject.
void nameSetups(std::vector<Finding>& findings,
                const std::vector<std::optional<std::int64_t>>& setups) {
    for (Finding& finding : findings) {
        if (!finding.record || *finding.record >= setups.size() || !setups[*finding.record])
            continue;
        const std::string subject = findingSubject(finding.record, finding.point);
        if (!finding.text.starts_with(subject)) continue;
        finding.setup = setups[*finding.record];
        finding.text.replace(0, subject.size(),
                             findingSubject(finding.record, finding.point, finding.setup));
    }
}

// Points read from one setup only, that no other reading checks: neither
// stations (a traverse reaches them from two sides) nor taped points.
std::size_t pointsObservedOnce(const ReviewInput& input,
                               const std::vector<std::optional<std::int64_t>>& setups) {
    std::size_t once = 0;
    for (const std::int64_t number : input.plan.observedPoints) {
        const PlanPoint* point = input.plan.find(number);
        if (point == nullptr || point->station || point->taped) continue;
        const std::vector<std::size_t>& records = input.plan.recordsOfPoint.at(number);
        std::optional<std::int64_t> first;
        bool others = false;
        for (const std::size_t record : records) {
            if (input.records[record].recordKind == RecordKind::Setup) {
                others = true;
                break;
            }
            if (!first)
                first = setups[record];
            else if (setups[record] != first)
                others = true;
        }
        if (!others) ++once;
    }
    return once;
}

class ReportBuilder {
  public:
    ReportBuilder(const ReviewInput& input, const ReviewLimits& limits, ReviewReport& report)
        : input_(input), limits_(limits), report_(report) {}

    void addMeasured() {
        const Plan& plan = input_.plan;
        for (const ClosureMeasure& closure : plan.closures) addClosure(closure);
        for (const BacksightMeasure& backsight : plan.backsights) addBacksight(backsight);
        for (const FacePairMeasure& pair : plan.facePairs) addFacePair(pair);
        for (const CheckShotMeasure& shot : plan.checkShots) addCheckShot(shot);
        for (std::size_t f = 1; f < plan.frames.size(); ++f) {
            add(noticeFinding(FindingKind::SeparateFrame, plan.frames[f].startRecord,
                              plan.frames[f].startPoint,
                              "setup on a point without a position: separate frame " +
                                  std::to_string(f + 1) + " starts here and is drawn apart",
                              "; ",
                              "tie it in: read two points with positions, with distances, "
                              "from it"));
        }
        for (const FreeStationMeasure& free : plan.freeStations) addFreeStation(free);
        for (const AssumedOrientation& assumed : plan.assumedOrientations) {
            if (assumed.otherFrame) {
                add(noticeFinding(FindingKind::AssumedOrientation, assumed.record, assumed.point,
                                  "orientation on a point of frame " +
                                      std::to_string(*assumed.otherFrame + 1) +
                                      ", which angles alone do not tie this setup to, taken as "
                                      "azimuth 0: the setup's shots are drawn turned",
                                  "; ", "measure the distances to two points with positions"));
                continue;
            }
            add(noticeFinding(FindingKind::AssumedOrientation, assumed.record, assumed.point,
                              "orientation on a point without a position, taken as azimuth 0: "
                              "the setup's shots are drawn turned",
                              "; ", "backsight a point with a position"));
        }
        for (const UnplacedTaped& taped : plan.unplacedTaped) {
            add(noticeFinding(FindingKind::UnplacedTaped, std::nullopt, taped.point,
                              "taped point of entry " + std::to_string(taped.entry) +
                                  " cannot be placed: " + taped.reason));
        }
    }

    void addObsWarnings() {
        const std::vector<Observation>& records = input_.records;
        for (std::size_t i = 0; i < records.size(); ++i) {
            const Observation& record = records[i];
            const RecordKind kind = record.recordKind;
            if (kind < RecordKind::Backsight || kind > RecordKind::Sideshot) continue;
            if (kind == RecordKind::Backsight && record.distance == 0) {
                add(noticeFinding(FindingKind::ObsWarning, i, record.pointNumber,
                                  "OBS warning \"Backsight Distance Error\": no distance was "
                                  "measured (angle only), so the backsight distance is not "
                                  "checked"));
            } else if (kind == RecordKind::Backsight && shot_rules::isShortBacksight(record)) {
                Finding warning =
                    noticeFinding(FindingKind::ObsWarning, i, record.pointNumber,
                                  "OBS warning \"Backsight Distance Error\": distance " +
                                      decimals(record.distance, 3) + " below 10",
                                  ": ", "backsight a farther point");
                warning.measured = FindingValue{record.distance, decimals(record.distance, 3)};
                add(std::move(warning));
            }
            if (shot_rules::isSteepZenith(record)) {
                Finding warning =
                    noticeFinding(FindingKind::ObsWarning, i, record.pointNumber,
                                  "OBS warning \"Vertical Angle less than 10 Degrees\": zenith " +
                                      decimals(record.zenithDegrees, 4) + " degrees",
                                  ": ", "check the zenith reading");
                warning.measured =
                    FindingValue{record.zenithDegrees, decimals(record.zenithDegrees, 4)};
                add(std::move(warning));
            }
        }
    }

  private:
    void add(Finding finding) {
        if (finding.overLimit) ++report_.overLimit;
        report_.findings.push_back(std::move(finding));
    }

    // A measured check is listed when it is over its limit; closures and free
    // stations always.
    // Most checks are within their limits, so their lines are never composed.
    bool listed(FindingKind kind, bool over) {
        ++report_.measuredChecks;
        return over || kind == FindingKind::Closure || kind == FindingKind::FreeStation;
    }

    void addClosure(const ClosureMeasure& c) {
        const double linear = std::hypot(c.north, c.east);
        const bool exact = decimals(linear, 4) == "0.0000";
        const double ratio = exact ? 0 : std::floor(c.traverseLength / linear);
        const bool horizontalOver = !exact && ratio < limits_.closureRatio;
        const bool verticalOver = std::abs(c.elevation) > limits_.closureElevation;
        const bool over = horizontalOver || verticalOver;
        if (!listed(FindingKind::Closure, over)) return;
        const std::string text = "traverse closure: misclosure north " + decimals(c.north, 4) +
                                 " east " + decimals(c.east, 4) + " elevation " +
                                 decimals(c.elevation, 4) + ", linear " + decimals(linear, 4) +
                                 " over " + decimals(c.traverseLength, 3) + ", precision " +
                                 (exact ? std::string("exact") : "1:" + decimals(ratio, 0)) +
                                 "; limit 1:" + decimals(limits_.closureRatio, 0) + ", elevation " +
                                 decimals(limits_.closureElevation, 3);
        // Angles and distances move a closure across; heights and zenith angles move it up.
        std::string advice;
        if (horizontalOver) advice = "re-measure the traverse angles and distances";
        if (verticalOver) {
            advice += advice.empty() ? "" : "; ";
            advice += "check the instrument and target heights and the zenith angles";
        }
        const std::string precision = exact ? std::string("exact") : "1:" + decimals(ratio, 0);
        // An exact closure is the best there is: it sorts after every ratio.
        const double ratioNumber = exact ? std::numeric_limits<double>::infinity() : ratio;
        add(measuredFinding(
            FindingKind::Closure, c.record, c.point, over, text,
            {ratioNumber, precision + ", elevation " + decimals(c.elevation, 4)},
            {limits_.closureRatio, "1:" + decimals(limits_.closureRatio, 0) + ", elevation " +
                                       decimals(limits_.closureElevation, 3)},
            advice));
    }

    void addBacksight(const BacksightMeasure& b) {
        const double distance = b.measuredDistance - b.knownDistance;
        const double rise = b.measuredRise - b.knownRise;
        const bool over = std::abs(distance) > limits_.backsightDistance ||
                          std::abs(rise) > limits_.backsightElevation;
        if (!listed(FindingKind::Backsight, over)) return;
        const std::string text = "backsight check: distance " + decimals(b.measuredDistance, 3) +
                                 " against " + decimals(b.knownDistance, 3) +
                                 " from the positions (" + decimals(distance, 3) +
                                 "), elevation difference " + decimals(b.measuredRise, 3) +
                                 " against " + decimals(b.knownRise, 3) + " (" + decimals(rise, 3) +
                                 "); limit " + decimals(limits_.backsightDistance, 3) +
                                 ", elevation " + decimals(limits_.backsightElevation, 3);
        add(measuredFinding(
            FindingKind::Backsight, b.record, b.point, over, text,
            {std::abs(distance), decimals(distance, 3) + ", elevation " + decimals(rise, 3)},
            {limits_.backsightDistance, decimals(limits_.backsightDistance, 3) + ", elevation " +
                                            decimals(limits_.backsightElevation, 3)},
            "check the backsight point, the instrument and the target heights"));
    }

    void addFacePair(const FacePairMeasure& f) {
        const bool over = std::abs(f.horizontalSeconds) > limits_.faceHorizontalSeconds ||
                          std::abs(f.indexSeconds) > limits_.faceIndexSeconds ||
                          std::abs(f.distanceDifference) > limits_.faceDistance;
        if (!listed(FindingKind::FacePair, over)) return;
        const std::string text = "face pair with HVD record " + std::to_string(f.otherRecord) +
                                 ": horizontal difference " + decimals(f.horizontalSeconds, 1) +
                                 " seconds, vertical index error " + decimals(f.indexSeconds, 1) +
                                 " seconds, distance difference " +
                                 decimals(f.distanceDifference, 3) + "; limit " +
                                 decimals(limits_.faceHorizontalSeconds, 1) + " seconds, " +
                                 decimals(limits_.faceIndexSeconds, 1) + " seconds, " +
                                 decimals(limits_.faceDistance, 3);
        add(measuredFinding(
            FindingKind::FacePair, f.record, f.point, over, text,
            {std::abs(f.horizontalSeconds), decimals(f.horizontalSeconds, 1) + "\", index " +
                                                decimals(f.indexSeconds, 1) + "\", distance " +
                                                decimals(f.distanceDifference, 3)},
            {limits_.faceHorizontalSeconds,
             decimals(limits_.faceHorizontalSeconds, 1) + "\", index " +
                 decimals(limits_.faceIndexSeconds, 1) + "\", distance " +
                 decimals(limits_.faceDistance, 3)},
            "re-measure both faces and check the instrument's adjustment"));
    }

    // The readings that tie a free station are judged once, here: each tie
    // point where its reading puts it from the station, against the check
    // shot's limits.
    void addFreeStation(const FreeStationMeasure& free) {
        std::string points;
        for (const std::int64_t point : free.points)
            points += (points.empty() ? "" : ", ") + std::to_string(point);
        std::string residuals;
        double apart = 0, elevation = 0;
        for (const FreeStationResidual& r : free.residuals) {
            residuals += (residuals.empty() ? "" : "; ") + std::string("HVD record ") +
                         std::to_string(r.record) + " to " + std::to_string(r.point) +
                         " direction " + decimals(r.directionSeconds, 1) + "\" distance " +
                         decimals(r.distance, 3) + " elevation " + decimals(r.elevation, 3);
            apart = std::max(apart, r.apart);
            if (std::abs(r.elevation) > std::abs(elevation)) elevation = r.elevation;
        }
        const bool over =
            apart > limits_.checkShotDistance || std::abs(elevation) > limits_.checkShotElevation;
        if (!listed(FindingKind::FreeStation, over)) return;
        const std::string text = "setup on a point without a position, tied into frame " +
                                 std::to_string(free.frame + 1) +
                                 " as a free station from points " + points +
                                 "; residuals: " + residuals + "; farthest " + decimals(apart, 3) +
                                 " apart, elevation " + decimals(elevation, 3) + "; limit " +
                                 decimals(limits_.checkShotDistance, 3) + ", elevation " +
                                 decimals(limits_.checkShotElevation, 3);
        add(measuredFinding(
            FindingKind::FreeStation, free.record, free.point, over, text,
            {apart, decimals(apart, 3) + ", elevation " + decimals(elevation, 3)},
            {limits_.checkShotDistance, decimals(limits_.checkShotDistance, 3) + ", elevation " +
                                            decimals(limits_.checkShotElevation, 3)},
            "re-measure the readings to the points that tie it, with their target heights"));
    }

    void addCheckShot(const CheckShotMeasure& s) {
        const bool over = s.horizontal > limits_.checkShotDistance ||
                          std::abs(s.elevation) > limits_.checkShotElevation;
        if (!listed(FindingKind::CheckShot, over)) return;
        const std::string text = "check shot against HVD record " + std::to_string(s.firstRecord) +
                                 ": positions " + decimals(s.horizontal, 3) +
                                 " apart, elevation difference " + decimals(s.elevation, 3) +
                                 "; limit " + decimals(limits_.checkShotDistance, 3) +
                                 ", elevation " + decimals(limits_.checkShotElevation, 3);
        add(measuredFinding(
            FindingKind::CheckShot, s.record, s.point, over, text,
            {s.horizontal, decimals(s.horizontal, 3) + ", elevation " + decimals(s.elevation, 3)},
            {limits_.checkShotDistance, decimals(limits_.checkShotDistance, 3) + ", elevation " +
                                            decimals(limits_.checkShotElevation, 3)},
            "re-shoot the point and check both setups"));
    }

    const ReviewInput& input_;
    const ReviewLimits& limits_;
    ReviewReport& report_;
};

// Findings of a record in HVD order; those of the point-feature file after them.
void sortFindings(std::vector<Finding>& findings) {
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        if (!a.record || !b.record) return a.record.has_value() && !b.record;
        return *a.record < *b.record;
    });
}

}  // namespace

Finding noticeFinding(FindingKind kind, std::optional<std::size_t> record,
                      std::optional<std::int64_t> point, std::string_view found,
                      std::string_view separator, std::string_view advice) {
    Finding finding{kind, record,       point, false, findingSubject(record, point), {}, {}, {},
                    {},   std::nullopt, {},    {}};
    finding.text.append(found).append(separator).append(advice);
    finding.advice = advice;
    return finding;
}

Finding measuredFinding(FindingKind kind, std::size_t record, std::int64_t point, bool over,
                        std::string_view found, FindingValue measured, FindingValue limit,
                        std::string_view advice) {
    Finding finding{kind,
                    record,
                    point,
                    over,
                    findingSubject(record, point),
                    std::move(measured),
                    std::move(limit),
                    {},
                    {},
                    std::nullopt,
                    {},
                    {}};
    finding.text.append(found).append(verdictText(over, advice));
    finding.verdict = over ? "OVER LIMIT" : "within limit";
    if (over) finding.advice = advice;
    return finding;
}

ReviewReport buildReport(const ReviewInput& input, const ReviewLimits& limits) {
    ReviewReport report;
    ReportBuilder builder(input, limits, report);
    builder.addMeasured();
    builder.addObsWarnings();
    addCodeFindings(input, report.findings);
    const std::vector<std::optional<std::int64_t>> setups = setupsOfRecords(input.records);
    nameSetups(report.findings, setups);
    report.observedOnce = pointsObservedOnce(input, setups);
    sortFindings(report.findings);
    return report;
}

void addFindings(ReviewReport& report, std::vector<Finding> findings, std::size_t measuredChecks,
                 const std::vector<Observation>& records) {
    report.measuredChecks += measuredChecks;
    nameSetups(findings, setupsOfRecords(records));
    for (Finding& finding : findings) {
        if (finding.overLimit) ++report.overLimit;
        report.findings.push_back(std::move(finding));
    }
    sortFindings(report.findings);
}

std::string ReviewReport::summaryLine() const {
    std::string line = "review: " + std::to_string(findings.size()) + " findings, " +
                       std::to_string(overLimit) + " over limit, " +
                       std::to_string(measuredChecks - overLimit) + " measured checks within limit";
    if (observedOnce > 0)
        line += "; points observed once: " + std::to_string(observedOnce) + ", not checked";
    return line;
}

const Finding* ReviewReport::firstOverLimit() const {
    const auto found = std::find_if(findings.begin(), findings.end(),
                                    [](const Finding& finding) { return finding.overLimit; });
    return found == findings.end() ? nullptr : &*found;
}

std::string ReviewReport::verdict() const {
    const Finding* first = firstOverLimit();
    if (first == nullptr) return "no review check over its limit";
    std::string text = std::to_string(overLimit) +
                       (overLimit == 1 ? " review check over its limit: "
                                       : " review checks over their limits, the first: ");
    text += findingSubject(first->record, first->point, first->setup);
    return text + first->advice;
}

std::string ReviewReport::observedOnceNote() const {
    if (observedOnce == 0) return {};
    return "Points observed once: " + std::to_string(observedOnce) +
           ", not checked: no other reading measures them, so neither the review nor an "
           "adjustment can find a blunder in them; shoot them again from another setup to "
           "check them";
}

std::string ReviewReport::text(std::string_view lineEnd) const {
    std::size_t size = summaryLine().size() + lineEnd.size();
    for (const Finding& finding : findings) size += finding.text.size() + lineEnd.size();
    std::string out;
    out.reserve(size);
    for (const Finding& finding : findings) out.append(finding.text).append(lineEnd);
    return out.append(summaryLine()).append(lineEnd);
}

}  // namespace zendro::review
