#include "features/chain_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::chainOptions;
using testing::crlfLines;
using testing::RecordingObserver;

using Entries = std::vector<std::pair<std::string, std::string>>;

// Point-feature lines as the point-name pass writes them: " name ,description, ".
std::string pfLines(const Entries& entries) {
    std::string text;
    for (const auto& [name, description] : entries) {
        text += " " + name + " ," + description + ", \r\n";
    }
    return text;
}

std::string chainSection(std::string_view pfBytes, const ChainOptions& options = {}) {
    std::string obs;
    LineWriter writer(obs);
    NullObserver observer;
    writeChainSection(writer, pfBytes, options, observer);
    return obs;
}

// The section framed by its first and last line.
std::string framed(std::initializer_list<std::string_view> lines) {
    std::string text = crlfLines({"R 99 CHAIN DATA STARTS HERE"});
    text += crlfLines(lines);
    text += crlfLines({"R 99 CHAIN DATA ENDS HERE"});
    return text;
}

std::string pad(std::size_t spaces) { return std::string(spaces, ' '); }

// ---------------------------------------------------------------------------
// Whole chains

TEST(ChainSection, WorkedExample) {
    const std::string pf = pfLines(
        {{"1001", "+EP"}, {"1002", "CL"}, {"1003", "EP"}, {"1004", "EP*"}, {"1005", "-EP"}});
    EXPECT_EQ(chainSection(pf), framed({
                                    "F 00 EP-99" + pad(23) + "+1 EP",
                                    "F 01 S1001,S1003,S1004,S1005",
                                    "F 02 S1001,S1003,S1004,S1005",
                                }));
}

TEST(ChainSection, OptionsGivePrefixSuffixAndCurveCode) {
    const std::string pf = pfLines({{"7", "+EP"}, {"8", "EP#"}, {"9", "EP*"}, {"10", "-EP"}});
    EXPECT_EQ(chainSection(pf, chainOptions("P", "#", "-12")), framed({
                                                                   "F 00 EP-12" + pad(23) + "+1 EP",
                                                                   "F 01 P7,P8,P10",
                                                                   "F 02 P7,P8,P10",
                                                               }));
    EXPECT_EQ(chainSection(pf, chainOptions("", "", "")), framed({
                                                              "F 00 EP" + pad(26) + "+1 EP",
                                                              "F 01 7,10",
                                                              "F 02 7,10",
                                                          }));
}

TEST(ChainSection, NoChainsLeavesTheFramingLinesAlone) {
    EXPECT_EQ(chainSection(""), framed({}));
    EXPECT_EQ(chainSection(pfLines({{"1", "-EP"}, {"2", "EP"}, {"3", "CL+"}})), framed({}));
}

TEST(ChainSection, ReportsStatusAndProgressPerEntry) {
    std::string obs;
    LineWriter writer(obs);
    RecordingObserver observer;
    writeChainSection(writer, pfLines({{"1", "EP"}, {"2", "CL"}, {"3", "+EP"}, {"4", "-EP"}}), {},
                      observer);
    EXPECT_EQ(observer.statuses, std::vector<std::string>{"Writing Chains"});
    EXPECT_EQ(observer.progressValues, (std::vector<double>{0, 25, 50, 75, 100}));

    RecordingObserver emptyRun;
    writeChainSection(writer, "", {}, emptyRun);
    EXPECT_EQ(emptyRun.progressValues, std::vector<double>{0});
}

// ---------------------------------------------------------------------------
// Ten point texts to a line

TEST(ChainLines, TwelvePointsWrapAfterTheStartAndNinePoints) {
    Entries entries{{"1001", "+EP"}};
    for (int point = 1002; point <= 1013; ++point) {
        entries.emplace_back(std::to_string(point), "EP");
    }
    entries.emplace_back("1014", "-EP");
    EXPECT_EQ(chainSection(pfLines(entries)),
              framed({
                  "F 00 EP-99" + pad(23) + "+1 EP",
                  "F 01 S1001,S1002,S1003,S1004,S1005,S1006,S1007,S1008,S1009,S1010, ",
                  "F 01 S1011,S1012,S1013,S1014",
                  "F 02 S1001,S1002,S1003,S1004,S1005,S1006,S1007,S1008,S1009,S1010,",
                  "F 02 S1011,S1012,S1013,S1014",
              }));
}

