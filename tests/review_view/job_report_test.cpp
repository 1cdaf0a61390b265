// The job report read back: the PDF through pdftotext, the text file whole.

#include "review_view/job_report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/job_paths.h"
#include "job/job_session.h"
#include "review/job_report_text.h"
#include "tests/review_view/sheet_test_support.h"
#include "tests/support/held_traverse.h"
#include "tests/support/job_builder.h"

namespace zendro::testing {
namespace {

// The square's report, made on 2026-12-08 (the job's files carry no date);
// its one finding copied `copies` times so the findings run over pages.
review::JobReportInput squareReport(const SquareJob& job, std::size_t copies = 1) {
    review::JobReportInput input;
    input.header.jobName = "SQ";
    input.header.limits = review::defaultLimits(zendro::LengthUnit::UsSurveyFoot);
    input.header.limits.closureRatio = 20000;
    input.header.madeOn = "2026-12-08";
    input.header.frame = "local";
    input.report = job.review.report;
    input.sketch = job.sketch;
    input.conversion =
        review::writtenFilesOf(job.conversion, deriveJobPaths(job.folder.file("SQ.HVD")).pfPath);
    input.counts = {12, 4, 0, 4, 4, 4};
    for (std::size_t i = 1; i < copies; ++i) {
        input.report.findings.push_back(job.review.report.findings.front());
        ++input.report.overLimit;
        ++input.report.measuredChecks;
    }
    return input;
}

// The held traverse (tests/support/held_traverse.h) with its first leg read
// e = 0.0060 long from 1, no angle error and the target h = 0.01 low from 3
// to 4, adjusted on its four held control points with 5" directions and
// zeniths, sd = 0.005 distances and no centring; made on 2026-12-08. By hand,
// as that file works it:
// - the legs 1-2, 2-3, 3-4 adjust to 100 + e/3, 100 - e/6, 100 - e/6: 2 at
//   E 1100.002, 3 at E 1200.001; the height differences to -h/6, -h/6, +h/3:
//   2 at Z -0.002, 3 at Z -0.003; both on N 1000.000.
// - horizontal v'Pv = 2e^2 / (3 sd^2) = 0.96 over 8: variance factor 0.120,
//   below 2.18 to 17.53: failed low; vertical, sh = 100 x 5" = 0.0024241,
//   2h^2 / (3 sh^2) = 11.35 over 6: 1.891, passed; whole 12.31 / 14 = 0.879,
//   sigma0 0.938.
// - each reading has redundancy 2/3: the height difference 3 -> 4 has
//   residual -2h/3 = -0.0067, standardized -0.0067 / (sh sqrt(2/3)) = -3.37,
//   over 3.29: the blunder; 4 -> 3 -h/3 (-1.68); the first leg's distance
//   from 1 -2e/3 = -0.0040 (-0.98) and from 2 +e/3 (+0.49); the other heights
//   -+h/6 (0.84), the other distances -e/6 (-0.24).
// - sE of 2 and 3: sd / sqrt 3 = 0.0029; sZ: sh / sqrt 3 = 0.0014; sN: the
//   offsets across the line from the angles (two directions each) have the
//   normal matrix [6 -4; -4 6] / (2 (100 sdir)^2), whose inverse gives 0.3 x
//   2 (100 x 5")^2: sN 0.0019.
review::JobReportInput adjustedTraverseReport(const TempDir& dir) {
    writeFile(dir.file("HT.HVD"), heldTraverseHvd(60, 0, 1));
    std::string ctx = ctxPrologue();
    for (const std::uint16_t point : std::initializer_list<std::uint16_t>{1, 2, 3, 4, 101, 104})
        ctx += ctxRecord(1, point, "CP");
    writeFile(dir.file("HT.CTX"), ctx);
    writeFile(dir.file("HT.RTX"), "");
    writeFile(dir.file("control.csv"), kHeldTraverseControl);
    JobConfig config;
    config.placement =
        std::make_shared<const coordinates::PlacementInput>(coordinates::placementInput(
            {dir.file("control.csv"), {}, {}, ""}, kHeldTraverseControl, config.options.unit));
    config.controlPath = dir.file("control.csv");
    config.adjustment = adjustment::AprioriSigmas{5, 5, 0.005, 0, 0, 0};
    config.reportInstrument = "TS-11 #4471";
    config.reportCrew = "R. Ortiz, K. Lee";
    JobSession session(deriveJobPaths(dir.file("HT.HVD")), config);
    NullObserver quiet;
    session.convert(quiet);
    session.review();
    session.adjust();
    return session.reportInput("2026-12-08");
}

// The lines with text that follow `first` in `lines`, `count` of them.
std::vector<std::string> linesAfter(const std::vector<std::string>& lines, const std::string& first,
                                    std::size_t count) {
    auto at = std::find(lines.begin(), lines.end(), first);
    if (at == lines.end()) return {"no line " + first};
    std::vector<std::string> after;
    for (++at; at != lines.end() && after.size() < count; ++at)
        if (!at->empty()) after.push_back(*at);
    return after;
}

std::vector<std::string> pages(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find('\f', at)) != std::string::npos; at = end + 1)
        out.push_back(text.substr(at, end - at));
    return out;
}

