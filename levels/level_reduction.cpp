#include "levels/level_reduction.h"

#include <cmath>

namespace zendro::levels {
namespace {

// The arithmetic check holds to the roundoff of summing the readings.
constexpr double kArithmeticTolerance = 1e-9;

double meanStaff(const std::vector<StaffReading>& readings) {
    double sum = 0;
    for (const StaffReading& reading : readings) sum += reading.staff;
    return sum / static_cast<double>(readings.size());
}

double meanRounding(const std::vector<StaffReading>& readings) {
    double sum = 0;
    for (const StaffReading& reading : readings) sum += reading.rounding;
    return sum / static_cast<double>(readings.size());
}

struct MeanDistance {
    std::optional<double> value;
    double rounding = 0;
};

MeanDistance meanDistance(const std::vector<StaffReading>& readings) {
    double sum = 0;
    double rounding = 0;
    for (const StaffReading& reading : readings) {
        if (!reading.distance) return {};
        sum += *reading.distance;
        rounding += reading.distanceRounding;
    }
    const auto count = static_cast<double>(readings.size());
    return {sum / count, rounding / count};
}

class Reduction {
  public:
    Reduction(const LevelLine& line, const Benchmarks& benchmarks, const LevelForms& forms,
              std::vector<LevelFinding>& findings, CheckTally& tally)
        : line_(line), benchmarks_(benchmarks), forms_(forms), findings_(findings), tally_(tally) {}

    ReducedLine run() {
        reduced_.line = &line_;
        startHeight();
        // The level's own heights, carried from its start height.
        std::optional<double> levelHeight;
        double levelRounding = 0;
        if (line_.startHeight) {
            levelHeight = line_.startHeight->value;
            levelRounding = line_.startHeight->rounding;
        }
        double height = reduced_.startHeight;
        double imbalance = 0;
        double sumRounding = 0;  // of the readings summed into the height difference
        double backRounding = 0;
        double foreRounding = 0;
        bool distancesWhole = true;
        for (std::size_t i = 0; i < line_.setups.size(); ++i) {
            const Setup& setup = line_.setups[i];
            BookRow row;
            row.backPoint = setup.backPoint();
            row.forePoint = setup.forePoint();
            row.source = setup.firstSource();
            row.back = meanStaff(setup.backs);
            row.fore = meanStaff(setup.fores);
            row.difference = row.back - row.fore;
            if (setup.backs.size() == 2 && setup.fores.size() == 2)
                row.differenceSpread = (setup.backs[0].staff - setup.fores[0].staff) -
                                       (setup.backs[1].staff - setup.fores[1].staff);
            const MeanDistance back = meanDistance(setup.backs);
            const MeanDistance fore = meanDistance(setup.fores);
            row.backDistance = back.value;
            row.foreDistance = fore.value;
            if (back.value && fore.value) {
                imbalance += *back.value - *fore.value;
                reduced_.backLength += *back.value;
                reduced_.foreLength += *fore.value;
                backRounding += back.rounding;
                foreRounding += fore.rounding;
            } else {
                distancesWhole = false;
            }
            row.imbalance = imbalance;
            row.instrumentHeight = height + row.back;
            height += row.difference;
            row.height = height;
            reduced_.sumBack += row.back;
            reduced_.sumFore += row.fore;
            const double setupRounding = meanRounding(setup.backs) + meanRounding(setup.fores);
            sumRounding += setupRounding;

            for (const IntermediateSight& sight : setup.intermediates) {
                IntermediateRow sightRow;
                sightRow.point = sight.reading.point;
                sightRow.reading = sight.reading.staff;
                sightRow.distance = sight.reading.distance;
                sightRow.height = row.instrumentHeight - sight.reading.staff;
                sightRow.setup = reduced_.rows.size();
                sightRow.source = sight.reading.source;
                reduced_.intermediates.push_back(sightRow);
                if (levelHeight && sight.height)
                    compare("Z of the intermediate sight", sight.height->value, sight.height->rounding,
                            *levelHeight + row.back - sight.reading.staff,
                            levelRounding + meanRounding(setup.backs) + sight.reading.rounding,
                            sight.height->source, sight.reading.point);
            }
            // Each Z against the level's Z before it and this setup's difference:
            // one misread setup makes one finding, not one for every setup after.
            if (levelHeight && setup.height) {
                compare("Z", setup.height->value, setup.height->rounding,
                        *levelHeight + row.difference, levelRounding + setupRounding,
                        setup.height->source, row.forePoint);
                levelHeight = setup.height->value;
                levelRounding = setup.height->rounding;
            } else if (levelHeight) {
                *levelHeight += row.difference;
                levelRounding += setupRounding;
            }
            reduced_.rows.push_back(std::move(row));
        }
        reduced_.endHeight = height;
        const double gained = reduced_.endHeight - reduced_.startHeight;
        reduced_.arithmeticHolds =
            std::abs(reduced_.sumBack - reduced_.sumFore - gained) <=
            kArithmeticTolerance * (1 + reduced_.sumBack + reduced_.sumFore);
        if (line_.end) compareEnd(*line_.end, levelHeight, levelRounding, sumRounding,
                                  distancesWhole, backRounding, foreRounding);
        return std::move(reduced_);
    }

