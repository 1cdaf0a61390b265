#include "conversion/headers.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::crlfLines;

const HeaderDateTime kWhen{2026, 3, 7, 9, 5, 4};

std::string trvHeader(std::string_view jobName) {
    std::string out;
    LineWriter trv(out);
    writeTrvHeader(trv, jobName, fixedHeaderClock(kWhen));
    return out;
}

TEST(TrvHeader, TwelveLinesWithAFiveCharacterJobName) {
    EXPECT_EQ(trvHeader("JOB12"), crlfLines({
                                      "VE,1.0",
                                      "TY,1",
                                      "OP,1,1",
                                      "RE,=====================================",
                                      "RE,=                                   =",
                                      "RE,=   TRANSLATED FROM: JOB12   .HVD   =",
                                      "RE,=   DATE: 03-07-2026                =",
                                      "RE,=   TIME: 09:05:04                  =",
                                      "RE,=                                   =",
                                      "RE,= USING ZENDRO.EXE VERSION 4.2.6   =",
                                      "RE,=====================================",
                                      "BB,0 00 00NA",
                                  }));
}

TEST(TrvHeader, JobNamesOfZeroEightAndNineCharacters) {
    const auto line6 = [](std::string_view name) {
        const std::string header = trvHeader(name);
        const auto start = header.find("RE,=   TRANSLATED");
        return header.substr(start, header.find("RE,=   DATE") - start);
    };
    EXPECT_EQ(line6(""), "RE,=   TRANSLATED FROM:         .HVD   =\r\n");
    EXPECT_EQ(line6("ABCDEFGH"), "RE,=   TRANSLATED FROM: ABCDEFGH.HVD   =\r\n");
    EXPECT_EQ(line6("ABCDEFGHI"),
              "RE,=   TRANSLATED FROM: ABCDEFGHI\r\n" + std::string(32, ' ') + ".HVD   =\r\n");
}

TEST(ObsHeader, NineLines) {
    std::string out;
    LineWriter obs(out);
    writeObsHeader(obs, "JOB12", fixedHeaderClock(kWhen));
    EXPECT_EQ(out, crlfLines({
                       "H 00 GEOPAK OBS file created from Surveyor Dozirezir Binary files",
                       "H 99 =====================================",
                       "H 99 ",
                       "H 99 TRANSLATED FROM: JOB12.HVD",
                       "H 99 DATE: 03-07-2026",
                       "H 99 TIME: 09:05:04",
                       "H 99 ",
                       "H 99 USING ZENDRO.EXE VERSION 4.2.6",
                       "H 99 =====================================",
                   }));
}

TEST(HeaderClock, SourceDateEpochGivesThatInstantInUtc) {
    ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    const HeaderDateTime when = defaultHeaderClock()();
    ::unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(headerDate(when), "11-14-2023");
    EXPECT_EQ(headerTime(when), "22:13:20");
}

TEST(HeaderClock, EachLineAsksTheClockAgain) {
    int calls = 0;
    std::string out;
    LineWriter trv(out);
    writeTrvHeader(trv, "J", [&] {
        ++calls;
        return HeaderDateTime{2026, 12, 31, 23, 59, calls == 1 ? 59 : 0};
    });
    EXPECT_EQ(calls, 2);
    EXPECT_NE(out.find("RE,=   TIME: 23:59:00"), std::string::npos);
}

}  // namespace
}  // namespace zendro
