// Field files that are not the collector's are refused before anything is
// written, and what will not convert as it was meant is told: each case a
// job's bytes, what the run says, and whether it converts.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "common/byte_sink.h"
#include "common/errors.h"
#include "common/job_paths.h"
#include "conversion/job_conversion.h"
#include "tests/support/job_builder.h"

namespace zendro {
namespace {

using testing::hvdRecord;

constexpr int kSetup = 1, kBacksight = 3, kSideshot = 5, kUnknown = 77;

// Setup on 1 at `height` hundredths, a backsight and two sideshots.
std::string aJob(std::uint16_t height = 150, int lastKind = kSideshot) {
    return hvdRecord(kSetup, 1, height) + hvdRecord(kBacksight, 2, 150, 0, 9000000, 1000000) +
           hvdRecord(kSideshot, 3, 150, 4530150, 9000000, 500000) +
           hvdRecord(lastKind, 4, 150, 9000000, 9000000, 500000);
}

std::string randomBytes(std::size_t count) {
    std::mt19937 dice(7);
    std::string bytes(count, '\0');
    for (char& b : bytes) b = static_cast<char>(dice() & 0xFF);
    return bytes;
}

struct Case {
    const char* what;
    std::string hvd;
    std::optional<std::string> pf;
    std::optional<std::string> ctx;
    bool metric = false;
    std::string refusal;                // empty: it converts
    std::vector<std::string> warnings;  // every warning the run gives
};

std::vector<Case> cases() {
    const std::string pf = "1,CP, \r\n2,CP, \r\n3,EP, \r\n4,EP, \r\n";
    std::string ctxOfText(180, ' ');
    ctxOfText += std::string(300, '\xFF');  // ten records of 255 blocks' worth
    return {
        {"a job as the collector writes it", aJob(), pf, std::nullopt, false, "", {}},
        {"one record of a kind the collector does not write is converted",
         aJob(150, kUnknown), pf, std::nullopt, false, "", {}},
        {"a text file named FAKE.HVD", "this is not an HVD", pf, std::nullopt, false,
         "/j/JOB.HVD: does not look like an observation file: 1 of its 1 records are of kinds "
         "the collector does not write or hold angles no instrument reads; nothing was written",
         {}},
        {"2,000 random bytes", randomBytes(2000), pf, std::nullopt, false,
         "/j/JOB.HVD: does not look like an observation file: ", {}},
        {"shots whose minutes read 60 or more",
         hvdRecord(kSetup, 1, 150) + hvdRecord(kSideshot, 3, 150, 4560000, 9000000, 500000) +
             hvdRecord(kSideshot, 4, 150, 4530150, 9099000, 500000),
         pf, std::nullopt, false,
         "/j/JOB.HVD: does not look like an observation file: 2 of its 3 records are of kinds "
         "the collector does not write or hold angles no instrument reads; nothing was written",
         {}},
        {"a CTX that is not one, with no JOB.pf to make from it", aJob(), std::nullopt, ctxOfText,
         false, "/j/JOB.CTX: does not look like a description file: ", {}},
        {"the same CTX beside a JOB.pf is only told", aJob(), pf, ctxOfText, false, "",
         {"/j/JOB.CTX: does not look like a description file: 1 of its 1 records are longer than "
          "a description or number a point above 32767"}},
        {"Metric on a job whose instrument stands 5.25 high", aJob(525), pf, std::nullopt, true, "",
         {"/j/JOB.HVD: the instrument heights (5.25 in the middle) look like feet but the job is "
          "converted in metres (Metric): the OBS file will say METERS; check the unit chosen"}},
        {"Metric on a job whose instrument stands 1.50 high", aJob(150), pf, std::nullopt, true, "",
         {}},
        {"JOB.pf lines a text editor spoiled", aJob(),
         "1,CP, \r\nthis line has no commas\r\n2,CP, \r\n3,45\xC2\xB0 BEND, \r\n4,EP, \r\n"
         "2,XX,second\r\n",
         std::nullopt, false, "",
         {"/j/JOB.pf: line 2 has no comma: it reads as a point named \"this line has no commas\" "
          "without a description; part the point, its description and its comment by commas",
          "/j/JOB.pf: line 4 holds \"\xC2\xB0\" written in UTF-8 (bytes C2 B0), which this one-byte "
          "file reads as 2 characters; type it again in the feature editor",
          "/j/JOB.pf: line 6 enters point 2 again as \"XX\" (also line 3 \"CP\"): its OBS lines "
          "carry this last entry"}},
    };
}

TEST(FieldFileChecks, RefuseWhatIsNotTheCollectorsAndTellWhatWillNotConvertAsMeant) {
    const JobPaths job = deriveJobPaths("/j/JOB.HVD");
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        std::string obs;
        StringSink sink(obs);
        testing::RecordingObserver observer;
        ConversionOptions options;
        options.unit = jobUnit(c.metric);
        const JobBytes bytes{c.hvd, std::nullopt,
                             c.pf ? std::optional<std::string_view>(*c.pf) : std::nullopt,
                             c.ctx ? std::optional<std::string_view>(*c.ctx) : std::nullopt};
        std::string refusal;
        try {
            convertJob(job, bytes, options, {sink, nullptr}, observer,
                       fixedHeaderClock(HeaderDateTime{2026, 12, 8, 12, 0, 0}));
        } catch (const ZendroError& error) {
            refusal = error.what();
        }
        if (c.refusal.empty()) {
            EXPECT_EQ(refusal, "");
            EXPECT_NE(obs.find("CHAIN DATA ENDS HERE"), std::string::npos);
        } else {
            EXPECT_EQ(refusal.substr(0, c.refusal.size()), c.refusal);
            EXPECT_EQ(obs, "");  // refused before the headers
        }
        std::vector<std::string> warnings;
        for (const std::string& warning : observer.warnings)
            if (warning.find("RTX file does not exist") == std::string::npos &&
                warning.find("CTX file does not exist") == std::string::npos)
                warnings.push_back(warning);
        EXPECT_EQ(warnings, c.warnings);
    }
}

}  // namespace
}  // namespace zendro
