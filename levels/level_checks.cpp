#include "levels/level_checks.h"

#include <algorithm>
#include <cmath>

namespace zendro::levels {
namespace {

using review::LevelLimits;

class LineChecks {
  public:
    LineChecks(ReducedLine& reduced, const Benchmarks& benchmarks, const LevelLimits& limits,
               const LevelForms& forms, std::vector<LevelFinding>& findings, CheckTally& tally)
        : reduced_(reduced), line_(*reduced.line), benchmarks_(benchmarks), limits_(limits),
          forms_(forms), findings_(findings), tally_(tally) {}

    void run() {
        closure();
        for (std::size_t i = 0; i < line_.setups.size(); ++i) setup(line_.setups[i], reduced_.rows[i]);
        lineImbalance();
        markedReadings();
    }

  private:
    void closure() {
        const std::string& from = line_.startPoint;
        const std::string& to = line_.endPoint();
        const auto start = benchmarks_.find(from);
        const auto end = benchmarks_.find(to);
        LineClosure& closure = reduced_.closure;
        const double rise = reduced_.endHeight - reduced_.startHeight;
        const Source at = line_.end ? line_.end->source : line_.start;
        if (!from.empty() && from == to && !line_.setups.empty()) {
            closure.kind = ClosureKind::Loop;
            closure.misclosure = rise;
        } else if (start != benchmarks_.end() && end != benchmarks_.end()) {
            closure.kind = ClosureKind::BetweenBenchmarks;
            closure.misclosure = start->second.height + rise - end->second.height;
        } else {
            LevelFinding& finding = add(LevelCheck::Closure, at, to);
            finding.what = "open line from " + nameOf(from) + " to " + nameOf(to) +
                           ": no benchmark at both ends to close on (the adjustment checks it "
                           "where it meets other lines)";
            return;
        }
        closure.allowance =
            review::rootLengthAllowance(limits_.misclosureK, reduced_.length(), forms_.unit);
        closure.over = std::abs(closure.misclosure) > closure.allowance;
        LevelFinding& finding = measured(LevelCheck::Closure, at, to, closure.over);
        finding.value = {std::abs(closure.misclosure), forms_.heightWithUnit(closure.misclosure)};
        finding.limit = {closure.allowance, forms_.heightWithUnit(closure.allowance)};
        finding.what = std::string(closure.kind == ClosureKind::Loop ? "loop" : "line") + " from " +
                       nameOf(from) + " to " + nameOf(to) + ", " +
                       forms_.distanceWithUnit(reduced_.length()) + " long: misclosure " +
                       forms_.heightWithUnit(closure.misclosure) + ", allowance " +
                       forms_.heightWithUnit(closure.allowance) + " (" +
                       levelLimitText(&LevelLimits::misclosureK, limits_.misclosureK, forms_.unit) +
                       ")";
        finding.advice = "re-run the line, first the setups with findings";
    }

    void setup(const Setup& setup, const BookRow& row) {
        if (row.backDistance && row.foreDistance) {
            const double imbalance = *row.backDistance - *row.foreDistance;
            ++tally_.measured;
            if (std::abs(imbalance) > limits_.setupImbalance) {
                LevelFinding& finding =
                    measured(LevelCheck::SetupImbalance, row.source, row.backPoint, true, false);
                valued(finding, std::abs(imbalance), forms_.distanceWithUnit(imbalance),
                       limits_.setupImbalance, forms_.distanceWithUnit(limits_.setupImbalance));
                finding.what = "setup from " + nameOf(row.backPoint) + " to " +
                               nameOf(row.forePoint) + ": sight imbalance " +
                               forms_.distanceWithUnit(imbalance) + " (back " +
                               forms_.distance(*row.backDistance) + ", fore " +
                               forms_.distance(*row.foreDistance) + "); " +
                               levelLimitText(&LevelLimits::setupImbalance, limits_.setupImbalance,
                                              forms_.unit);
                finding.advice = "re-measure the setup with the level midway between the staffs";
            }
        }
        const StaffReading* longest = nullptr;
        const StaffReading* lowest = nullptr;
        for (const auto* side : {&setup.backs, &setup.fores}) {
            for (const StaffReading& reading : *side) {
                if (reading.distance && (longest == nullptr || *reading.distance > *longest->distance))
                    longest = &reading;
                if (lowest == nullptr || reading.staff < lowest->staff) lowest = &reading;
            }
        }
        if (longest != nullptr) {
            ++tally_.measured;
            if (*longest->distance > limits_.longestSight) {
                LevelFinding& finding =
                    measured(LevelCheck::LongestSight, longest->source, longest->point, true, false);
                valued(finding, *longest->distance, forms_.distanceWithUnit(*longest->distance),
                       limits_.longestSight, forms_.distanceWithUnit(limits_.longestSight));
                finding.what = "sight of " + forms_.distanceWithUnit(*longest->distance) + "; " +
                               levelLimitText(&LevelLimits::longestSight, limits_.longestSight,
                                              forms_.unit);
                finding.advice = "re-measure the setup with shorter sights";
            }
        }
        if (lowest != nullptr) {
            ++tally_.measured;
            if (lowest->staff < limits_.lowestReading) {
                LevelFinding& finding =
                    measured(LevelCheck::LowestReading, lowest->source, lowest->point, true, false);
                valued(finding, lowest->staff, forms_.heightWithUnit(lowest->staff),
                       limits_.lowestReading, forms_.heightWithUnit(limits_.lowestReading));
                finding.what = "staff reading " + forms_.heightWithUnit(lowest->staff) + "; " +
                               levelLimitText(&LevelLimits::lowestReading, limits_.lowestReading,
                                              forms_.unit);
                finding.advice = "re-measure the setup with the line of sight higher above the "
                                 "ground";
            }
        }
        if (row.differenceSpread) {
            ++tally_.measured;
            const double limit = review::fineLengthInUnit(limits_.doubleDifference, forms_.unit);
            if (std::abs(*row.differenceSpread) > limit) {
                LevelFinding& finding = measured(LevelCheck::DoubleDifference, row.source,
                                                 row.backPoint, true, false);
                valued(finding, std::abs(*row.differenceSpread),
                       forms_.heightWithUnit(*row.differenceSpread), limit,
                       forms_.heightWithUnit(limit));
                finding.what = "setup from " + nameOf(row.backPoint) + " to " +
                               nameOf(row.forePoint) + ": its two height differences differ by " +
                               forms_.heightWithUnit(*row.differenceSpread) + "; " +
                               levelLimitText(&LevelLimits::doubleDifference,
                                              limits_.doubleDifference, forms_.unit);
                finding.advice = "re-measure the setup";
            }
        }
    }

