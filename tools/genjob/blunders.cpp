#include "tools/genjob/blunders.h"

#include <cmath>
#include <cstdio>
#include <string_view>
#include <unordered_set>

#include "common/errors.h"
#include "tools/genjob/dice.h"

namespace zendro::genjob {

namespace {

enum class Target { Angle, Distance, Height };

// Kept apart from the job's seed, so drawing a record changes no reading.
constexpr std::uint32_t kBlunderStream = 0x5EEDB10Du;

std::string_view kindName(RecordKind kind) {
    switch (kind) {
        case RecordKind::Setup:
            return "setup on";
        case RecordKind::Backsight:
            return "backsight to";
        case RecordKind::Traverse:
            return "traverse to";
        case RecordKind::Sideshot:
            return "sideshot to";
        default:
            return "";
    }
}

using TapedPoints = std::unordered_set<std::uint16_t>;

TapedPoints tapedPoints(const JobPlan& plan) {
    TapedPoints taped;
    for (const PlannedPoint& planned : plan.points) {
        if (planned.description.starts_with("TAPE")) taped.insert(planned.number);
    }
    return taped;
}

// Why `observation` cannot take a blunder of `target`, or empty when it can.
std::string refusal(const TapedPoints& taped, const Observation& observation, Target target) {
    const RecordKind kind = observation.kind;
    const bool shot = kind == RecordKind::Backsight || kind == RecordKind::Traverse ||
                      kind == RecordKind::Sideshot;
    if (!shot && !(target == Target::Height && kind == RecordKind::Setup)) {
        return target == Target::Height ? "it is no setup, backsight, traverse or sideshot"
                                        : "it is no backsight, traverse or sideshot";
    }
    if (shot && taped.contains(observation.point)) return "it holds a taped measurement";
    if (target == Target::Distance && observation.distanceTenThousandths == 0) {
        return "it has no distance";
    }
    return {};
}

std::int64_t tenthsOfPacked(std::uint32_t packed) {
    const std::int64_t degrees = packed / 100000;
    const std::int64_t minutes = packed / 1000 % 100;
    const std::int64_t tenths = packed % 1000;
    return degrees * kTenthsPerDegree + minutes * 600 + tenths;
}

std::string signedText(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%+.*f", digits, value);
    return text;
}

class Planter {
  public:
    Planter(JobPlan& plan, const BlunderRequest& request)
        : plan_(plan), request_(request), taped_(tapedPoints(plan)), dice_(request.seed ^ kBlunderStream) {}

    PlantedBlunder plant(Target target, double amount) {
        const std::size_t index = request_.record ? *request_.record : draw(target);
        if (index >= plan_.observations.size()) {
            throw ZendroError("--blunder-record " + std::to_string(index) + ": the job has " +
                              std::to_string(plan_.observations.size()) + " records");
        }
        Observation& observation = plan_.observations[index];
        const std::string why = refusal(taped_, observation, target);
        if (!why.empty()) {
            throw ZendroError("--blunder-record " + std::to_string(index) +
                              ": cannot take a blunder: " + why);
        }
        std::string what;
        if (target == Target::Angle) {
            const std::int64_t tenths = std::llround(amount * 10);
            observation.horizontal = packAngle(tenthsOfPacked(observation.horizontal) + tenths);
            what = "horizontal angle " + signedText(static_cast<double>(tenths) / 10, 1) + "\"";
        } else if (target == Target::Distance) {
            const std::int64_t change = std::llround(amount * 10000);
            const std::int64_t changed = std::int64_t{observation.distanceTenThousandths} + change;
            if (changed < 0 || changed > 0xFFFFFFFFll) {
                throw ZendroError("--blunder-distance: the distance of record " +
                                  std::to_string(index) + " would leave its range");
            }
            observation.distanceTenThousandths = static_cast<std::uint32_t>(changed);
            what = "slope distance " + signedText(static_cast<double>(change) / 10000, 4);
        } else {
            const std::int64_t change = std::llround(amount * 100);
            const std::int64_t changed = std::int64_t{observation.heightHundredths} + change;
            if (changed < 0 || changed > 0xFFFF) {
                throw ZendroError("--blunder-height: the height of record " +
                                  std::to_string(index) + " would leave its range");
            }
            observation.heightHundredths = static_cast<std::uint16_t>(changed);
            what = std::string(observation.kind == RecordKind::Setup ? "instrument" : "target") +
                   " height " + signedText(static_cast<double>(change) / 100, 2);
        }
        return {index, "blunder: record " + std::to_string(index) + " (" +
                           std::string(kindName(observation.kind)) + " point " +
                           std::to_string(observation.point) + "): " + what};
    }

  private:
    std::size_t draw(Target target) {
        std::vector<std::size_t> candidates;
        for (std::size_t i = 0; i < plan_.observations.size(); ++i) {
            const RecordKind kind = plan_.observations[i].kind;
            if (kind == RecordKind::Setup) continue;  // a drawn blunder lands on a shot
            if (refusal(taped_, plan_.observations[i], target).empty()) candidates.push_back(i);
        }
        if (candidates.empty()) throw ZendroError("the job has no record to take a blunder");
        return candidates[static_cast<std::size_t>(
            dice_.between(0, static_cast<std::int64_t>(candidates.size()) - 1))];
    }

    JobPlan& plan_;
    const BlunderRequest& request_;
    TapedPoints taped_;
    Dice dice_;
};

}  // namespace

std::vector<PlantedBlunder> plantBlunders(JobPlan& plan, const BlunderRequest& request) {
    Planter planter(plan, request);
    std::vector<PlantedBlunder> planted;
    if (request.angleSeconds) planted.push_back(planter.plant(Target::Angle, *request.angleSeconds));
    if (request.distance) planted.push_back(planter.plant(Target::Distance, *request.distance));
    if (request.height) planted.push_back(planter.plant(Target::Height, *request.height));
    return planted;
}

}  // namespace zendro::genjob
