#include "coordinates/job_placement.h"

#include "common/errors.h"
#include "coordinates/control_checks.h"

namespace zendro::coordinates {

PlacementInput placementInput(const PlacementText& text, std::string_view controlBytes,
                              LengthUnit unit) {
    PlacementInput input;
    if (!text.systemCode.empty()) {
        input.system = CoordinateSystem::fromCode(text.systemCode);
        input.system->checkJobUnit(unit);
    }
    if (!text.controlPath.empty()) {
        // A vertical benchmark (name,,,Z) has no north and east to place a job by.
        input.heights = readControlFile(text.controlPath, controlBytes);
        for (const ControlPoint& point : input.heights)
            if (point.horizontal) input.control.push_back(point);
        if (input.control.empty() && !text.heightsSuffice)
            throw ZendroError(text.controlPath,
                              "the file holds no control point with north and east");
    }
    if (text.startPosition || text.startAzimuth) {
        const std::string position = text.startPosition.value_or("");
        const std::string azimuth = text.startAzimuth.value_or("");
        if (!startPositionFromText(position))
            throw ZendroError("start by hand",
                              "\"" + position + "\" is not three numbers north, east, elevation");
        input.start = manualStartFromText(position, azimuth);
        if (!input.start)
            throw ZendroError("start by hand", "the azimuth \"" + azimuth + "\" is not DDD.MMSS");
    }
    return input;
}

ControlTie placeReviewedJob(review::JobReview& review, const PlacementInput& input,
                            const review::ReviewLimits& limits,
                            const std::vector<ControlPoint>& heights) {
    ControlTie tie = tieToControl(review.plan, input.control, input.start);
    if (input.system) tie.positions.crsCode = input.system->code();
    std::vector<ControlPoint> checked = input.control;
    checked.insert(checked.end(), heights.begin(), heights.end());
    ControlChecks checks = checkControl(tie, review.plan, review.records, checked, limits);
    review::addFindings(review.report, std::move(checks.findings), checks.measured,
                        review.records);
    return tie;
}

}  // namespace zendro::coordinates
