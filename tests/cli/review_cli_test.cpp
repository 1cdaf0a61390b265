// zendro-convert --review / --strict: the report on stdout after the
// conversion, the exit status, and output files that stay byte for byte.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/held_traverse.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::ctxPrologue;
using testing::ctxRecord;
using testing::hvdRecord;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

struct CliRun {
    int status = -1;
    std::string out;
};

// Runs zendro-convert (or `program`) with `arguments` on the job in `dir`, a
// fixed header time and standard error dropped (or kept with standard output).
CliRun runConvert(const TempDir& dir, const std::string& arguments,
                  const std::string& program = ZENDRO_CONVERT_PATH, bool keepErrors = false) {
    const std::string command = "SOURCE_DATE_EPOCH=1765117800 '" + program + "' " + arguments +
                                " '" + dir.file("SQ") + "' " +
                                (keepErrors ? "2>&1" : "2>/dev/null");
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    while (const std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        run.out.append(buffer.data(), n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

// The square traverse of four 100.000 legs, by default with the angle at B 1 minute off:
// it closes 0.0291 off, at 1:13750 (worked out in the review's core tests).
void writeSquareJob(const TempDir& dir, std::uint32_t angleAtB = 9001000) {
    const auto setup = [](std::uint16_t p) { return hvdRecord(1, p, 150); };
    const auto backsight = [](std::uint16_t p) {
        return hvdRecord(3, p, 150, 0, 9000000, 1000000);
    };
    const auto traverse = [](std::uint16_t p, std::uint32_t angle) {
        return hvdRecord(4, p, 150, angle, 9000000, 1000000);
    };
    writeFile(dir.file("SQ.HVD"), setup(1) + backsight(4) + traverse(2, 9000000) + setup(2) +
                                      backsight(1) + traverse(3, angleAtB) + setup(3) +
                                      backsight(2) + traverse(4, 9000000) + setup(4) +
                                      backsight(3) + traverse(1, 9000000));
    writeFile(dir.file("SQ.CTX"), ctxPrologue() + ctxRecord(1, 1, "CP") + ctxRecord(1, 2, "CP") +
                                      ctxRecord(1, 3, "CP") + ctxRecord(1, 4, "CP"));
    writeFile(dir.file("SQ.RTX"), "");
}

const std::string kClosureLine =
    "HVD record 11, setup on 4, point 1: traverse closure: misclosure north 0.0291 east 0.0000 "
    "elevation "
    "0.0000, linear 0.0291 over 400.000, precision 1:13750; limit 1:20000, elevation 0.100: "
    "OVER LIMIT, re-measure the traverse angles and distances\n";
const std::string kSummaryLine =
    "review: 1 findings, 1 over limit, 3 measured checks within limit\n";

// The result line of a reviewed job ends with the review's verdict.
const std::string kOverVerdict =
    "; 1 review check over its limit: HVD record 11, setup on 4, point 1: re-measure the traverse "
    "angles and distances\n";

// What stdout holds for the square job in `dir`: the conversion's line, then the report.
std::string reportOf(const TempDir& dir) {
    return dir.file("SQ") + ": converted 12 records, 4 points, 0 chains, 0 warnings" +
           kOverVerdict + kClosureLine + kSummaryLine;
}

TEST(ZendroConvertReview, ReportFollowsTheConversionAndLeavesItsOutputsAlone) {
    TempDir dir;
    writeSquareJob(dir);
    ASSERT_EQ(runConvert(dir, "--trv").status, 0);
    const std::string obs = readFile(dir.file("SQ.obs"));
    const std::string trv = readFile(dir.file("SQ.TRV"));

    const CliRun reviewed = runConvert(dir, "--trv --review --limit-closure-ratio 20000");
    EXPECT_EQ(reviewed.status, 0);  // a limit exceeded is no failure without --strict
    EXPECT_EQ(reviewed.out, reportOf(dir));
    EXPECT_EQ(readFile(dir.file("SQ.obs")), obs);
    EXPECT_EQ(readFile(dir.file("SQ.TRV")), trv);

    const CliRun strict = runConvert(dir, "--strict --review --limit-closure-ratio 20000");
    EXPECT_EQ(strict.status, 3);
    EXPECT_EQ(strict.out, reportOf(dir));
    // Within the default 1:10000 the strict run succeeds and prints no report.
    const CliRun within = runConvert(dir, "--strict");
    EXPECT_EQ(within.status, 0);
    EXPECT_EQ(within.out, dir.file("SQ") +
                              ": converted 12 records, 4 points, 0 chains, 0 "
                              "warnings; no review check over its limit\n");
}

TEST(ZendroConvertReview, SeveralJobsEachGetTheirReportLinesNamed) {
    TempDir first;
    TempDir second;
    writeSquareJob(first);
    writeSquareJob(second);
    const std::string firstJob = first.file("SQ");
    const CliRun run =
        runConvert(second, "-j 1 --review --strict --limit-closure-ratio 20000 '" + firstJob + "'");
    EXPECT_EQ(run.status, 3);
    std::string expected;
    for (const TempDir* dir : {&first, &second}) {
        const std::string job = dir->file("SQ");
        expected += job + ": converted 12 records, 4 points, 0 chains, 0 warnings" + kOverVerdict +
                    job + ": " + kClosureLine + job + ": " + kSummaryLine;
    }
    EXPECT_EQ(run.out, expected);
    // A sketch is for one job.
    EXPECT_EQ(
        runConvert(second, "--sketch '" + second.file("x.svg") + "' '" + firstJob + "'").status, 2);
}

TEST(ZendroConvertReview, StrictKeepsStatusThreeWhenOnlyAnEarlierJobIsOverALimit) {
    // The first job's square is 1 minute off (1:13750, over 1:20000); the
    // second closes exactly, so the last job reviewed is within its limits.
    TempDir first;
    TempDir last;
    writeSquareJob(first);
    writeSquareJob(last, 9000000);
    const CliRun run = runConvert(
        last, "-j 1 --review --strict --limit-closure-ratio 20000 '" + first.file("SQ") + "'");
    EXPECT_EQ(run.status, 3) << run.out;
}

// Direct 45 00 10.0 / 89 59 50.0, 30.000; reversed 225 00 00.0 / 270 00 20.0,
// 30.002: collimation difference 10.0", index error (89 59 50 + 270 00 20 -
// 360) / 2 = 5.0", distances -0.002 (worked out in the review's plan tests).
void writeFacePairJob(const TempDir& dir) {
    writeFile(dir.file("SQ.HVD"), hvdRecord(1, 1, 150) + hvdRecord(3, 2, 150, 0, 9000000, 1000000) +
                                      hvdRecord(5, 10, 150, 4500100, 8959500, 300000) +
                                      hvdRecord(5, 10, 150, 22500000, 27000200, 300020));
    writeFile(dir.file("SQ.CTX"), ctxPrologue() + ctxRecord(1, 1, "CP") + ctxRecord(1, 2, "CP") +
                                      ctxRecord(1, 10, "SH"));
    writeFile(dir.file("SQ.RTX"), "");
}

TEST(ZendroConvertReview, EachFaceLimitFlagReachesItsOwnCheck) {
    // Flags, then whether the pair is over: each flag sets only its own limit.
    struct Case {
        std::string flags;
        int status;
    };
    const Case cases[] = {
        {"--limit-face-index 4.9", 3},
        {"--limit-face-index 5.1", 0},
        {"--limit-face-horizontal 9.9", 3},
        {"--limit-face-horizontal 10.1", 0},
        {"--limit-face-distance 0.0019", 3},
        {"--limit-face-distance 0.0021", 0},
        {"--limit-face-index 5.1 --limit-face-horizontal 10.1 --limit-face-distance 0.0021", 0},
    };
    TempDir dir;
    writeFacePairJob(dir);
    for (const Case& c : cases) {
        const CliRun run = runConvert(dir, "--review --strict " + c.flags);
        EXPECT_EQ(run.status, c.status) << c.flags << "\n" << run.out;
    }
}

TEST(ZendroConvertReview, SketchFormatByExtension) {
    TempDir dir;
    writeSquareJob(dir);
    // The SVG is 1600 by 1200 units, landscape; at CSS's 96 units to the inch
    // (so a printed 1:N scale holds) that is 1600 / 96 * 25.4 = 423.333 mm by
    // 1200 / 96 * 25.4 = 317.5 mm.
    EXPECT_EQ(runConvert(dir, "--sketch '" + dir.file("sq.SVG") + "'").status, 0);
    EXPECT_NE(readFile(dir.file("sq.SVG"))
                  .find("<svg width=\"423.333mm\" height=\"317.5mm\"\n viewBox=\"0 0 1600 1200\""),
              std::string::npos)
        << readFile(dir.file("sq.SVG")).substr(0, 200);
    // The PDF is one A4 page in landscape: 297 by 210 mm, 842 by 595 points.
    EXPECT_EQ(runConvert(dir, "--sketch '" + dir.file("sq.pdf") + "'").status, 0);
    const std::string pdf = readFile(dir.file("sq.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("/MediaBox [0 0 842.000000 595.000000]"), std::string::npos);
    EXPECT_EQ(pdf.find("/MediaBox", pdf.find("/MediaBox") + 1), std::string::npos);  // one page
    EXPECT_EQ(runConvert(dir, "--sketch '" + dir.file("sq.png") + "'").status, 0);
    EXPECT_EQ(readFile(dir.file("sq.png")).substr(0, 6), "\x89PNG\r\n");
    // A sketch that cannot be written fails the run after the conversion.
    EXPECT_EQ(runConvert(dir, "--sketch '" + dir.file("SQ.obs/sq.pdf") + "'").status, 1);

    TempDir other;
    writeSquareJob(other);
    // An unknown extension is a usage error, found before anything is converted.
    EXPECT_EQ(runConvert(other, "--sketch '" + other.file("sq.txt") + "'").status, 2);
    EXPECT_FALSE(std::filesystem::exists(other.file("SQ.obs")));
}

TEST(ZendroConvertReview, ASketchWithoutItsModuleFailsNamingTheModule) {
    TempDir dir;
    writeSquareJob(dir);
    // A copy of the program in a folder with no sketch module beside it.
    std::filesystem::create_directories(dir.file("elsewhere/bin"));
    const std::string program = dir.file("elsewhere/bin/zendro-convert");
    std::filesystem::copy_file(ZENDRO_CONVERT_PATH, program);
    const std::string module = dir.file("elsewhere/") + ZENDRO_SKETCH_MODULE_FROM_ROOT;

    const CliRun run = runConvert(dir, "--sketch '" + dir.file("sq.svg") + "'", program, true);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("zendro-convert: " + module + ": the sketch module cannot be loaded ("),
              std::string::npos)
        << run.out;
    // The conversion before it stands; only the sketch is missing.
    EXPECT_TRUE(std::filesystem::exists(dir.file("SQ.obs")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("sq.svg")));
    // Without a sketch the copy converts as the original does.
    EXPECT_EQ(runConvert(dir, "", program).status, 0);
}

TEST(ZendroConvertReview, FailedConversionIsNotReviewed) {
    TempDir dir;  // no field files at all
    const CliRun run = runConvert(dir, "--review --strict");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, dir.file("SQ") + ": not converted\n");
}

// The square closed exactly, placed by hand with the first station at
// N 1000, E 2000, Z 50 and the first backsight (point 4) at azimuth 30: a
// local point (n, e) lands at N = 1000 + n cos30 - e sin30, E = 2000 +
// n sin30 + e cos30, so 2 (0, 100) at 950, 2086.6025; 3 (100, 100) at
// 1036.6025, 2136.6025; 4 (100, 0) at 1086.6025, 2050. The control file has
// 1, 3 and 4 there and 2 0.080 farther east, so 2 is 0.080 off (over the
// 0.05 limit). Moving 2 east by 0.080 turns the direction 2 -> 1 (50 north,
// 86.6 west, 100 long) by 0.080 x 50 / 100^2 rad = 82.5" less than observed
// (82.4" taken exactly: 300 00 00 against 299 58 37.6), and 3 -> 2 (86.6
// south) by 0.080 x 86.6 / 100^2 rad = 142.9" (143.0" exactly, less 0.08" for
// the file's coordinates rounded to 0.0001); 1 -> 4 and 4 -> 3 agree. The
// file puts 3 0.100 higher than the job measured it: over the 0.05 limit
// however its sign. Twelve measured checks: the four backsights, four
// control points, four backsights on control; four over.
const std::string kSquareControl =
    "name,N,E,Z\r\n"
    "1,1000.0000,2000.0000,50\r\n"
    "2,950.0000,2086.6825,50\r\n"
    "3,1036.6025,2136.6025,50.1\r\n"
    "4,1086.6025,2050.0000,50\r\n";

TEST(ZendroConvertControl, ChecksEveryControlPointAndBacksightOnControl) {
    TempDir dir;
    writeSquareJob(dir, 9000000);
    writeFile(dir.file("control.csv"), kSquareControl);
    const std::string before = readFile(dir.file("SQ.HVD"));
    const CliRun run =
        runConvert(dir, "--review --strict --start 1000,2000,50 --azimuth 30 --control '" +
                            dir.file("control.csv") + "'");
    const std::string within = "; limit 0.050, elevation 0.050: within limit\n";
    const std::string zero = "north 0.000 east 0.000 elevation 0.000, horizontal 0.000";
    EXPECT_EQ(
        run.out,
        dir.file("SQ") +
            ": converted 12 records, 4 points, 0 chains, 0 warnings; 4 review "
            "checks over their limits, the first: HVD record 2, setup on 1, point 2: check the "
            "control point's number and coordinates, then re-measure the setups and shots that "
            "place it\n"
            "HVD record 0, point 1: control point check against the control file's line 2: " +
            zero + within +
            "HVD record 1, setup on 1, point 4: control point check against the control file's "
            "line 5: " +
            zero + within +
            "HVD record 1, setup on 1, point 1: backsight on control point 4 from control point 1: "
            "azimuth 30.00000 against 30.00000 between the known points (0.0\"); limit "
            "20.0\": within limit\n"
            "HVD record 2, setup on 1, point 2: control point check against the control file's "
            "line 3: "
            "north 0.000 east -0.080 elevation 0.000, horizontal 0.080; limit 0.050, "
            "elevation 0.050: OVER LIMIT, check the control point's number and "
            "coordinates, then re-measure the setups and shots that place it\n"
            "HVD record 4, setup on 2, point 2: backsight on control point 1 from control point 2: "
            "azimuth 300.00000 against 299.58376 between the known points (82.4\"); limit "
            "20.0\": OVER LIMIT, check both control points' numbers and coordinates, then "
            "re-measure the backsight\n"
            "HVD record 5, setup on 2, point 3: control point check against the control file's "
            "line 4: "
            "north 0.000 east 0.000 elevation -0.100, horizontal 0.000; limit 0.050, "
            "elevation 0.050: OVER LIMIT, check the control point's number and "
            "coordinates, then re-measure the setups and shots that place it\n"
            "HVD record 7, setup on 3, point 3: backsight on control point 2 from control point 3: "
            "azimuth 210.00000 against 209.57371 between the known points (142.9\"); limit "
            "20.0\": OVER LIMIT, check both control points' numbers and coordinates, then "
            "re-measure the backsight\n"
            "HVD record 10, setup on 4, point 4: backsight on control point 3 from control point "
            "4: "
            "azimuth 120.00000 against 120.00000 between the known points (0.0\"); limit "
            "20.0\": within limit\n"
            "HVD record 11, setup on 4, point 1: traverse closure: misclosure north 0.0000 east "
            "0.0000 "
            "elevation 0.0000, linear 0.0000 over 400.000, precision exact; limit 1:10000, "
            "elevation 0.100: within limit\n"
            "review: 9 findings, 4 over limit, 8 measured checks within limit\n");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(readFile(dir.file("SQ.HVD")), before);
}

// Control points 1, 3 and 4 (held or weighted alike) place the square without
// a start: turned and moved onto them, every point lands where the start by
// hand put it.
TEST(ZendroConvertControl, ControlPointsPlaceTheJobLikeAStartByHand) {
    TempDir dir;
    writeSquareJob(dir, 9000000);
    writeFile(dir.file("control.csv"),
              "1 1000.0000 2000.0000 50 fixed\n3 1036.6025 2136.6025 50 free 0.01\n"
              "4 1086.6025 2050.0000 50\n");
    const CliRun run = runConvert(dir, "--review --control '" + dir.file("control.csv") + "'");
    EXPECT_NE(
        run.out.find("HVD record 1, setup on 1, point 4: control point check against the control "
                     "file's line 3: north 0.000 east 0.000 elevation 0.000"),
        std::string::npos)
        << run.out;
    // The closure, control points 1, 4 and 3, backsights 1 -> 4 and 4 -> 3.
    EXPECT_NE(run.out.find("review: 6 findings, 0 over limit"), std::string::npos) << run.out;
}

// Bad control or a system in the other unit stops the run before converting:
// nothing is written and the message names the file and line, or the system.
TEST(ZendroConvertControl, RefusesBadControlAndAnotherUnitBeforeConverting) {
    TempDir dir;
    writeSquareJob(dir, 9000000);
    writeFile(dir.file("control.csv"), "1,1000,2000,50\n1,1000,2000,51\n");
    const std::string control = dir.file("control.csv");
    const CliRun duplicate =
        runConvert(dir, "--control '" + control + "'", ZENDRO_CONVERT_PATH, true);
    EXPECT_EQ(duplicate.status, 1);
    EXPECT_EQ(duplicate.out.rfind("zendro-convert: " + control + ": line 2: ", 0), 0u)
        << duplicate.out;
    const CliRun meters = runConvert(dir, "--crs EPSG:26943", ZENDRO_CONVERT_PATH, true);
    EXPECT_EQ(meters.status, 1);
    EXPECT_NE(meters.out.find("EPSG:26943: the job is in US survey feet"), std::string::npos)
        << meters.out;
    const CliRun noAzimuth = runConvert(dir, "--start 1,2,3", ZENDRO_CONVERT_PATH, true);
    EXPECT_EQ(noAzimuth.status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("SQ.obs")));
}

// The exports read the positions the job was placed in: the square placed by
// hand as above, written as CSV in the order P E N Z (no description column),
// the lengths' unit in the column names.
TEST(ZendroConvertExport, WritesThePlacedPositionsAndCommitsAllOrNothing) {
    TempDir dir;
    writeSquareJob(dir, 9000000);
    const std::string csv = dir.file("{job}-tied.csv");
    const CliRun run = runConvert(
        dir, "--start 1000,2000,50 --azimuth 30 --csv-columns PENZ --export 'csv:" + csv +
                 "' --export 'landxml:" + dir.file("{job}.xml") + "'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(readFile(dir.file("SQ-tied.csv")),
              "Point,Easting (US ft),Northing (US ft),Elevation (US ft)\r\n"
              "1,2000.000,1000.000,50.000\r\n"
              "2,2086.603,950.000,50.000\r\n"
              "3,2136.603,1036.603,50.000\r\n"
              "4,2050.000,1086.603,50.000\r\n");
    EXPECT_TRUE(std::filesystem::exists(dir.file("SQ.xml")));

    // A second export that cannot be written leaves the first one unwritten too.
    writeFile(dir.file("plain"), "a file, not a folder");
    std::filesystem::remove(dir.file("SQ-tied.csv"));
    const CliRun failed = runConvert(
        dir, "--export 'csv:" + csv + "' --export 'dxf:" + dir.file("plain/SQ.dxf") + "'",
        ZENDRO_CONVERT_PATH, true);
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out.find("zendro-convert: " + dir.file("plain/SQ.dxf") + ": "),
              std::string::npos)
        << failed.out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("SQ-tied.csv")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("SQ.obs")));
}

