// zendro-level as a user runs it: exit status, messages, the files written.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/file_io.h"
#include "tests/support/program_run.h"
#include "tests/support/temp_dir.h"

namespace zendro::levels {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

using Outcome = testing::ProgramOutcome;
using testing::shellQuoted;

Outcome level(const TempDir& dir, const std::string& arguments) {
    return testing::runProgram(dir, "cd " + shellQuoted(dir.path()) + " && " +
                                        shellQuoted(ZENDRO_LEVEL_PATH) + " " + arguments);
}

std::string caseFile(const std::string& name) {
    return readFile(std::string(ZENDRO_LEVEL_CASES_DIR) + "/" + name);
}

// The published-layout line between two held benchmarks: its turning points
// take the residual -0.00006 m by their share of the line's 169.386 m,
// 57.617 m for 31 (t = 0.340152) and 119.711 m for 32 (t = 0.706735):
// 100.09835 - 0.0000204 = 100.09833 and 100.31468 - 0.0000424 = 100.31464;
// their sd sqrt(2e-9 x 169.386 x t(1-t)): 0.00028 and 0.00026.
TEST(ZendroLevel, WritesTheHeightsAsCsvAndTheReport) {
    TempDir dir;
    writeFile(dir.file("run.dat"), caseFile("published-columns/run.dat"));
    writeFile(dir.file("control.csv"), caseFile("published-columns/control.csv"));
    const Outcome outcome =
        level(dir, "run.dat --control control.csv --report run.txt --export csv:run.csv --strict");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(readFile(dir.file("run.csv")),
              "Point,Height (m),Standard deviation (m),Source\r\n"
              "122012,100.00000,0.00000,benchmark held\r\n"
              "31,100.09833,0.00028,turning point\r\n"
              "32,100.31464,0.00026,turning point\r\n"
              "122013,100.26300,0.00000,benchmark held\r\n");
    EXPECT_EQ(readFile(dir.file("run.txt")), caseFile("published-columns/expected.txt"));
    EXPECT_NE(outcome.out.find("run.dat: line 3, Adr 22, point 122013: line from 122012 to 122013"),
              std::string::npos)
        << outcome.out;
}

// The PDF report is drawn by the module beside the program from the same
// model as the text: the same level book, read back by pdftotext (which reads
// "fi" back as its ligature: no line below holds one).
TEST(ZendroLevel, WritesThePdfReport) {
    TempDir dir;
    writeFile(dir.file("run.dat"), caseFile("published-columns/run.dat"));
    writeFile(dir.file("control.csv"), caseFile("published-columns/control.csv"));
    const Outcome outcome = level(dir, "run.dat --control control.csv --report run.pdf");
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const std::string text = dir.file("run.pdf.txt");
    ASSERT_EQ(std::system((shellQuoted(ZENDRO_PDFTOTEXT) + " -layout " +
                           shellQuoted(dir.file("run.pdf")) + " " + shellQuoted(text))
                              .c_str()),
              0);
    const std::string read = readFile(text);
    for (const char* line :
         {"Line 3 (run.dat, BF): 122012 to 122013, start height 100.00000 (control ",
          "Closure: between benchmarks, misclosure 0.00006 m, allowance 0.00494 m: within",
          "Page 1 of "})
        EXPECT_NE(read.find(line), std::string::npos) << line << "\n" << read;
}

TEST(ZendroLevel, ExitsThreeOverALimitUnderStrict) {
    TempDir dir;
    writeFile(dir.file("run.dat"), caseFile("marked-reading/run.dat"));
    EXPECT_EQ(level(dir, "run.dat").status, 0);
    const Outcome strict = level(dir, "run.dat --strict");
    EXPECT_EQ(strict.status, 3);
    EXPECT_NE(strict.out.find("run.dat: line 1, Adr 4: 1 reading(s) marked e by the level (Adr 4); "
                              "limit 0: OVER LIMIT"),
              std::string::npos)
        << strict.out;
    // A limit given on the command line lets it pass.
    EXPECT_EQ(
        level(dir, "run.dat --strict --limit-marked-readings 1 --limit-lowest-reading 0.4").status,
        0);
}

TEST(ZendroLevel, UsageErrorsExitTwo) {
    TempDir dir;
    for (const char* arguments : {"", "run.dat --report run.doc", "run.dat --export kml:run.kml",
                                  "run.dat --metric --feet us", "run.dat --sigma-km 0",
                                  "run.dat --limit-longest-sight -1"}) {
        const Outcome outcome = level(dir, arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_NE(outcome.err, "") << arguments;
    }
}

TEST(ZendroLevel, AFileThatCannotBeReadFailsNamingIt) {
    TempDir dir;
    writeFile(dir.file("empty.dat"), "\r\n");
    Outcome outcome = level(dir, "empty.dat");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "zendro-level: empty.dat: the file is empty: no M5 line to read\n");
    outcome = level(dir, "missing.dat");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err.rfind("zendro-level: missing.dat: ", 0), 0u) << outcome.err;
    writeFile(dir.file("run.dat"), caseFile("published-columns/run.dat"));
    writeFile(dir.file("control.csv"), "122012,,,abc\n");
    outcome = level(dir, "run.dat --control control.csv");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "zendro-level: control.csv: line 1: Z \"abc\" is not a number\n");
}

// The report and the CSV are written together: when one cannot be, neither is;
// an output that names an input is refused before anything is written.
TEST(ZendroLevel, WritesBothOutputsOrNeither) {
    TempDir dir;
    const std::string bytes = caseFile("published-columns/run.dat");
    writeFile(dir.file("run.dat"), bytes);
    writeFile(dir.file("plain"), "a file, not a folder");
    Outcome outcome = level(dir, "run.dat --report run.txt --export csv:plain/run.csv");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err.rfind("zendro-level: plain/run.csv: ", 0), 0u) << outcome.err;
    EXPECT_FALSE(fileExists(dir.file("run.txt")));
    outcome = level(dir, "run.dat --export csv:./run.dat");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "zendro-level: ./run.dat: is an input of the run: name another file to write\n");
    EXPECT_EQ(readFile(dir.file("run.dat")), bytes);
}

}  // namespace
}  // namespace zendro::levels