TEST(ChainLines, TenthPointLastWithoutEndTextLeavesBareLastLines) {
    Entries entries{{"1", "+EP"}};
    for (int point = 2; point <= 10; ++point) entries.emplace_back(std::to_string(point), "EP");
    EXPECT_EQ(chainSection(pfLines(entries)), framed({
                                                  "F 00 EP-99" + pad(23) + "+1 EP",
                                                  "F 01 S1,S2,S3,S4,S5,S6,S7,S8,S9,S10, ",
                                                  "F 01 ",
                                                  "F 02 S1,S2,S3,S4,S5,S6,S7,S8,S9,S10,",
                                                  "F 02 ",
                                              }));
}

TEST(ChainLines, AChainWithoutEndPointEndsWithAComma) {
    EXPECT_EQ(chainSection(pfLines({{"1001", "+EP"}, {"1002", "CL"}, {"1003", "EP"}})),
              framed({
                  "F 00 EP-99" + pad(23) + "+1 EP",
                  "F 01 S1001,S1003,",
                  "F 02 S1001,S1003,",
              }));
}

TEST(ChainLines, PointTextsComeFromNumberTextAndEmptyNames) {
    const std::string pf = "01001,+EP, \r\nA17 ,EP,X\r\n,EP, \r\n\"B 2\",-EP, \r\n";
    EXPECT_EQ(chainSection(pf), framed({
                                    "F 00 EP-99" + pad(23) + "+1 EP",
                                    "F 01 S1001,SA17,S,SB 2",
                                    "F 02 S1001,SA17,S,SB 2",
                                }));
}

// ---------------------------------------------------------------------------
// The "F 00 " line

TEST(ChainHeaderLine, NameAndSuffixOf28CharactersStillFit) {
    const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXY";  // 25 + "-99" = 28
    EXPECT_EQ(chainSection(pfLines({{"1", "+" + name}})), framed({
                                                              "F 00 " + name + "-99+1 " + name,
                                                              "F 01 S1,",
                                                              "F 02 S1,",
                                                          }));
}

TEST(ChainHeaderLine, NameAndSuffixOf29CharactersPushTheFeatureToANewLine) {
    const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";  // 26 + "-99" = 29
    EXPECT_EQ(chainSection(pfLines({{"1", "+" + name}})), framed({
                                                              "F 00 " + name + "-99",
                                                              pad(33) + "+1 " + name,
                                                              "F 01 S1,",
                                                              "F 02 S1,",
                                                          }));
}

// ---------------------------------------------------------------------------
// Closed chains

TEST(ClosedChains, AMinusInTheStartClosesTheChainOnItself) {
    const std::string expected = framed({
        "F 00 EP-99" + pad(23) + "+1 EP",
        "F 01 S1001,S1003,S1001",
        "F 02 S1001,S1003,S1001",
    });
    EXPECT_EQ(chainSection(pfLines({{"1001", "+EP-"}, {"1002", "CL"}, {"1003", "EP"}})), expected);
    EXPECT_EQ(chainSection(pfLines({{"1001", "+-EP"}, {"1002", "CL"}, {"1003", "EP"}})), expected);
}

TEST(ClosedChains, ALaterEndPointReplacesTheClosingText) {
    EXPECT_EQ(chainSection(pfLines({{"1001", "+EP-"}, {"1003", "EP"}, {"1004", "-EP"}})),
              framed({
                  "F 00 EP-99" + pad(23) + "+1 EP",
                  "F 01 S1001,S1003,S1004",
                  "F 02 S1001,S1003,S1004",
              }));
}

// ---------------------------------------------------------------------------
// Chain names