  private:
    void startHeight() {
        const auto known = benchmarks_.find(line_.startPoint);
        if (known != benchmarks_.end()) {
            reduced_.startHeight = known->second.height;
            reduced_.startFrom = StartFrom::Benchmark;
            if (line_.startHeight) {
                ++tally_.measured;
                const double difference = line_.startHeight->value - known->second.height;
                if (std::abs(difference) > line_.startHeight->rounding + 1e-9) {
                    LevelFinding& finding = add(LevelCheck::StartHeight, line_.startHeight->source,
                                                line_.startPoint);
                    finding.what = "the start height typed into the level, " +
                                   forms_.height(line_.startHeight->value) +
                                   ", differs from the control file's " +
                                   forms_.height(known->second.height) + " (line " +
                                   std::to_string(known->second.controlLine) + ") by " +
                                   forms_.heightWithUnit(difference) +
                                   "; the reduction starts from the control file's";
                    finding.advice = "check the benchmark the line started on and the height "
                                     "typed in; the level's own Z and dz are off by as much";
                    finding.over = true;
                    ++tally_.over;
                }
            }
        } else if (line_.startHeight) {
            reduced_.startHeight = line_.startHeight->value;
            reduced_.startFrom = StartFrom::File;
        } else {
            LevelFinding& finding = add(LevelCheck::Sequence, line_.start, line_.startPoint);
            finding.what = "no start height in the file or the control file: heights from 0";
        }
    }

    void compareEnd(const LineEnd& end, std::optional<double> levelHeight, double levelRounding,
                    double sumRounding, bool distancesWhole, double backRounding,
                    double foreRounding) {
        const double rise = reduced_.endHeight - reduced_.startHeight;
        const std::string& point = line_.endPoint();
        if (end.heightSum)
            compare("Sh (the height differences summed)", end.heightSum->value,
                    end.heightSum->rounding, rise, sumRounding, end.heightSum->source, point);
        if (end.height && levelHeight)
            compare("Z at the line's end", end.height->value, end.height->rounding, *levelHeight,
                    levelRounding, end.height->source, point);
        if (distancesWhole && end.backDistances)
            compare("Db (the backsight lengths summed)", end.backDistances->value,
                    end.backDistances->rounding, reduced_.backLength, backRounding,
                    end.backDistances->source, point, true);
        if (distancesWhole && end.foreDistances)
            compare("Df (the foresight lengths summed)", end.foreDistances->value,
                    end.foreDistances->rounding, reduced_.foreLength, foreRounding,
                    end.foreDistances->source, point, true);
        // dz is the level's end height less the height typed in for the end
        // point: against the control file's height where it knows the point.
        const auto known = benchmarks_.find(point);
        if (end.misclosure && line_.startHeight && known != benchmarks_.end()) {
            const double expected = line_.startHeight->value + rise - known->second.height;
            ++tally_.measured;
            const double tolerance = end.misclosure->rounding + line_.startHeight->rounding + sumRounding;
            if (std::abs(end.misclosure->value - expected) > tolerance + 1e-9) {
                LevelFinding& finding = add(LevelCheck::StartHeight, end.misclosure->source, point);
                finding.what = "the level's dz " + forms_.height(end.misclosure->value) +
                               " is not the misclosure on the control file's height " +
                               forms_.height(known->second.height) + " (" +
                               forms_.height(expected) + ")";
                finding.advice = "check the end benchmark's height typed into the level";
                finding.over = true;
                ++tally_.over;
            }
        }
    }

    // The level's printed value against the reduction's, within what the
    // printing of both rounds.
    void compare(const std::string& what, double printed, double printedRounding, double reduced,
                 double reducedRounding, Source source, const std::string& point,
                 bool distance = false) {
        ++tally_.measured;
        const double difference = printed - reduced;
        const double tolerance = printedRounding + reducedRounding;
        if (std::abs(difference) <= tolerance + 1e-9) return;
        LevelFinding& finding = add(LevelCheck::InstrumentRecord, source, point);
        // Sums of lengths to the millimetre the level prints them to.
        const int places = distance ? forms_.distancePlaces + 1 : forms_.heightPlaces;
        finding.what = "the level's " + what + " " + review::decimals(printed, places) +
                       " differs from the reduction's " + review::decimals(reduced, places) + " by " +
                       review::decimals(difference, places) + " " + forms_.symbol() +
                       ", more than their printing rounds (" + review::decimals(tolerance, places) +
                       ")";
        finding.advice = "the file or its reading is wrong: check this setup's lines against the "
                         "level's memory";
        finding.over = true;
        ++tally_.over;
    }

    LevelFinding& add(LevelCheck check, Source source, const std::string& point) {
        findings_.push_back(lineFinding(line_, check, source, point));
        return findings_.back();
    }

    const LevelLine& line_;
    const Benchmarks& benchmarks_;
    const LevelForms& forms_;
    std::vector<LevelFinding>& findings_;
    CheckTally& tally_;
    ReducedLine reduced_;
};

}  // namespace

ReducedLine reduceLine(const LevelLine& line, const Benchmarks& benchmarks, const LevelForms& forms,
                       std::vector<LevelFinding>& findings, CheckTally& tally) {
    return Reduction(line, benchmarks, forms, findings, tally).run();
}

}  // namespace zendro::levels