TEST(JobReportPdf, NumbersEveryPageAndCarriesHeaderFindingsClosuresAndFiles) {
    const SquareJob job;
    const std::string path = job.folder.file("SQ-report.pdf");
    // 60 rows of three lines each fill more than a Letter page.
    review::writeJobReport(squareReport(job, 60), path);

    const int count = pdfPageCount(path);
    ASSERT_GE(count, 3);
    const std::vector<std::string> text = pages(pdfText(path, true));
    ASSERT_EQ(text.size(), static_cast<std::size_t>(count));
    for (int page = 1; page <= count; ++page) {
        const std::vector<std::string> lines = plainLines(text[static_cast<std::size_t>(page) - 1]);
        const std::string footer =
            "ZENDRO job report: SQ Page " + std::to_string(page) + " of " + std::to_string(count);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string& l) { return l == footer; }),
                  1)
            << "page " << page;
    }

    const std::vector<std::string> lines = plainLines(pdfText(path, true));
    EXPECT_EQ(lines.front(), "Job report: SQ");
    EXPECT_EQ(linesAfter(lines, "Summary", 3),
              (std::vector<std::string>{
                  "review: 60 findings, 60 over limit, 3 measured checks within limit",
                  "Verdict: 60 review checks over their limits, the first: HVD record 11, setup on "
                  "4, point 1: re-measure the",
                  "traverse angles and distances"}));
    // The limits the findings were judged by, not the defaults.
    EXPECT_EQ(linesAfter(lines, "Limits used", 3),
              (std::vector<std::string>{"Limit Value", "Traverse precision 1:N 1:20000",
                                        "Vertical misclosure 0.1 ft"}));
    // Record 11 is the fourth traverse record, closing on point 1.
    const std::vector<std::string> closure{
        "Verdict Record Point Finding",
        "OVER 11 1 traverse closure: misclosure north 0.0291 east 0.0000 elevation 0.0000, linear"};
    EXPECT_EQ(linesAfter(lines, "Findings", 2), closure);
    EXPECT_EQ(linesAfter(lines, "Closures", 2), closure);
    // The conversion line zendro-convert prints for the square, each count
    // named. The square has no chains, so no TRV file.
    EXPECT_EQ(linesAfter(lines, "Files written", 3),
              (std::vector<std::string>{
                  job.folder.file("SQ.obs"), job.folder.file("SQ.pf"),
                  "Converted: 12 HVD records, 4 point-feature entries, 0 chains, 0 warnings"}));
}

