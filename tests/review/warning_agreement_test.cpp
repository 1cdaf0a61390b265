// The review's warning findings and the OBS file's warning lines come from the
// same shot rules: over random records near both thresholds (backsight
// distances around 10, zeniths around 10 degrees and on the reversed face),
// every record that gets a warning line gets the same finding, and no other.

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "tests/core/job_feed.h"
#include "tests/review/review_test_support.h"

namespace zendro::testing {
namespace {

constexpr std::string_view kWarningTexts[] = {"Backsight Distance Error",
                                              "Vertical Angle less than 10 Degrees"};

std::uint32_t packedDegrees(int degrees, int minutes, int seconds) {
    return static_cast<std::uint32_t>(degrees * 100000 + minutes * 1000 + seconds * 10);
}

TEST(WarningAgreement, ReviewFindingsMatchTheObsWarningLinesRecordForRecord) {
    std::mt19937 random(20261207);
    const std::string pf = pfListing({1, 2, 3, 4, 5, 6});
    std::uniform_int_distribution<int> kind(1, 5), point(1, 6), minute(0, 59);
    std::uniform_int_distribution<int> nearTen(8, 11), reversedDegrees(348, 359);
    std::uniform_int_distribution<std::uint32_t> distance(95000, 105000), horizontal(0, 40000000);

    for (int job = 0; job < 20; ++job) {
        JobFeed feed(pf);
        std::string hvd;
        std::set<std::pair<std::size_t, std::string_view>> lines;
        for (std::size_t record = 0; record < 60; ++record) {
            const int zenithDegrees = record % 3 == 0 ? reversedDegrees(random) : nearTen(random);
            const std::string bytes = hvdRecord(
                kind(random), static_cast<std::uint16_t>(point(random)), kHeight,
                horizontal(random), packedDegrees(zenithDegrees, minute(random), 0),
                distance(random));
            hvd += bytes;
            feed.clearOutput();
            feed.feed(bytes);
            for (const std::string_view text : kWarningTexts) {
                if (feed.obs().find(text) != std::string::npos) lines.insert({record, text});
            }
        }
        std::set<std::pair<std::size_t, std::string_view>> findings;
        for (const review::Finding& finding : reviewOf(hvd, pf).report.findings) {
            if (finding.kind != review::FindingKind::ObsWarning) continue;
            for (const std::string_view text : kWarningTexts) {
                if (finding.text.find(text) != std::string::npos) findings.insert({*finding.record, text});
            }
        }
        EXPECT_FALSE(lines.empty());
        EXPECT_EQ(findings, lines) << "job " << job;
    }
}

// The random distances rarely land on the threshold itself: a backsight of
// exactly 10.000 is far enough on both sides, 9.9999 is short on both.
TEST(WarningAgreement, ABacksightOfExactlyTenIsNotShortInTheObsFileNorTheReview) {
    const std::string pf = pfListing({1, 2});
    for (const auto& [distance, warned] : {std::pair{100000u, false}, std::pair{99999u, true}}) {
        SCOPED_TRACE(distance);
        const std::string backsight = backsightTo(2, 0, distance);
        const std::string hvd = setupOn(1) + backsight;
        JobFeed feed(pf);
        feed.feed(setupOn(1)).feed(backsight);
        EXPECT_EQ(feed.obs().find(kWarningTexts[0]) != std::string::npos, warned);
        std::size_t findings = 0;
        for (const review::Finding& finding : reviewOf(hvd, pf).report.findings) {
            if (finding.kind == review::FindingKind::ObsWarning && finding.record == 1u &&
                finding.text.find(kWarningTexts[0]) != std::string::npos)
                ++findings;
        }
        EXPECT_EQ(findings, warned ? 1u : 0u);
    }
}

}  // namespace
}  // namespace zendro::testing