    void lineImbalance() {
        if (reduced_.rows.empty()) return;
        const BookRow& last = reduced_.rows.back();
        ++tally_.measured;
        if (std::abs(last.imbalance) <= limits_.lineImbalance) return;
        LevelFinding& finding = measured(LevelCheck::LineImbalance,
                                         line_.end ? line_.end->source : last.source,
                                         last.forePoint, true, false);
        valued(finding, std::abs(last.imbalance), forms_.distanceWithUnit(last.imbalance),
               limits_.lineImbalance, forms_.distanceWithUnit(limits_.lineImbalance));
        finding.what = "the line's sight imbalance at its end is " +
                       forms_.distanceWithUnit(last.imbalance) + " (back " +
                       forms_.distance(reduced_.backLength) + ", fore " +
                       forms_.distance(reduced_.foreLength) + "); " +
                       levelLimitText(&LevelLimits::lineImbalance, limits_.lineImbalance,
                                      forms_.unit);
        finding.advice = "re-run the line with its sights balanced as it goes";
    }

    void markedReadings() {
        std::vector<std::size_t> addresses;
        Source first;
        for (const Setup& setup : line_.setups) {
            const auto mark = [&](const StaffReading& reading) {
                if (!reading.marked) return;
                if (addresses.empty()) first = reading.source;
                addresses.push_back(reading.source.address);
            };
            for (const StaffReading& reading : setup.backs) mark(reading);
            for (const StaffReading& reading : setup.fores) mark(reading);
            for (const IntermediateSight& sight : setup.intermediates) mark(sight.reading);
        }
        ++tally_.measured;
        if (static_cast<double>(addresses.size()) <= limits_.markedReadings) return;
        std::sort(addresses.begin(), addresses.end());
        LevelFinding& finding = measured(LevelCheck::MarkedReadings, first, "", true, false);
        valued(finding, static_cast<double>(addresses.size()), std::to_string(addresses.size()),
               limits_.markedReadings, review::decimals(limits_.markedReadings, 0));
        finding.what = std::to_string(addresses.size()) + " reading(s) marked e by the level (Adr " +
                       rangesText(addresses) + "); " +
                       levelLimitText(&LevelLimits::markedReadings, limits_.markedReadings,
                                      forms_.unit);
        finding.advice = "re-measure the readings the level marked";
    }

    static std::string nameOf(const std::string& point) {
        return point.empty() ? "a point without id" : point;
    }

    static void valued(LevelFinding& finding, double value, std::string valueText, double limit,
                       std::string limitText) {
        finding.value = {value, std::move(valueText)};
        finding.limit = {limit, std::move(limitText)};
    }

    LevelFinding& add(LevelCheck check, Source source, const std::string& point) {
        findings_.push_back(lineFinding(line_, check, source, point));
        return findings_.back();
    }

    // A measured check: counted, and a finding when over or when `listed`.
    LevelFinding& measured(LevelCheck check, Source source, const std::string& point, bool over,
                           bool count = true) {
        if (count) ++tally_.measured;
        if (over) ++tally_.over;
        LevelFinding& finding = add(check, source, point);
        finding.measured = true;
        finding.over = over;
        return finding;
    }

    ReducedLine& reduced_;
    const LevelLine& line_;
    const Benchmarks& benchmarks_;
    const LevelLimits& limits_;
    const LevelForms& forms_;
    std::vector<LevelFinding>& findings_;
    CheckTally& tally_;
};

}  // namespace

std::string levelLimitText(double review::LevelLimits::*field, double value, LengthUnit unit) {
    for (const review::LimitDefinition& limit : review::limitTable(review::LimitGroup::Level))
        if (limit.levelField == field) return "limit " + review::limitText(limit, value, unit);
    return "limit " + review::decimals(value, 3);
}

void checkLine(ReducedLine& reduced, const Benchmarks& benchmarks, const review::LevelLimits& limits,
               const LevelForms& forms, std::vector<LevelFinding>& findings, CheckTally& tally) {
    LineChecks(reduced, benchmarks, limits, forms, findings, tally).run();
}

}  // namespace zendro::levels