TEST(ChainNames, ChainsOfOneFeatureAreNumbered) {
    const std::string pf =
        pfLines({{"1", "+EP"}, {"2", "EP"}, {"3", "+EP"}, {"4", "EP"}, {"5", "+EP"}, {"6", "-EP"}});
    EXPECT_EQ(chainSection(pf), framed({
                                    "F 00 EP-99" + pad(23) + "+1 EP",
                                    "F 01 S1,S2,",
                                    "F 02 S1,S2,",
                                    "F 00 EP1-99" + pad(22) + "+1 EP",
                                    "F 01 S3,S4,",
                                    "F 02 S3,S4,",
                                    "F 00 EP2-99" + pad(22) + "+1 EP",
                                    "F 01 S5,S6",
                                    "F 02 S5,S6",
                                }));
}

TEST(ChainNames, AnEarlierFeatureNamedEP1PushesTheSecondEPChainToEP2) {
    const std::string pf = pfLines({{"1", "+EP1"}, {"2", "+EP"}, {"3", "+EP"}});
    EXPECT_EQ(chainSection(pf), framed({
                                    "F 00 EP1-99" + pad(22) + "+1 EP1",
                                    "F 01 S1,",
                                    "F 02 S1,",
                                    "F 00 EP-99" + pad(23) + "+1 EP",
                                    "F 01 S2,",
                                    "F 02 S2,",
                                    "F 00 EP2-99" + pad(22) + "+1 EP",
                                    "F 01 S3,",
                                    "F 02 S3,",
                                }));
}

TEST(ChainNames, AnEmptyFeatureTakesTheEmptyNameOnlyAsTheFirstChain) {
    // "+*" is "+" once the curve code is gone; the first chain's scan stops there.
    const std::string pf = pfLines({{"1", "+"}, {"2", "+*"}, {"3", "+"}});
    EXPECT_EQ(chainSection(pf), framed({
                                    "F 00 -99" + pad(25) + "+1 ",
                                    "F 01 S1,",
                                    "F 02 S1,",
                                    "F 00 1-99" + pad(24) + "+1 ",
                                    "F 01 S2,",
                                    "F 02 S2,",
                                    "F 00 2-99" + pad(24) + "+1 ",
                                    "F 01 S3,",
                                    "F 02 S3,",
                                }));
    EXPECT_EQ(chainSection(pfLines({{"1", "+EP"}, {"2", "+"}})),
              framed({
                  "F 00 EP-99" + pad(23) + "+1 EP",
                  "F 01 S1,",
                  "F 02 S1,",
                  "F 00 1-99" + pad(24) + "+1 ",
                  "F 01 S2,",
                  "F 02 S2,",
              }));
}

TEST(ChainNames, AnEmptyFeatureCollectsEntriesWithEmptyDescriptions) {
    const std::string pf = pfLines({{"1", "+"}, {"2", ""}, {"3", "EP"}, {"4", "*"}, {"5", "-"}});
    EXPECT_EQ(chainSection(pf), framed({
                                    "F 00 -99" + pad(25) + "+1 ",
                                    "F 01 S1,S2,S4,S5",
                                    "F 02 S1,S2,S4,S5",
                                }));
}

// ---------------------------------------------------------------------------
// Curve codes and "TAPE " around the markers

TEST(ChainMarkers, ACurveCodeBeforeTheMarkerHidesItInsideAScan) {
    const std::string pf = pfLines({{"1", "+EP"}, {"2", "*+EP"}, {"3", "*-EP"}, {"4", "EP"}});
    EXPECT_EQ(chainSection(pf), framed({
                                    "F 00 EP-99" + pad(23) + "+1 EP",
                                    "F 01 S1,S3,S4,",
                                    "F 02 S1,S3,S4,",
                                    "F 00 EP1-99" + pad(22) + "+1 EP",
                                    "F 01 S2,S3,S4,",
                                    "F 02 S2,S3,S4,",
                                }));
}

