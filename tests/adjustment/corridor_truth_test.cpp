// Generated corridor jobs against the generator's true positions: held on two
// true stations, the adjusted points fall within their 95% error ellipses at
// about the rate the ellipses promise, and a planted angle blunder is the
// reading the adjustment names.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <unordered_map>

#include "adjustment/network_adjustment.h"
#include "coordinates/local_positions.h"
#include "job/job_session.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"
#include "tools/genjob/blunders.h"
#include "tools/genjob/corridor_plan.h"
#include "tools/genjob/job_files.h"

namespace zendro {
namespace {

struct Corridor {
    genjob::JobPlan plan;
    review::JobReview review;
};

Corridor corridorJob(std::uint32_t seed, const genjob::BlunderRequest& blunders = {}) {
    genjob::CorridorShape shape;
    shape.job.jobName = "CT";
    shape.job.points = 300;
    shape.job.seed = seed;
    Corridor job{genjob::planCorridor(shape), {}};
    if (blunders.any()) genjob::plantBlunders(job.plan, blunders);
    const testing::TempDir dir;
    genjob::writeJob(job.plan, dir.file("CT"));
    testing::RecordingObserver observer;
    JobConfig config;
    config.printReview = true;  // the conversion keeps the job it decoded
    JobSession session(deriveJobPaths(dir.file("CT.HVD")), config);
    session.convert(observer);
    job.review = session.review();
    return job;
}

// The job's first two stations held at their true positions, so the adjusted
// frame is the truth's.
adjustment::AdjustmentResult adjustOnTruth(const Corridor& job,
                                           const coordinates::JobPositions& local) {
    std::unordered_map<std::int64_t, genjob::TruePosition> truth;
    for (const genjob::TruePoint& point : job.plan.truth) truth[point.number] = point.position;
    adjustment::AdjustmentInput input;
    input.records = &job.review.records;
    input.points = &job.review.points;
    input.approximate = &local;
    // The generator's own instrument: 5", 5", 0.01 + 3 ppm, and no centring
    // error, which it does not make.
    input.sigmas = adjustment::defaultSigmas(zendro::LengthUnit::UsSurveyFoot);
    input.sigmas.instrumentCentring = 0;
    input.sigmas.targetCentring = 0;
    input.limits = review::defaultLimits(zendro::LengthUnit::UsSurveyFoot);
    for (const review::PlanPoint& point : job.review.plan.points) {
        if (!point.station || input.control.size() == 2) continue;
        const genjob::TruePosition& at = truth.at(point.number);
        coordinates::ControlPoint control;
        control.number = point.number;
        control.north = at.north;
        control.east = at.east;
        control.elevation = at.elevation;
        input.control.push_back(control);
    }
    return adjustment::adjustNetwork(input);
}

TEST(CorridorTruth, AdjustedPointsFallWithinTheirEllipsesAtAbout95Percent) {
    std::size_t inside = 0, checked = 0;
    for (const std::uint32_t seed : {3u, 11u, 28u, 40u, 77u, 90u, 123u, 200u}) {
        const Corridor job = corridorJob(seed);
        const coordinates::JobPositions local = coordinates::localPositions(job.review.plan);
        const adjustment::AdjustmentResult result = adjustOnTruth(job, local);
        for (const genjob::TruePoint& truth : job.plan.truth) {
            const coordinates::PointPosition* adjusted = result.positions.find(truth.number);
            if (adjusted == nullptr || !adjusted->precision) continue;
            const coordinates::PointPrecision& p = *adjusted->precision;
            if (p.ellipseMajor == 0) continue;  // held
            // The miss in the ellipse's axes: inside when (u/a)^2 + (w/b)^2 <= 1.
            const double azimuth = p.ellipseAzimuthDegrees * std::numbers::pi / 180.0;
            const double dn = adjusted->north - truth.position.north;
            const double de = adjusted->east - truth.position.east;
            const double u = dn * std::cos(azimuth) + de * std::sin(azimuth);
            const double w = -dn * std::sin(azimuth) + de * std::cos(azimuth);
            ++checked;
            if (std::pow(u / p.ellipseMajor, 2) + std::pow(w / p.ellipseMinor, 2) <= 1) ++inside;
        }
    }
    const double rate = static_cast<double>(inside) / static_cast<double>(checked);
    RecordProperty("inside_rate", std::to_string(rate));
    std::printf("adjusted points within their 95%% ellipses: %zu of %zu (%.1f%%)\n", inside, checked,
                100.0 * rate);
    ASSERT_GT(checked, 100u);
    // 95% of 280 points has a standard deviation of 1.3%: far outside
    // either bound the ellipses are too small or too large.
    EXPECT_GT(rate, 0.85);
    EXPECT_LT(rate, 0.99);
}

TEST(CorridorTruth, APlantedAngleBlunderIsTheReadingNamed) {
    // A minute on the third traverse foresight, which the next setup's
    // backsight and the legs after it check.
    const Corridor clean = corridorJob(28);
    genjob::BlunderRequest request;
    request.angleSeconds = 60;
    std::size_t traverses = 0;
    for (std::size_t i = 0; i < clean.review.records.size() && !request.record; ++i) {
        if (clean.review.records[i].recordKind == field_format::RecordKind::Traverse &&
            ++traverses == 3)
            request.record = i;
    }
    ASSERT_TRUE(request.record.has_value());
    genjob::JobPlan planted = clean.plan;
    const std::vector<genjob::PlantedBlunder> blunders = genjob::plantBlunders(planted, request);
    ASSERT_EQ(blunders.size(), 1u);
    const Corridor job = corridorJob(28, request);
    const coordinates::JobPositions local = coordinates::localPositions(job.review.plan);
    const adjustment::AdjustmentResult result = adjustOnTruth(job, local);
    ASSERT_TRUE(result.blunder.has_value());
    EXPECT_EQ(result.residuals[result.blunder->residualIndex].record, blunders[0].record)
        << blunders[0].text;
}

}  // namespace
}  // namespace zendro
