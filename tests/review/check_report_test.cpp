// The check report's lines, whole, for jobs of known geometry and codes.

#include "review/check_report.h"

#include <gtest/gtest.h>

#include "tests/review/review_test_support.h"

namespace zendro {
namespace {

using namespace testing;

const std::string kSquarePoints = pfListing({1, 2, 3, 4});

std::string squareWithAngleAtB(std::uint32_t angleAtB) {
    return setupOn(1) + backsightTo(4) + traverseTo(2, 9000000) + setupOn(2) + backsightTo(1) +
           traverseTo(3, angleAtB) + setupOn(3) + backsightTo(2) + traverseTo(4, 9000000) +
           setupOn(4) + backsightTo(3) + traverseTo(1, 9000000);
}

TEST(CheckReport, ClosedSquareReportsAnExactClosure) {
    EXPECT_EQ(reviewOf(squareWithAngleAtB(9000000), kSquarePoints).report.text(),
              "HVD record 11, setup on 4, point 1: traverse closure: misclosure north 0.0000 east 0.0000 "
              "elevation 0.0000, linear 0.0000 over 400.000, precision exact; limit 1:10000, "
              "elevation 0.100: within limit\n"
              "review: 1 findings, 0 over limit, 4 measured checks within limit\n");
}

TEST(CheckReport, OneMinuteOffClosesAtOneIn13750) {
    // Misclosure north 100 sin(1') = 0.0290888, east 100 (1 - cos 1') = 0.0000042,
    // linear 200 sin(0.5') = 0.0290888; 400 / 0.0290888 = 13750.99: 1:13750.
    // Within 1:10000, over a limit of 1:20000.
    review::ReviewLimits limits = review::defaultLimits(zendro::LengthUnit::UsSurveyFoot);
    limits.closureRatio = 20000;
    const review::ReviewReport report =
        reviewOf(squareWithAngleAtB(9001000), kSquarePoints, limits).report;
    ASSERT_EQ(report.findings.size(), 1u);
    EXPECT_EQ(report.findings[0].text,
              "HVD record 11, setup on 4, point 1: traverse closure: misclosure north 0.0291 east 0.0000 "
              "elevation 0.0000, linear 0.0291 over 400.000, precision 1:13750; limit 1:20000, "
              "elevation 0.100: OVER LIMIT, re-measure the traverse angles and distances");
    EXPECT_EQ(report.overLimit, 1u);
}

TEST(CheckReport, FacePairCheckShotAndSeparateFrameOverTheirLimits) {
    // Face pair: +10.0" collimation, +5.0" index error, -0.002 (plan test);
    // check shot: 7 at 50.000 north from 1, at 49.900 from 2: 0.100 apart.
    review::ReviewLimits limits = review::defaultLimits(zendro::LengthUnit::Metre);  // meters: 0.015 check shots
    limits.faceHorizontalSeconds = 5;
    const std::string hvd = setupOn(1) + backsightTo(9) + traverseTo(2, 0) +          // 0-2
                            sideshotTo(7, 0, 500000) +                                // 3
                            sideshotTo(10, 4500100, 300000, 8959500) +                // 4
                            sideshotTo(10, 22500000, 300020, 27000200) +              // 5
                            setupOn(2) + backsightTo(1) + sideshotTo(7, 0, 501000) +  // 6-8
                            setupOn(50);                                              // 9
    EXPECT_EQ(
        reviewOf(hvd, pfListing({1, 2, 7, 9, 10, 50}), limits).report.text(),
        "HVD record 5, setup on 1, point 10: face pair with HVD record 4: horizontal difference 10.0 "
        "seconds, vertical index error 5.0 seconds, distance difference -0.002; limit 5.0 "
        "seconds, 20.0 seconds, 0.010: OVER LIMIT, re-measure both faces and check the "
        "instrument's adjustment\n"
        "HVD record 8, setup on 2, point 7: check shot against HVD record 3: positions 0.100 apart, "
        "elevation difference 0.000; limit 0.015, elevation 0.015: OVER LIMIT, re-shoot the "
        "point and check both setups\n"
        "HVD record 9, point 50: setup on a point without a position: separate frame 2 starts "
        "here and is drawn apart; tie it in: read two points with positions, with distances, "
        "from it\n"
        "review: 3 findings, 2 over limit, 1 measured checks within limit; points observed once: 2, not checked\n");
}

TEST(CheckReport, CodeFindingsAndTheObsWarnings) {
    // 1002 is keyed twice with different codes; 1004 and the text name A17 are
    // never shot; 1009 is shot but has no entry; the EP chain has no end and
    // the CL chain one point; the FL chain is complete. The blanked row is no
    // finding. Record 1 backsights 5.000 away, record 3 reads zenith 5 degrees.
    const std::string pf =
        "1001,+EP, \r\n1002,EP, \r\n1003,+CL, \r\n1004,SIGN, \r\n1002,CURB, \r\n"
        "1006,+FL, \r\n1007,-FL, \r\nA17,TREE, \r\n , , \r\n";
    const std::string hvd = setupOn(1001) + backsightTo(1006, 0, 50000) +  // 0-1
                            sideshotTo(1002, 0, kHundred) +                // 2
                            sideshotTo(1003, 0, kHundred, 500000) +        // 3
                            sideshotTo(1007, 0, kHundred) + sideshotTo(1009, 0, kHundred);
    EXPECT_EQ(
        reviewOf(hvd, pf).report.text(),
        "HVD record 1, setup on 1001, point 1006: OBS warning \"Backsight Distance Error\": distance 5.000 "
        "below 10: backsight a farther point\n"
        "HVD record 3, setup on 1001, point 1003: OBS warning \"Vertical Angle less than 10 Degrees\": zenith "
        "5.0000 degrees: check the zenith reading\n"
        "HVD record 5, setup on 1001, point 1009: observed (HVD record 5) but not in the point-feature file: "
        "add it in the feature editor\n"
        "point 1004: entry 4 of the point-feature file (\"1004\", \"SIGN\") is never observed: "
        "check its point number or blank the row\n"
        "entry 8 of the point-feature file (\"A17\", \"TREE\") is never observed: check its "
        "point number or blank the row\n"
        "point 1001: chain \"EP-99\" of feature \"EP\" starting at S1001 has no end: key \"-EP\" "
        "on its last point\n"
        "point 1003: chain \"CL-99\" of feature \"CL\" starting at S1003 has one point: add its "
        "other points or remove the \"+\"\n"
        "point 1002: different descriptions \"EP\" (entry 2), \"CURB\" (entry 5); its lines "
        "carry entry 5: keep the right one in the feature editor\n"
        "review: 8 findings, 0 over limit, 0 measured checks within limit; points observed once: 5, not checked\n");
}

TEST(CheckReport, AMissingPointListsFiveRecordsAndElidesTheSixth) {
    // 9 is read five times (records 2-6), 8 six times (7-12); neither has an
    // entry. Five records are listed whole, a sixth becomes ", ...".
    std::string hvd = setupOn(1) + backsightTo(2);
    for (int i = 0; i < 5; ++i) hvd += sideshotTo(9, 0, kHundred);
    for (int i = 0; i < 6; ++i) hvd += sideshotTo(8, 0, kHundred);
    std::vector<std::string> lines;
    for (const review::Finding& finding : reviewOf(hvd, pfListing({1, 2})).report.findings) {
        if (finding.kind == review::FindingKind::NotInFeatureFile) lines.push_back(finding.text);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "HVD record 2, setup on 1, point 9: observed (HVD records 2, 3, 4, 5, 6) but not in "
                         "the point-feature file: add it in the feature editor",
                         "HVD record 7, setup on 1, point 8: observed (HVD records 7, 8, 9, 10, 11, ...) but "
                         "not in the point-feature file: add it in the feature editor"}));
}

