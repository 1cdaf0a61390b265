#include "conversion/headers.h"

#include <gtest/gtest.h>

#include "tests/support/job_builder.h"
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

// A SOURCE_DATE_EPOCH value and the header date and time it gives, or "" for
// a value that is refused.
struct EpochCase {
    const char* value;
    const char* dateAndTime;
};

constexpr EpochCase kEpochCases[] = {
    {"1700000000", "11-14-2023 22:13:20"},
    {"0", "01-01-1970 00:00:00"},
    {"000951782400", "02-29-2000 00:00:00"},  // leading zeros; a leap day
    {"253402300799", "12-31-9999 23:59:59"},  // the last four-digit year
    {"253402300800", ""},
    {"67768036191676799", ""},  // overflowed the year before
    {"99999999999999999999999", ""},
    {"12abc", ""},
    {"-1", ""},
    {"+5", ""},
    {" 5", ""},
    {"5 ", ""},
    {"1.5", ""},
    {"", ""},
};

TEST(HeaderClock, SourceDateEpochIsAWholeNumberOfSecondsFrom1970To9999) {
    for (const EpochCase& c : kEpochCases) {
        const std::optional<HeaderDateTime> when = epochDateTime(c.value);
        const std::string shown = when ? headerDate(*when) + " " + headerTime(*when) : "";
        EXPECT_EQ(shown, c.dateAndTime) << "SOURCE_DATE_EPOCH=" << c.value;
    }
}

TEST(HeaderClock, TheVariableGivesThatInstantOrAWarning) {
    testing::RecordingObserver observer;
    ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    const HeaderDateTime when = defaultHeaderClock(observer)();
    EXPECT_EQ(headerDate(when) + " " + headerTime(when), "11-14-2023 22:13:20");
    ::setenv("SOURCE_DATE_EPOCH", "", 1);
    defaultHeaderClock(observer);
    EXPECT_TRUE(observer.warnings.empty());

    ::setenv("SOURCE_DATE_EPOCH", "12abc", 1);
    defaultHeaderClock(observer);
    ::unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(observer.warnings, std::vector<std::string>{
                                     "SOURCE_DATE_EPOCH \"12abc\" is not a whole number of seconds "
                                     "within the years 1970 to 9999; the local time is used"});
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
