#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/length_unit.h"
#include "review/check_report.h"
#include "review/review_limits.h"

namespace zendro::review {

// What a job report says about itself before its findings: the job, its unit,
// the limits the findings were judged by, a date, the frame the positions
// are in, and the instrument and crew as the crew gives them. The core has no
// clock: the caller gives the day the report is made.
struct ReportHeader {
    std::string jobName;
    LengthUnit unit = kDefaultFootUnit;
    ReviewLimits limits;
    std::string jobDate;     // as the job's header gives it, empty when it gives none
    std::string madeOn;      // the day the report is made (yyyy-mm-dd), for a job without a date
    std::string frame;       // "local", "tied to control" or "adjusted"
    std::string instrument;  // empty: a blank to fill in by hand
    std::string crew;

    // The job's date when it has one, else the day the report is made.
    const std::string& date() const { return jobDate.empty() ? madeOn : jobDate; }
};

// One labelled line of the header, for the text report and the PDF alike.
struct HeaderLine {
    std::string label;
    std::string value;
};

// A blank the office fills in by hand.
inline constexpr std::string_view kBlankToFill = "____________________";

// Job, date, instrument, crew, unit and frame, in that order; an instrument or
// crew not given is a blank to fill in.
std::vector<HeaderLine> jobHeaderLines(const ReportHeader& header);
// The lines the checker signs: "Checked by" and "Date", each a blank.
std::vector<HeaderLine> signOffLines();
// Every limit of the limit table with its label and its value in the job's unit.
std::vector<HeaderLine> limitLines(const ReportHeader& header);

// True for a name ending in .pdf or .txt (any case): the forms a report is written in.
bool isReportFileName(const std::string& path);
bool isPdfReportName(const std::string& path);

}  // namespace zendro::review