TEST(ChainMarkers, TapeWithItsSpaceIsRemovedBeforeTheMarkersAreTested) {
    const std::string pf = pfLines({{"1", "TAPE +EP"},
                                    {"2", "TAPE EP"},
                                    {"3", "TAPEEP"},
                                    {"4", "TAPE-EP"},
                                    {"5", "TAPE -EP"}});
    EXPECT_EQ(chainSection(pf), framed({
                                    "F 00 EP-99" + pad(23) + "+1 EP",
                                    "F 01 S1,S2,S5",
                                    "F 02 S1,S2,S5",
                                }));
}

TEST(ChainMarkers, EveryScanRemovesTapeAgainAndKeepsTheResult) {
    // The CL scan turns "TATAPE PE EP" into "TAPE EP"; the EP scan then finds "EP".
    const std::string pf = pfLines({{"1", "+CL"}, {"2", "+EP"}, {"3", "TATAPE PE EP"}});
    EXPECT_EQ(chainSection(pf), framed({
                                    "F 00 CL-99" + pad(23) + "+1 CL",
                                    "F 01 S1,",
                                    "F 02 S1,",
                                    "F 00 EP-99" + pad(23) + "+1 EP",
                                    "F 01 S2,S3,",
                                    "F 02 S2,S3,",
                                }));
}

TEST(ChainMarkers, TheStartLosesItsCurveCodeBeforeTape) {
    EXPECT_EQ(chainSection(pfLines({{"1", "TAP*E +EP*"}, {"2", "EP"}})),
              framed({
                  "F 00 EP-99" + pad(23) + "+1 EP",
                  "F 01 S1,S2,",
                  "F 02 S1,S2,",
              }));
}

TEST(ChainMarkers, EndsAndPointsWithoutAStartProduceNothing) {
    EXPECT_EQ(chainSection(pfLines({{"1", "-EP"}, {"2", "EP"}, {"3", "+CL"}, {"4", "-EP"}})),
              framed({
                  "F 00 CL-99" + pad(23) + "+1 CL",
                  "F 01 S3,",
                  "F 02 S3,",
              }));
}

// ---------------------------------------------------------------------------
// Reading the point-feature file

TEST(ChainInput, ALastLineCutOffBeforeItsCommentIsNotTaken) {
    const std::string head = pfLines({{"1001", "+EP"}});
    const std::string withoutLast = framed({
        "F 00 EP-99" + pad(23) + "+1 EP",
        "F 01 S1001,",
        "F 02 S1001,",
    });
    EXPECT_EQ(chainSection(head + " 1002 ,EP"), withoutLast);
    EXPECT_EQ(chainSection(head + " 1002 ,EP,"), withoutLast);
    EXPECT_EQ(chainSection(head + " 1002 "), withoutLast);
    EXPECT_EQ(chainSection(head + " 1002 ,EP, "), framed({
                                                      "F 00 EP-99" + pad(23) + "+1 EP",
                                                      "F 01 S1001,S1002,",
                                                      "F 02 S1001,S1002,",
                                                  }));
}

TEST(ChainInput, CommentsWithCommasAreSkippedWhole) {
    const std::string pf = " 1001 ,+EP,EDGE, LEFT SIDE\r\n 1002 ,EP,+EP, -EP\r\n";
    EXPECT_EQ(chainSection(pf), framed({
                                    "F 00 EP-99" + pad(23) + "+1 EP",
                                    "F 01 S1001,S1002,",
                                    "F 02 S1001,S1002,",
                                }));
}

TEST(ChainInput, OddBytesDoNotStopTheSection) {
    const char odd[] = "\0\xFF,+\x01,\r\n\r\n,,,\n\r\"\r\n";
    std::string pf(odd, sizeof odd - 1);
    pf += pfLines({{"9", "+EP"}});
    const std::string section = chainSection(pf);
    EXPECT_EQ(section.substr(0, 29), "R 99 CHAIN DATA STARTS HERE\r\n");
    EXPECT_EQ(section.substr(section.size() - 27), "R 99 CHAIN DATA ENDS HERE\r\n");
    EXPECT_NE(section.find("F 01 S9,\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zendro
