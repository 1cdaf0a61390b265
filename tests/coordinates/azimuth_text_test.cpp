// Azimuths read as DDD.MMSS and written back, over the cases in
// azimuth_cases.txt: the range of minutes and seconds, rounding to the tenth
// of a second and carrying it through 60 and 360.

#include "coordinates/azimuth_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace zendro::coordinates {
namespace {

TEST(AzimuthText, ReadsAndWritesEveryCase) {
    std::ifstream file(ZENDRO_AZIMUTH_CASES);
    int cases = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string input, expected;
        fields >> input >> expected;
        const std::optional<double> degrees = azimuthFromText(input);
        EXPECT_EQ(degrees ? azimuthText(*degrees) : "refused", expected) << input;
        ++cases;
    }
    EXPECT_EQ(cases, 16);
}

}  // namespace
}  // namespace zendro::coordinates