// The title block, the adjustment's statistics and the coordinate list of an
// adjusted job as a reader of the PDF finds them.
TEST(JobReportPdf, AnAdjustedJobsTitleBlockAndCoordinateListReadBack) {
    const TempDir dir;
    const std::string path = dir.file("HT-report.pdf");
    review::writeJobReport(adjustedTraverseReport(dir), path);
    const std::vector<std::string> lines = plainLines(pdfText(path, true));
    EXPECT_EQ(
        linesAfter(lines, "Job report: HT", 7),
        (std::vector<std::string>{"Job HT", "Date 2026-12-08", "Instrument TS-11 #4471",
                                  "Crew R. Ortiz, K. Lee", "Unit US survey feet", "Frame adjusted",
                                  "Checked by ____________________ Date ____________________"}));
    EXPECT_EQ(linesAfter(lines, "Adjustment", 1),
              std::vector<std::string>{"Least squares: 2 iterations, converged; sigma0 0.938 "
                                       "(variance factor 0.879), 14 degrees of freedom"});
    // The positions the exports write, in their decimals; the held points
    // have no deviations.
    EXPECT_EQ(linesAfter(lines, "Coordinates", 10),
              (std::vector<std::string>{
                  "6 points, adjusted frame, no coordinate system, US survey feet",
                  "Point Northing Easting Elevation sN sE sZ", "(US ft) (US ft) (US ft)",
                  "1 1000.000 1000.000 0.000", "2 1000.000 1100.002 -0.002 0.0019 0.0029 0.0014",
                  "3 1000.000 1200.001 -0.003 0.0019 0.0029 0.0014", "4 1000.000 1300.000 0.000",
                  "104 1000.000 1400.000 0.000", "101 1000.000 900.000 0.000", "Files written"}));
}