TEST(ZendroConvertExport, RefusesWhatWouldBeWrongBeforeConverting) {
    TempDir dir;
    writeSquareJob(dir, 9000000);
    // Two jobs into one file would leave only the last.
    const CliRun shared = runConvert(dir, "--export csv:all.csv '" + dir.file("SQ") + "'");
    EXPECT_EQ(shared.status, 2);
    EXPECT_EQ(runConvert(dir, "--export shp:a.shp").status, 2);
    EXPECT_EQ(runConvert(dir, "--csv-columns PNNE --export csv:a.csv").status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("SQ.obs")));
    // Local positions are not put on a grid.
    const CliRun local =
        runConvert(dir, "--crs EPSG:2227 --export 'kml:" + dir.file("SQ.kml") + "'",
                   ZENDRO_CONVERT_PATH, true);
    EXPECT_EQ(local.status, 1);
    EXPECT_NE(local.out.find(dir.file("SQ.kml") + ": the job's positions are local"),
              std::string::npos)
        << local.out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("SQ.kml")));
}

// An export, a report or a sketch that would replace a file of the job, or
// that two outputs share, is refused before anything is written: the job's
// files stay byte for byte as they were. Several jobs may follow --export.
TEST(ZendroConvertExport, NeverReplacesAFileOfTheJob) {
    struct Case {
        std::string flags;
        std::string refusal;  // what the message says after the file's name
    };
    TempDir dir;
    writeSquareJob(dir);
    ASSERT_EQ(runConvert(dir, "").status, 0);  // the OBS file and JOB.pf exist from here
    const std::string hvd = readFile(dir.file("SQ.HVD"));
    const std::string pf = readFile(dir.file("SQ.pf"));
    const Case cases[] = {
        {"--export 'csv:" + dir.file("{job}.HVD") + "'", ": would replace "},
        {"--export 'csv:" + dir.file("{job}.hvd") + "'", ": would replace "},
        {"--export 'dxf:" + dir.file("{job}.pf") + "'", ": would replace "},
        {"--export 'landxml:" + dir.file("SQ.obs") + "'", ": would replace "},
        {"--sketch '" + dir.file("{job}.RTX") + ".svg' --export 'csv:" + dir.file("{job}.RTX") +
             "'",
         ": would replace "},
        {"--export 'csv:" + dir.file("x") + "' --export 'landxml:" + dir.file("x") + "'",
         ": is named for two outputs of this run"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        const CliRun run = runConvert(dir, c.flags, ZENDRO_CONVERT_PATH, true);
        EXPECT_EQ(run.status, 1) << run.out;
        EXPECT_NE(run.out.find(c.refusal), std::string::npos) << run.out;
        EXPECT_EQ(readFile(dir.file("SQ.HVD")), hvd);
        EXPECT_EQ(readFile(dir.file("SQ.pf")), pf);
        EXPECT_FALSE(std::filesystem::exists(dir.file("x")));
        EXPECT_FALSE(std::filesystem::exists(dir.file("SQ.hvd")));
    }
    // Two jobs: one fixed name for both is refused, "{job}" gives each its file.
    writeSquareJob(dir, 9000000);
    std::filesystem::copy_file(dir.file("SQ.HVD"), dir.file("SQ2.HVD"));
    std::filesystem::copy_file(dir.file("SQ.pf"), dir.file("SQ2.pf"));
    const CliRun fixed =
        runConvert(dir, "--export 'csv:" + dir.file("both.csv") + "' '" + dir.file("SQ2") + "'",
                   ZENDRO_CONVERT_PATH, true);
    EXPECT_EQ(fixed.status, 2) << fixed.out;
    EXPECT_NE(fixed.out.find("with several jobs the file must hold {job}"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("both.csv")));
    const CliRun named =
        runConvert(dir, "--export 'csv:" + dir.file("{job}.csv") + "' '" + dir.file("SQ2") + "'");
    EXPECT_EQ(named.status, 0);
    EXPECT_EQ(readFile(dir.file("SQ.csv")).substr(0, 6), "Point,");
    EXPECT_EQ(readFile(dir.file("SQ2.csv")), readFile(dir.file("SQ.csv")));
}

// --adjust prints the adjustment after the review, and the exports then write
// the adjusted positions; under --strict a named blunder exits 3 like a limit.
TEST(ZendroConvertAdjust, ReportsAfterTheReviewAndExportsTheAdjustedPositions) {
    TempDir dir;
    writeSquareJob(dir);  // the angle at B a minute off
    const CliRun run = runConvert(dir,
                                  "--review --strict --limit-closure-ratio 5000 --adjust "
                                  "--csv-comment --export 'csv:" +
                                      dir.file("{job}.csv") + "'");
    const std::string summary =
        "review: 1 findings, 0 over limit, 4 measured checks within limit\nLeast-squares "
        "adjustment\n";
    ASSERT_NE(run.out.find(summary), std::string::npos) << run.out;
    const std::string afterReview = run.out.substr(run.out.find(summary) + summary.size());
    const std::string csv = readFile(dir.file("SQ.csv"));
    EXPECT_EQ(csv.substr(0, csv.find('\r')), "# SQ: adjusted frame, US survey feet");
    // The heights are exact, so the vertical variance factor 0 falls below the
    // chi-square's lower bound, and the loop's angles close +60" against
    // 10" x sqrt(4) = 20": either fails --strict.
    EXPECT_NE(afterReview.find("angular misclosure +60.0\" (limit 20.0\"): over the limit"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.status, 3);

    // Directions without a single distance have no scale: the reason, status 1, no export.
    writeFile(dir.file("SQ.HVD"), hvdRecord(1, 1, 150) + hvdRecord(3, 4, 150, 0, 9000000, 0) +
                                      hvdRecord(4, 2, 150, 9000000, 9000000, 0));
    std::filesystem::remove(dir.file("SQ.csv"));
    const CliRun unscaled = runConvert(dir, "--adjust --export 'csv:" + dir.file("{job}.csv") + "'",
                                       ZENDRO_CONVERT_PATH, true);
    EXPECT_EQ(unscaled.status, 1);
    EXPECT_NE(unscaled.out.find("zendro-convert: " + dir.file("SQ.HVD") + ": "), std::string::npos)
        << unscaled.out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("SQ.csv")));
}

