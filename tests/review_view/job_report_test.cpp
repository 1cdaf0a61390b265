// The job report read back: the PDF through pdftotext, the text file whole.

#include "review_view/job_report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/errors.h"
#include "common/job_paths.h"
#include "tests/review_view/sheet_test_support.h"

namespace zendro::testing {
namespace {

// The square's report, made on 2026-12-08 (the job's files carry no date);
// its one finding copied `copies` times so the findings run over pages.
review::JobReportInput squareReport(const SquareJob& job, std::size_t copies = 1) {
    review::ReviewLimits limits = review::defaultLimits(zendro::LengthUnit::UsSurveyFoot);
    limits.closureRatio = 20000;
    review::JobReportInput input{{"SQ", LengthUnit::UsSurveyFoot, limits, "", "2026-12-08", "local"},
                                 job.review.report,
                                 job.sketch,
                                 review::writtenFilesOf(
                                     job.conversion, deriveJobPaths(job.folder.file("SQ.HVD")).pfPath),
                                 {}};
    for (std::size_t i = 1; i < copies; ++i) {
        input.report.findings.push_back(job.review.report.findings.front());
        ++input.report.overLimit;
        ++input.report.measuredChecks;
    }
    return input;
}

// The lines that follow `first` in `lines`, `count` of them.
std::vector<std::string> linesAfter(const std::vector<std::string>& lines, const std::string& first,
                                    std::size_t count) {
    const auto at = std::find(lines.begin(), lines.end(), first);
    if (at == lines.end()) return {"no line " + first};
    std::vector<std::string> after(at + 1, at + 1 + static_cast<std::ptrdiff_t>(std::min(
                                                        count, static_cast<std::size_t>(lines.end() - at - 1))));
    return after;
}

std::vector<std::string> pages(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find('\f', at)) != std::string::npos; at = end + 1)
        out.push_back(text.substr(at, end - at));
    return out;
}

TEST(JobReportPdf, NumbersEveryPageAndCarriesHeaderFindingsClosuresAndFiles) {
    const SquareJob job;
    const std::string path = job.folder.file("SQ-report.pdf");
    // 60 rows of three lines each fill more than a Letter page.
    review::writeJobReport(squareReport(job, 60), path);

    const int count = pdfPageCount(path);
    ASSERT_GE(count, 3);
    const std::vector<std::string> text = pages(pdfText(path, true));
    ASSERT_EQ(text.size(), static_cast<std::size_t>(count));
    for (int page = 1; page <= count; ++page) {
        const std::vector<std::string> lines = plainLines(text[static_cast<std::size_t>(page) - 1]);
        const std::string footer = "ZENDRO job report: SQ Page " + std::to_string(page) + " of " +
                                   std::to_string(count);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string& l) { return l == footer; }),
                  1)
            << "page " << page;
    }

    const std::vector<std::string> lines = plainLines(pdfText(path, true));
    EXPECT_EQ(lines.front(), "Job report: SQ");
    EXPECT_EQ(linesAfter(lines, "Job report: SQ", 4),
              (std::vector<std::string>{"Job SQ", "Unit US survey feet", "Date 2026-12-08",
                                        "Frame local"}));
    EXPECT_EQ(linesAfter(lines, "Summary", 2),
              (std::vector<std::string>{
                  "review: 60 findings, 60 over limit, 3 measured checks within limit",
                  "Sketch: 4 points, 4 traverse legs, 0 chains"}));
    // The limits the findings were judged by, not the defaults.
    EXPECT_EQ(linesAfter(lines, "Limits used", 3),
              (std::vector<std::string>{"Limit Value", "Traverse precision 1:N 1:20000",
                                        "Vertical misclosure 0.1 ft"}));
    // Record 11 is the fourth traverse record, closing on point 1.
    const std::vector<std::string> closure{
        "Verdict Record Point Finding",
        "OVER 11 1 traverse closure: misclosure north 0.0291 east 0.0000 elevation 0.0000, linear"};
    EXPECT_EQ(linesAfter(lines, "Findings", 2), closure);
    EXPECT_EQ(linesAfter(lines, "Closures", 2), closure);
    // The conversion line zendro-convert prints for the square.
    // The square has no chains, so no TRV file.
    EXPECT_EQ(linesAfter(lines, "Files written", 3),
              (std::vector<std::string>{job.folder.file("SQ.obs"), job.folder.file("SQ.pf"),
                                        "Converted: 12 records, 4 points, 0 chains, 0 warnings"}));
}

TEST(JobReportText, StartsWithTheHeaderAndTheLimitsUsed) {
    const SquareJob job;
    const std::string path = job.folder.file("SQ-report.TXT");
    review::writeJobReport(squareReport(job), path);
    EXPECT_EQ(readFile(path),
              crlfLines({"ZENDRO job report", "Job: SQ", "Unit: US survey feet",
                         "Date: 2026-12-08", "Frame: local", "Limits used:",
                         "  Traverse precision 1:N: 1:20000", "  Vertical misclosure: 0.1 ft",
                         "  Backsight distance: 0.05 ft",
                         "  Backsight elevation difference: 0.05 ft",
                         "  Face pair horizontal difference: 20\"",
                         "  Face pair vertical index error: 20\"",
                         "  Face pair distance difference: 0.03 ft",
                         "  Check shot: distance between positions: 0.05 ft",
                         "  Check shot: elevation difference: 0.05 ft",
                         "  Control point: horizontal difference: 0.05 ft",
                         "  Control point: elevation difference: 0.05 ft",
                         "  Backsight on control: direction: 20\"",
                         "  Angular misclosure K (K x sqrt(n)): 10\"",
                         "  Standardized residual for a blunder: 3.29", "",
                         "HVD record 11, setup on 4, point 1: traverse closure: misclosure north 0.0291 east "
                         "0.0000 elevation 0.0000, linear 0.0291 over 400.000, precision 1:13750; "
                         "limit 1:20000, elevation 0.100: OVER LIMIT, re-measure the traverse "
                         "angles and distances",
                         "review: 1 findings, 1 over limit, 3 measured checks within limit"}));
}

TEST(JobReport, AFileThatCannotBeWrittenIsNamedAndNothingIsLeft) {
    const SquareJob job;
    writeFile(job.folder.file("plain"), "a file, not a folder");
    for (const char* name : {"plain/SQ.pdf", "plain/SQ.txt"}) {
        const std::string path = job.folder.file(name);
        try {
            review::writeJobReport(squareReport(job), path);
            ADD_FAILURE() << name << " written";
        } catch (const ZendroError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(path + ": ")) << error.what();
        }
    }
    EXPECT_EQ(readFile(job.folder.file("plain")), "a file, not a folder");
}

}  // namespace
}  // namespace zendro::testing