// The same report as text, byte for byte: every section the PDF has but the
// sketch, its tables in columns.
TEST(JobReportText, AnAdjustedJobsWholeReport) {
    const TempDir dir;
    const std::string path = dir.file("HT-report.TXT");
    review::writeJobReport(adjustedTraverseReport(dir), path);
    const std::string control = "control point check against the control file's line ";
    EXPECT_EQ(
        readFile(path),
        crlfLines(
            {"ZENDRO job report",
             "Job: HT",
             "Date: 2026-12-08",
             "Instrument: TS-11 #4471",
             "Crew: R. Ortiz, K. Lee",
             "Unit: US survey feet",
             "Frame: adjusted",
             "Checked by: ____________________  Date: ____________________",
             "",
             "Summary",
             "review: 5 findings, 0 over limit, 8 measured checks within limit; points observed "
             "once: 2, not checked",
             "Verdict: no review check over its limit",
             "Field files: 12 HVD records, 6 point-feature entries, 0 chains",
             "Positioned: 6 points (4 stations), each drawn in the sketch and listed under "
             "Coordinates; 4 traverse legs",
             "",
             "Limits used",
             "Traverse precision 1:N: 1:10000",
             "Vertical misclosure: 0.1 ft",
             "Backsight distance: 0.05 ft",
             "Backsight elevation difference: 0.05 ft",
             "Face pair horizontal difference: 20\"",
             "Face pair vertical index error: 20\"",
             "Face pair distance difference: 0.03 ft",
             "Check shot: distance between positions: 0.05 ft",
             "Check shot: elevation difference: 0.05 ft",
             "Control point: horizontal difference: 0.05 ft",
             "Control point: elevation difference: 0.05 ft",
             "Backsight on control: direction: 20\"",
             "Angular misclosure K (K x sqrt(n)): 10\"",
             "Standardized residual for a blunder: 3.29",
             "",
             "Findings",
             "HVD record 0, point 1: " + control +
                 "2: north 0.000 east -0.003 elevation -0.005, "
                 "horizontal 0.003; limit 0.050, elevation 0.050: within limit",
             "HVD record 1, setup on 1, point 101: " + control +
                 "1: north 0.000 east -0.003 "
                 "elevation -0.005, horizontal 0.003; limit 0.050, elevation 0.050: within limit",
             "HVD record 1, setup on 1, point 1: backsight on control point 101 from control point "
             "1: azimuth 270.00000 against 270.00000 between the known points (0.0\"); limit "
             "20.0\": within limit",
             "HVD record 8, setup on 3, point 4: " + control +
                 "3: north 0.000 east 0.003 elevation "
                 "0.005, horizontal 0.003; limit 0.050, elevation 0.050: within limit",
             "HVD record 11, setup on 4, point 104: " + control +
                 "4: north 0.000 east 0.003 "
                 "elevation 0.005, horizontal 0.003; limit 0.050, elevation 0.050: within limit",
             "",
             "Closures",
             "No traverse of the job closes on a known point.",
             "",
             "Adjustment",
             "Least squares: 2 iterations, converged; sigma0 0.938 (variance factor 0.879), 14 "
             "degrees of freedom",
             "Test        Observations  Unknowns  Degrees of freedom  Variance factor  sigma0  "
             "Chi-square     95% bounds  Result",
             "Whole                 24        10                  14            0.879   0.938  "
             "     12.31  5.63 to 26.12  passed",
             "Horizontal            16         8                   8            0.120   0.346  "
             "      0.96  2.18 to 17.53  failed low",
             "Vertical               8         2                   6            1.891   1.375  "
             "     11.35  1.24 to 14.45  passed",
             "Horizontal failed low: the a priori deviations are pessimistic for this "
             "instrument; nothing to re-measure",
             "Probable blunder: HVD record 8, height difference from point 3 to point 4: "
             "residual -0.0067 ft, standardized -3.37 (limit 3.29): check the instrument and "
             "target heights and re-measure the zenith angle from point 3 to point 4 (HVD record "
             "8)",
             "The 10 largest standardized residuals of 24 observations checked",
             "Record  Observation        From  To    Residual  Standardized",
             "     8  height difference     3   4  -0.0067 ft         -3.37",
             "    10  height difference     4   3  -0.0033 ft         -1.68",
             "     2  distance              1   2  -0.0040 ft         -0.98",
             "     2  height difference     1   2  -0.0017 ft         -0.84",
             "     4  height difference     2   1  +0.0017 ft         +0.84",
             "     5  height difference     2   3  -0.0017 ft         -0.84",
             "     7  height difference     3   2  +0.0017 ft         +0.84",
             "     4  distance              2   1  +0.0020 ft         +0.49",
             "     5  distance              2   3  -0.0010 ft         -0.24",
             "     7  distance              3   2  -0.0010 ft         -0.24",
             "Held: 1, 4, 104, 101",
             "Points observed once: 2, not checked: no other reading measures them, so neither "
             "the review nor an adjustment can find a blunder in them; shoot them again from "
             "another setup to check them",
             "",
             "Control",
             "Control file: " + dir.file("control.csv"),
             "Coordinate system: none",
             "Held at their known positions: 101, 1, 4, 104",
             "",
             "Coordinates",
             "6 points, adjusted frame, no coordinate system, US survey feet",
             "Point  Northing (US ft)  Easting (US ft)  Elevation (US ft)      sN      sE      sZ",
             "    1          1000.000         1000.000              0.000",
             "    2          1000.000         1100.002             -0.002  0.0019  0.0029  0.0014",
             "    3          1000.000         1200.001             -0.003  0.0019  0.0029  0.0014",
             "    4          1000.000         1300.000              0.000",
             "  104          1000.000         1400.000              0.000",
             "  101          1000.000          900.000              0.000",
             "",
             "Files written",
             dir.file("HT.obs"),
             dir.file("HT.pf"),
             "Converted: 12 HVD records, 6 point-feature entries, 0 chains, 0 warnings"}));
}

TEST(JobReport, AFileThatCannotBeWrittenIsNamedAndNothingIsLeft) {
    const SquareJob job;
    writeFile(job.folder.file("plain"), "a file, not a folder");
    for (const char* name : {"plain/SQ.pdf", "plain/SQ.txt"}) {
        const std::string path = job.folder.file(name);
        try {
            review::writeJobReport(squareReport(job), path);
            ADD_FAILURE() << name << " written";
        } catch (const ZendroError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(path + ": ")) << error.what();
        }
    }
    EXPECT_EQ(readFile(job.folder.file("plain")), "a file, not a folder");
}

}  // namespace
}  // namespace zendro::testing