TEST(CheckReport, AChainStartedAndEndedOnOneEntryHasOnePoint) {
    // "+CL-" starts and closes CL on 1003 itself: one point, not a chain
    // without an end.
    const std::string hvd = setupOn(1) + backsightTo(2) + sideshotTo(1003, 0, kHundred);
    std::vector<std::string> lines;
    for (const review::Finding& finding :
         reviewOf(hvd, "1,CP, \r\n2,CP, \r\n1003,+CL-, \r\n").report.findings) {
        lines.push_back(finding.text);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "point 1003: chain \"CL-99\" of feature \"CL\" starting at S1003 has "
                         "one point: add its other points or remove the \"+\""}));
}

TEST(CheckReport, ALineThatReadsAsSomethingElseIsToldOnceWithItsLineNumber) {
    // Line 2 has no comma: it reads as an entry named by the whole text, which
    // no record observes; it is told as the line it is, not as a lost entry.
    const std::string hvd = setupOn(1) + backsightTo(2);
    std::vector<std::string> lines;
    for (const review::Finding& finding :
         reviewOf(hvd, "1,CP, \r\nthis line has no commas\r\n2,CP, \r\n").report.findings)
        lines.push_back(finding.text);
    EXPECT_EQ(lines, std::vector<std::string>{
                         "line 2 of the point-feature file has no comma: it reads as a point named "
                         "\"this line has no commas\" without a description: part the point, its "
                         "description and its comment by commas"});
}

TEST(ReviewChains, ChainsResolveToThePointsTheirPlacesStandOn) {
    // 1001 starts EP, 1002 to 1013 follow, 1014 ends it: the section wraps
    // the list after ten point texts, and the chain keeps all fourteen. The
    // second features of 1016 to 1018 (entries 101016 to 101018) make FL,
    // whose places stand on 1016 to 1018; "A7" is named by text and has no
    // point.
    std::string pf = "1001,+EP, \r\n";
    for (int n = 1002; n <= 1013; ++n) pf += std::to_string(n) + ",EP, \r\n";
    pf += "1014,-EP, \r\n";
    pf += "1016,CL, \r\n101016,+FL, \r\n1017,CL, \r\n101017,FL, \r\nA7,FL, \r\n"
          "1018,CL, \r\n101018,-FL, \r\n";
    const ConversionOptions options;
    const JobModel model =
        jobModelOf({}, loadPointTable(pf, options.curveCode), buildChainLists(pf, options));
    ASSERT_EQ(model.meaning.chains.size(), 2u);
    const JobChain& ep = model.meaning.chains[0];
    EXPECT_EQ(ep.name, "EP-99");
    EXPECT_EQ(ep.points.size(), 13u);
    ASSERT_TRUE(ep.end);
    EXPECT_EQ(ep.end->text, "S1014");
    EXPECT_EQ(ep.end->point, 1014);
    EXPECT_FALSE(ep.closed());
    std::vector<std::string> texts;
    std::vector<std::optional<std::int64_t>> points;
    for (const ChainVertex* vertex : model.meaning.chains[1].path()) {
        texts.push_back(vertex->text);
        points.push_back(vertex->point);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"S101016", "S101017", "SA7", "S101018"}));
    EXPECT_EQ(points, (std::vector<std::optional<std::int64_t>>{1016, 1017, std::nullopt, 1018}));
}

}  // namespace
}  // namespace zendro
