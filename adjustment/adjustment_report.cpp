#include "adjustment/adjustment_report.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "common/text_forms.h"

namespace zendro::adjustment {
namespace {

using review::CellAlign;

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

// What a failed test means for the crew: above its bounds, below them.
std::string testMeaning(bool high) {
    return high ? "the readings scatter more than the a priori deviations allow; check the "
                  "instrument, its centring and the deviations given, then the largest residuals"
                : "the a priori deviations are pessimistic for this instrument; nothing to "
                  "re-measure";
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
    for (const std::int64_t number : numbers)
        text += (text.empty() ? "" : ", ") + std::to_string(number);
    return text;
}

void addTraverse(std::string& out, const CompassTraverse& t, const std::string& unit) {
    std::string path;
    for (const std::int64_t point : t.stations)
        path += (path.empty() ? "" : "-") + std::to_string(point);
    if (t.closed) path += "-" + std::to_string(t.stations.front());
    out += std::string("  ") + (t.closed ? "Closed" : "Connecting") + " traverse " + path + ": " +
           std::to_string(t.angles) + " angles, angular misclosure " +
           signedPlaces(t.angularMisclosureSeconds, 1) + "\" (limit " +
           places(t.angularLimitSeconds, 1) +
           "\"): " + (t.angularWithinLimit ? "within" : "over the limit") + "\n";
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

std::vector<std::string> pointListLines(const AdjustmentResult& result) {
    std::vector<std::string> lines;
    if (!result.held.empty()) lines.push_back("Held: " + numberList(result.held));
    if (!result.notChecked.empty())
        lines.push_back("Not checked (no redundancy): " + numberList(result.notChecked));
    if (!result.notDetermined.empty())
        lines.push_back("Not determined (left where they were): " +
                        numberList(result.notDetermined));
    return lines;
}

std::string blunderText(const AdjustmentResult& result, LengthUnit unit) {
    if (!result.blunder) return {};
    const ObservationResidual& r = result.residuals[result.blunder->residualIndex];
    return "Probable blunder: " + observationText(r) + ": residual " +
           residualText(r, unitSymbol(unit)) + ", standardized " + signedPlaces(r.standardized, 2) +
           " (limit " + places(result.blunderLimit, 2) + "): " + result.blunder->advice;
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
    const bool high = result.varianceFactor * result.degreesOfFreedom > result.chiSquareUpper;
    return (high ? "Failed high: " : "Failed low: ") + testMeaning(high);
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
        out += "  " + std::to_string(p.number) + "  " + places(p.north, 4) + "  " +
               places(p.east, 4) + "  " + places(p.elevation, 4) + "  " + places(q.sigmaNorth, 4) +
               "  " + places(q.sigmaEast, 4) + "  " + places(q.sigmaElevation, 4) + "  " +
               places(q.ellipseMajor, 4) + "  " + places(q.ellipseMinor, 4) + "  " +
               places(q.ellipseAzimuthDegrees, 1) + "\n";
    }
    for (const std::string& line : pointListLines(result)) out += "  " + line + "\n";
    if (!traverses.empty()) out += "Compass-rule traverses\n";
    for (const CompassTraverse& t : traverses) addTraverse(out, t, unit);
    return out;
}

namespace {

review::ReportRow testRow(const char* name, int observations, int unknowns, int freedom,
                          double varianceFactor, double lower, double upper, bool passed) {
    review::ReportRow row{
        {name, std::to_string(observations), std::to_string(unknowns), std::to_string(freedom),
         places(varianceFactor, 3), places(std::sqrt(varianceFactor), 3)},
        false};
    if (freedom <= 0) {
        row.cells.insert(row.cells.end(), {"", "", "no redundancy: not tested"});
        return row;
    }
    const double statistic = varianceFactor * freedom;
    row.cells.insert(row.cells.end(),
                     {places(statistic, 2), places(lower, 2) + " to " + places(upper, 2),
                      verdict(passed, statistic, upper)});
    // Failed low asks nothing of the crew: only failed high is marked.
    row.over = !passed && statistic > upper;
    return row;
}

// The checked residuals, the largest standardized first as printed; equal
// ones in the order of the adjustment's rows.
std::vector<std::size_t> largestStandardized(const AdjustmentResult& result) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < result.residuals.size(); ++i)
        if (result.residuals[i].redundancy >= kMinimumRedundancy) order.push_back(i);
    const auto printed = [&](std::size_t i) {
        return std::round(std::abs(result.residuals[i].standardized) * 100);
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return printed(a) > printed(b); });
    return order;
}

}  // namespace