// Each a priori deviation given reaches the adjustment, the distance's read
// as A then PPM: 0.004 ft + 30 ppm of a 100 ft leg is sqrt(0.004^2 + 0.003^2)
// = 0.005 (the first leg's 0.0165 more changes nothing shown). With 4", 7" and no centring the held
// traverse's parts are those of the sound row of the chi-square cases
// (tests/adjustment/statistics_test.cpp); any deviation left at its default, or the pair read the
// other way, moves them.
TEST(ZendroConvertAdjust, EachDeviationGivenReachesTheReport) {
    TempDir dir;
    writeFile(dir.file("SQ.HVD"), testing::heldTraverseHvd(165, 100, 1));
    std::string ctx = ctxPrologue();
    for (const std::uint16_t point : std::initializer_list<std::uint16_t>{1, 2, 3, 4, 101, 104})
        ctx += ctxRecord(1, point, "CP");
    writeFile(dir.file("SQ.CTX"), ctx);
    writeFile(dir.file("SQ.RTX"), "");
    writeFile(dir.file("control.csv"), testing::kHeldTraverseControl);
    const CliRun run = runConvert(dir, "--adjust --control '" + dir.file("control.csv") +
                                           "' --sigma-direction 4 --sigma-zenith 7 "
                                           "--sigma-distance 0.004,30 --sigma-centring 0,0");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\n  Horizontal: 16 observations, 8 unknowns, 8 degrees of freedom, "
                           "variance factor 1.025, chi-square 8.20 against 2.18 to 17.53: "
                           "passed\n  Vertical: 8 observations, 2 unknowns, 6 degrees of "
                           "freedom, variance factor 0.965, chi-square 5.79 against 1.24 to "
                           "14.45: passed\n"),
              std::string::npos)
        << run.out;
}

