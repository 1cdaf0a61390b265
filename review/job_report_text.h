#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "review/job_report_input.h"

namespace zendro::review {

// The words of the job report that the PDF and the text say alike.

inline constexpr std::string_view kNoFindings = "No findings.";
inline constexpr std::string_view kNoClosures = "No traverse of the job closes on a known point.";
inline constexpr std::string_view kNoPositions = "No point of the job has a position.";
inline constexpr std::string_view kNoAdjustment =
    "Not adjusted: no least-squares adjustment was made for these positions.";

// The review's counts and verdict, what the field files hold and how many
// points have a position, each count named for what it counts.
std::vector<std::string> summaryLines(const JobReportInput& input);

// The files the conversion wrote with its counts (or the job's outputs found
// when it was not converted in this session), then the exports and the sketch.
std::vector<std::string> filesWrittenLines(const JobReportInput& input);

// The text report as a file holds it, section by section as the PDF shows
// them (the sketch aside), with CR LF line ends.
std::string jobReportText(const JobReportInput& input);

}  // namespace zendro::review
