#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/length_unit.h"
#include "review/check_report.h"
#include "review/report_table.h"
#include "review/review_limits.h"

namespace zendro::review {

// What a job report says about itself before its findings: the job, its unit,
// the limits the findings were judged by, a date and the frame the positions
// are in. The core has no clock: the caller gives the day the report is made.
struct ReportHeader {
    std::string jobName;
    LengthUnit unit = kDefaultFootUnit;
    ReviewLimits limits;
    std::string jobDate;   // as the job's header gives it, empty when it gives none
    std::string madeOn;    // the day the report is made, for a job without a date
    std::string frame;     // "local", "tied to control" or "adjusted"

    // The job's date when it has one, else the day the report is made.
    const std::string& date() const { return jobDate.empty() ? madeOn : jobDate; }
};

// One labelled line of the header, for the text report and the PDF alike.
struct HeaderLine {
    std::string label;
    std::string value;
};

// Job, unit, date and frame, in that order.
std::vector<HeaderLine> jobHeaderLines(const ReportHeader& header);
// Every limit of the limit table with its label and its value in the job's unit.
std::vector<HeaderLine> limitLines(const ReportHeader& header);

// The header as text: a title line, the job's lines, "Limits used:" with one
// indented line per limit, and a blank line; each line ended with `lineEnd`.
std::string reportHeaderText(const ReportHeader& header, std::string_view lineEnd);

// The text report as a file holds it: the header, then the findings and the
// summary, then the level book when the job has level runs, with CR LF line
// ends.
std::string jobReportText(const ReportHeader& header, const ReviewReport& report,
                          const std::vector<ReportTable>& levelBook = {});

// True for a name ending in .pdf or .txt (any case): the forms a report is written in.
bool isReportFileName(const std::string& path);
bool isPdfReportName(const std::string& path);

}  // namespace zendro::review