// --report writes after the job's other outputs, the PDF and the text
// together; the text opens with the title block (1765117800 is 2025-12-07
// 14:30 UTC, the date the run stamps) and ends with the files the run wrote.
TEST(ZendroConvertReport, WritesThePdfAndTheTextBesideTheOtherOutputs) {
    TempDir dir;
    writeSquareJob(dir);
    const CliRun run = runConvert(
        dir, "--limit-closure-ratio 20000 --sketch '" + dir.file("{job}.svg") +
                 "' --export 'csv:" + dir.file("{job}.csv") + "' --report '" +
                 dir.file("{job}-report.pdf") + "' --report '" + dir.file("{job}-report.txt") +
                 "' --report-instrument 'TS-11 #4471' --report-crew 'R. Ortiz, K. Lee'");
    EXPECT_EQ(run.status, 0) << run.out;
    for (const char* name : {"SQ.obs", "SQ.svg", "SQ.csv"})
        EXPECT_TRUE(std::filesystem::exists(dir.file(name))) << name;
    EXPECT_EQ(readFile(dir.file("SQ-report.pdf")).substr(0, 5), "%PDF-");
    const std::string text = readFile(dir.file("SQ-report.txt"));
    EXPECT_EQ(text.substr(0, text.find("\r\nVerdict: ")),
              "ZENDRO job report\r\nJob: SQ\r\nDate: 2025-12-07\r\nInstrument: TS-11 #4471\r\n"
              "Crew: R. Ortiz, K. Lee\r\nUnit: US survey feet\r\nFrame: local\r\n"
              "Checked by: ____________________  Date: ____________________\r\n\r\nSummary\r\n" +
                  kSummaryLine.substr(0, kSummaryLine.size() - 1));
    EXPECT_TRUE(text.ends_with("\r\nFiles written\r\n" + dir.file("SQ.obs") + "\r\n" +
                               dir.file("SQ.pf") +
                               "\r\nConverted: 12 HVD records, 4 point-feature entries, 0 chains, "
                               "0 warnings\r\nsketch: " +
                               dir.file("SQ.svg") + "\r\ncsv: " + dir.file("SQ.csv") + "\r\n"))
        << text;
}

