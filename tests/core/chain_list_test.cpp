#include "features/chain_list.h"

#include <gtest/gtest.h>

#include <string>

#include "features/chain_writer.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::chainOptions;

TEST(ChainLists, GiveTheEntriesTheSectionListsWithTheirEnds) {
    // 0 starts EP (closed by 3), 1 starts CL that closes on itself, 2 and 4 are
    // EP points, but 4 lies past the end; 5 starts a second EP chain.
    const std::string pf =
        " 10 ,+EP, \r\n 11 ,+CL-, \r\n 12 ,EP*, \r\n 13 ,-EP, \r\n"
        " 14 ,EP, \r\n 15 ,TAPE +EP, \r\n";
    const std::vector<ChainList> chains = buildChainLists(pf, chainOptions("P", "*", "-4"));
    ASSERT_EQ(chains.size(), 3u);

    EXPECT_EQ(chains[0].name, "EP-4");
    EXPECT_EQ(chains[0].feature, "EP");
    EXPECT_EQ(chains[0].entries, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(chains[0].pointTexts, (std::vector<std::string>{"P10", "P12"}));
    EXPECT_EQ(chains[0].endText, "P13");
    EXPECT_EQ(chains[0].endEntry, 3u);

    EXPECT_EQ(chains[1].name, "CL-4");
    EXPECT_EQ(chains[1].entries, std::vector<std::size_t>{1});
    EXPECT_EQ(chains[1].endText, "P11");
    EXPECT_EQ(chains[1].endEntry, 1u);

    EXPECT_EQ(chains[2].name, "EP1-4");
    EXPECT_EQ(chains[2].entries, std::vector<std::size_t>{5});
    EXPECT_EQ(chains[2].endText, "");
    EXPECT_FALSE(chains[2].endEntry.has_value());
}

// Each of 20,000 entries starts a chain of its own feature, and every chain's
// scan runs to the end of the file: the case that used to take seconds.
TEST(ChainLists, TwentyThousandSingleEntryChains) {
    std::string pf;
    for (int i = 1; i <= 20000; ++i)
        pf += " " + std::to_string(i) + " ,+F" + std::to_string(i) + ", \r\n";
    const std::vector<ChainList> chains = buildChainLists(pf, {});
    ASSERT_EQ(chains.size(), 20000u);
    std::string obs;
    LineWriter writer(obs);
    NullObserver observer;
    writeChainSection(writer, chains, 20000, observer);
    const std::string last =
        "F 00 F20000-99" + std::string(19, ' ') +
        "+1 F20000\r\nF 01 S20000,\r\nF 02 S20000,\r\nR 99 CHAIN DATA ENDS HERE\r\n";
    ASSERT_GE(obs.size(), last.size());
    EXPECT_EQ(obs.substr(obs.size() - last.size()), last);
}


// The curve code is removed before "TAPE ", so with a curve code of one of
// E, A, P an untouched "TAPE +X" becomes "TAP +X" (or "TPE +X", "TAE +X") and
// starts nothing. A scan of an earlier X chain that passes it has already
// taken its "TAPE " out: then it reads "+X", ends that scan as a start, and
// starts the chain X1 itself.
TEST(ChainLists, ACurveCodeWithLettersOfTapeAndATapedStartBetweenPoints) {
    for (const char* curveCode : {"E", "A", "P"}) {
        SCOPED_TRACE(curveCode);
        const std::vector<ChainList> scanned = buildChainLists(
            " 1 ,+X, \r\n 2 ,X, \r\n 3 ,TAPE +X, \r\n 4 ,X, \r\n", chainOptions("S", curveCode, ""));
        ASSERT_EQ(scanned.size(), 2u);
        EXPECT_EQ(scanned[0].name, "X");
        EXPECT_EQ(scanned[0].pointTexts, (std::vector<std::string>{"S1", "S2"}));
        EXPECT_FALSE(scanned[0].endEntry.has_value());
        EXPECT_EQ(scanned[1].name, "X1");
        EXPECT_EQ(scanned[1].pointTexts, (std::vector<std::string>{"S3", "S4"}));

        const std::vector<ChainList> unscanned = buildChainLists(
            " 2 ,X, \r\n 3 ,TAPE +X, \r\n 4 ,X, \r\n", chainOptions("S", curveCode, ""));
        EXPECT_TRUE(unscanned.empty());
    }
}

}  // namespace
}  // namespace zendro
