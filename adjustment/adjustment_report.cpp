#include "adjustment/adjustment_report.h"

#include <cmath>

#include "common/text_forms.h"

namespace zendro::adjustment {
namespace {

std::string places(double value, int count) {
    return std::string(fixedPlaces(value, count, 1).view());
}

// The sign follows the printed digits: a value that rounds to zero is "+0.0000"
// whichever side of zero it lay.
std::string signedPlaces(double value, int count) {
    std::string text = places(value, count);
    return text.starts_with('-') ? text : "+" + text;
}

std::string residualText(const ObservationResidual& r, std::string_view unit) {
    if (r.kind == ObservationKind::Direction) return signedPlaces(r.residual, 1) + "\"";
    return signedPlaces(r.residual, 4) + " " + std::string(unit);
}

std::string observationText(const ObservationResidual& r) {
    std::string text(observationKindName(r.kind));
    if (r.record == kNoRecord) return text + " of point " + std::to_string(r.from);
    return "HVD record " + std::to_string(r.record) + ", " + text + " from point " +
           std::to_string(r.from) + " to point " + std::to_string(r.to);
}

// "passed", or which side of its bounds the statistic fell: above, the readings
// are worse than the deviations say; below, the deviations are too pessimistic.
std::string verdict(bool passed, double statistic, double upper) {
    if (passed) return "passed";
    return statistic > upper ? "failed high" : "failed low";
}

std::string partLine(const char* name, const PartStatistics& part) {
    std::string line = std::string("  ") + name + ": " + std::to_string(part.observations) +
                       " observations, " + std::to_string(part.unknowns) + " unknowns, " +
                       std::to_string(part.degreesOfFreedom) + " degrees of freedom";
    if (part.degreesOfFreedom <= 0) return line + ", no redundancy: not tested\n";
    const double statistic = part.varianceFactor * part.degreesOfFreedom;
    return line + ", variance factor " + places(part.varianceFactor, 3) + ", chi-square " +
           places(statistic, 2) + " against " + places(part.chiSquareLower, 2) + " to " +
           places(part.chiSquareUpper, 2) + ": " +
           verdict(part.chiSquarePassed, statistic, part.chiSquareUpper) + "\n";
}

std::string numberList(const std::vector<std::int64_t>& numbers) {
    std::string text;
    for (const std::int64_t number : numbers) text += (text.empty() ? "" : ", ") + std::to_string(number);
    return text;
}

void addTraverse(std::string& out, const CompassTraverse& t, const std::string& unit) {
    std::string path;
    for (const std::int64_t point : t.stations) path += (path.empty() ? "" : "-") + std::to_string(point);
    if (t.closed) path += "-" + std::to_string(t.stations.front());
    out += std::string("  ") + (t.closed ? "Closed" : "Connecting") + " traverse " + path + ": " +
           std::to_string(t.angles) + " angles, angular misclosure " +
           signedPlaces(t.angularMisclosureSeconds, 1) + "\" (limit " +
           places(t.angularLimitSeconds, 1) + "\"): " +
           (t.angularWithinLimit ? "within" : "over the limit") + "\n";
    out += "    linear misclosure N " + signedPlaces(t.misclosureNorth, 4) + " E " +
           signedPlaces(t.misclosureEast, 4) + " " + unit + " over " + places(t.length, 3) + " " +
           unit + ", precision " +
           (t.precisionRatio > 0 ? "1:" + places(std::round(t.precisionRatio), 0) : "exact") + "\n";
    for (const CompassPoint& p : t.adjusted) {
        out += "    " + std::to_string(p.number) + "  N " + places(p.north, 4) + "  E " +
               places(p.east, 4) + "\n";
    }
}

}  // namespace

std::string blunderText(const AdjustmentResult& result, LengthUnit unit) {
    if (!result.blunder) return {};
    const ObservationResidual& r = result.residuals[result.blunder->residualIndex];
    return "Probable blunder: " + observationText(r) + ": residual " +
           residualText(r, unitSymbol(unit)) + ", standardized " +
           signedPlaces(r.standardized, 2) + " (limit " + places(result.blunderLimit, 2) +
           "): " + result.blunder->advice;
}

std::string overallTestText(const AdjustmentResult& result) {
    std::string text = "Variance factor " + places(result.varianceFactor, 3) + ", " +
                       std::to_string(result.degreesOfFreedom) + " degrees of freedom";
    if (result.degreesOfFreedom <= 0) return text + ", no redundancy: not tested";
    const double statistic = result.varianceFactor * result.degreesOfFreedom;
    return text + ", chi-square " + places(statistic, 2) + " against " +
           places(result.chiSquareLower, 2) + " to " + places(result.chiSquareUpper, 2) + ": " +
           verdict(result.chiSquarePassed, statistic, result.chiSquareUpper);
}

std::string overallTestAdvice(const AdjustmentResult& result) {
    if (result.degreesOfFreedom <= 0 || result.chiSquarePassed) return {};
    if (result.varianceFactor * result.degreesOfFreedom > result.chiSquareUpper)
        return "Failed high: the readings scatter more than the a priori deviations allow; check "
               "the instrument, its centring and the deviations given, then the largest residuals";
    return "Failed low: the a priori deviations are pessimistic for this instrument; nothing to "
           "re-measure";
}

std::string adjustmentReport(const AdjustmentResult& result,
                             const std::vector<CompassTraverse>& traverses, LengthUnit lengthUnit) {
    const std::string unit(unitSymbol(lengthUnit));
    std::string out = "Least-squares adjustment\n";
    if (result.blunder) out += "  " + blunderText(result, lengthUnit) + "\n";
    out += partLine("Horizontal", result.horizontal);
    out += partLine("Vertical", result.vertical);
    out += "  " + std::to_string(result.iterations) + " iterations, " +
           (result.converged ? "converged" : "NOT converged") + "\n";
    out += std::string("  Point  North  East  Elevation  sN  sE  sZ  95% ellipse major, minor (") +
           unit + "), azimuth\n";
    for (const coordinates::PointPosition& p : result.positions.points) {
        if (!p.precision) continue;
        const coordinates::PointPrecision& q = *p.precision;
        out += "  " + std::to_string(p.number) + "  " + places(p.north, 4) + "  " + places(p.east, 4) +
               "  " + places(p.elevation, 4) + "  " + places(q.sigmaNorth, 4) + "  " +
               places(q.sigmaEast, 4) + "  " + places(q.sigmaElevation, 4) + "  " +
               places(q.ellipseMajor, 4) + "  " + places(q.ellipseMinor, 4) + "  " +
               places(q.ellipseAzimuthDegrees, 1) + "\n";
    }
    if (!result.held.empty()) out += "  Held: " + numberList(result.held) + "\n";
    if (!result.notChecked.empty()) {
        out += "  Not checked (no redundancy): " + numberList(result.notChecked) + "\n";
    }
    if (!result.notDetermined.empty()) {
        out += "  Not determined (left where they were): " + numberList(result.notDetermined) + "\n";
    }
    if (!traverses.empty()) out += "Compass-rule traverses\n";
    for (const CompassTraverse& t : traverses) addTraverse(out, t, unit);
    return out;
}

}  // namespace zendro::adjustment