// As a sketch that cannot be written: the run fails after the conversion,
// naming the file; the conversion, the sketch and the exports stand, and none
// of the job's reports is written.
TEST(ZendroConvertReport, AReportThatCannotBeWrittenIsNamedAndNoReportIsLeft) {
    TempDir dir;
    writeSquareJob(dir);
    writeFile(dir.file("plain"), "a file, not a folder");
    for (const char* failing : {"plain/SQ.pdf", "plain/SQ.txt"}) {
        SCOPED_TRACE(failing);
        const CliRun run =
            runConvert(dir,
                       "--sketch '" + dir.file("sq.svg") +
                           "' --export 'csv:" + dir.file("{job}.csv") + "' --report '" +
                           dir.file("{job}-report.txt") + "' --report '" + dir.file(failing) + "'",
                       ZENDRO_CONVERT_PATH, true);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find("zendro-convert: " + dir.file(failing) + ": "), std::string::npos)
            << run.out;
        for (const char* name : {"SQ.obs", "sq.svg", "SQ.csv"})
            EXPECT_TRUE(std::filesystem::exists(dir.file(name))) << name;
        EXPECT_FALSE(std::filesystem::exists(dir.file("SQ-report.txt")));
        EXPECT_EQ(readFile(dir.file("plain")), "a file, not a folder");
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos)
                << entry.path();
    }
}

