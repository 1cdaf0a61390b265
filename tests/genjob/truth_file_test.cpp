// The truth file: read back by the control file reader it is written for, and
// a write that fails names the file.

#include <gtest/gtest.h>

#include <fstream>

#include "common/errors.h"
#include "coordinates/control_file.h"
#include "tests/support/temp_dir.h"
#include "tools/genjob/corridor_plan.h"
#include "tools/genjob/truth_file.h"

namespace zendro::testing {
namespace {

// Every point comes back with its number and its position to the 0.00005 the
// four decimals keep.
TEST(TruthFile, ReadsBackThroughTheControlFileReader) {
    genjob::CorridorShape shape;
    shape.job.points = 30;
    shape.job.seed = 9;
    const genjob::JobPlan plan = genjob::planCorridor(shape);
    const std::vector<coordinates::ControlPoint> read =
        coordinates::readControlFile("truth.csv", genjob::truthFileBytes(plan.truth));
    ASSERT_EQ(read.size(), plan.truth.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].number, plan.truth[i].number);
        EXPECT_NEAR(read[i].north, plan.truth[i].position.north, 5e-5);
        EXPECT_NEAR(read[i].east, plan.truth[i].position.east, 5e-5);
        EXPECT_NEAR(read[i].elevation, plan.truth[i].position.elevation, 5e-5);
    }
}

TEST(TruthFile, AWriteThatFailsNamesTheFile) {
    TempDir dir;
    const std::string folder = dir.file("not-a-folder");
    std::ofstream(folder) << "x";
    const std::string path = folder + "/truth.csv";
    try {
        genjob::writeTruthFile({{1, {1, 2, 3}}}, path);
        FAIL() << "no error";
    } catch (const ZendroError& error) {
        EXPECT_EQ(std::string(error.what()), path + ": cannot write the truth file");
    }
}

}  // namespace
}  // namespace zendro::testing