review::AdjustmentSection adjustmentSection(const AdjustmentResult& result, LengthUnit lengthUnit,
                                            std::size_t worst) {
    const std::string unit(unitSymbol(lengthUnit));
    review::AdjustmentSection section;
    section.overview = "Least squares: " + std::to_string(result.iterations) + " iterations, " +
                       (result.converged ? "converged" : "NOT converged") + "; sigma0 " +
                       places(std::sqrt(result.varianceFactor), 3) + " (variance factor " +
                       places(result.varianceFactor, 3) + "), " +
                       std::to_string(result.degreesOfFreedom) + " degrees of freedom";

    section.tests.columns = {{"Test"},
                             {"Observations", CellAlign::Right},
                             {"Unknowns", CellAlign::Right},
                             {"Degrees of freedom", CellAlign::Right},
                             {"Variance factor", CellAlign::Right},
                             {"sigma0", CellAlign::Right},
                             {"Chi-square", CellAlign::Right},
                             {"95% bounds", CellAlign::Right},
                             {"Result"}};
    const PartStatistics& h = result.horizontal;
    const PartStatistics& v = result.vertical;
    section.tests.rows = {
        testRow("Whole", h.observations + v.observations, h.unknowns + v.unknowns,
                result.degreesOfFreedom, result.varianceFactor, result.chiSquareLower,
                result.chiSquareUpper, result.chiSquarePassed),
        testRow("Horizontal", h.observations, h.unknowns, h.degreesOfFreedom, h.varianceFactor,
                h.chiSquareLower, h.chiSquareUpper, h.chiSquarePassed),
        testRow("Vertical", v.observations, v.unknowns, v.degreesOfFreedom, v.varianceFactor,
                v.chiSquareLower, v.chiSquareUpper, v.chiSquarePassed)};
    for (const review::ReportRow& row : section.tests.rows) {
        const std::string& outcome = row.cells.back();
        if (!outcome.starts_with("failed")) continue;
        section.meanings.push_back(row.cells.front() + " " + outcome + ": " +
                                   testMeaning(outcome == "failed high"));
    }

    section.blunderFound = result.blunder.has_value();
    section.blunder = result.blunder ? blunderText(result, lengthUnit)
                                     : "No blunder found: no standardized residual is over " +
                                           places(result.blunderLimit, 2);
    const std::vector<std::size_t> order = largestStandardized(result);
    const std::size_t shown = std::min(worst, order.size());
    section.residualsTitle = "The " + std::to_string(shown) +
                             " largest standardized residuals of " + std::to_string(order.size()) +
                             " observations checked";
    section.residuals.columns = {
        {"Record", CellAlign::Right},   {"Observation"},
        {"From", CellAlign::Right},     {"To", CellAlign::Right},
        {"Residual", CellAlign::Right}, {"Standardized", CellAlign::Right}};
    for (std::size_t k = 0; k < shown; ++k) {
        const ObservationResidual& r = result.residuals[order[k]];
        section.residuals.rows.push_back(
            {{r.record == kNoRecord ? std::string() : std::to_string(r.record),
              std::string(observationKindName(r.kind)), std::to_string(r.from),
              std::to_string(r.to), residualText(r, unit), signedPlaces(r.standardized, 2)},
             std::abs(r.standardized) > result.blunderLimit});
    }
    section.notes = pointListLines(result);
    return section;
}

}  // namespace zendro::adjustment