struct BadSheetFlags {
    const char* flags;
    const char* message;
};

const BadSheetFlags kBadSheetFlags[] = {
    {"--sketch-paper b5", "--sketch-paper: the paper is letter, tabloid, a4 or a3, not b5"},
    {"--sketch-scale 0",
     "--sketch-scale: the scale is 1:N with N a number from 1 to 10000000, not 0"},
    {"--sketch-scale 1:500",
     "--sketch-scale: the scale is 1:N with N a number from 1 to 10000000, not 1:500"},
    {"--sketch-scale abc",
     "--sketch-scale: the scale is 1:N with N a number from 1 to 10000000, not abc"},
    {"--sketch-scale 2e7",
     "--sketch-scale: the scale is 1:N with N a number from 1 to 10000000, not 2e7"},
};

TEST(ZendroConvertSketch, BadPaperOrScaleIsRefusedWithItsReasonBeforeConverting) {
    TempDir dir;
    writeSquareJob(dir);
    for (const BadSheetFlags& c : kBadSheetFlags) {
        const CliRun run = runConvert(dir, "--sketch '" + dir.file("sq.pdf") + "' " + c.flags,
                                      ZENDRO_CONVERT_PATH, true);
        EXPECT_EQ(run.status, 2) << c.flags;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << run.out;
    }
    // A paper or a scale means nothing without a sketch.
    for (const char* flag : {"--sketch-paper a3", "--sketch-scale 500"}) {
        const CliRun run = runConvert(dir, flag, ZENDRO_CONVERT_PATH, true);
        EXPECT_EQ(run.status, 2) << flag;
        EXPECT_NE(run.out.find("requires --sketch"), std::string::npos) << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("SQ.obs")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("sq.pdf")));
}

}  // namespace
}  // namespace zendro
