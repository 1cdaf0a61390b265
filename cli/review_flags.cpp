#include "cli/review_flags.h"

#include <CLI/CLI.hpp>
#include <charconv>

#include "cli/limit_flags.h"
#include "common/job_paths.h"
#include "review/limit_table.h"
#include "review/sketch_model.h"

namespace zendro::cli {
namespace {

// From a building's plan to a county map.
constexpr double kLeastScale = 1;
constexpr double kGreatestScale = 1e7;

}  // namespace

review::ReviewLimits ReviewFlags::limits(LengthUnit unit) const {
    review::ReviewLimits limits = review::defaultLimits(unit);
    const auto table = review::limitTable();
    for (std::size_t i = 0; i < table.size() && i < givenLimits.size(); ++i) {
        if (givenLimits[i]) limits.*table[i].field = *givenLimits[i];
    }
    return limits;
}

void addReviewFlags(CLI::App& app, ReviewFlags& flags, const std::vector<std::string>& files) {
    app.add_flag("--review", flags.review,
                 "After converting, print the check report: one finding per line, then a summary");
    app.add_option("--sketch", flags.sketchPath,
                   "After converting, write the plan sketch to FILE (.svg, .pdf or .png); {job} in FILE "
                   "stands for the job's name")
        ->check(CLI::Validator(
            [](const std::string& path) {
                return review::isSketchFileName(path)
                           ? std::string()
                           : "a sketch is written as .svg, .pdf or .png: " + path;
            },
            "FILE.svg|pdf|png"));
    CLI::Option* sketch = app.get_option("--sketch");
    app.add_option("--sketch-paper", flags.sketchPaper,
                   "The paper of a PDF sketch: letter, tabloid, a4 or a3 (default a4)")
        ->check(CLI::Validator(
            [](const std::string& name) {
                return review::sheetPaperNamed(name)
                           ? std::string()
                           : "the paper is letter, tabloid, a4 or a3, not " + name;
            },
            ""))
        ->needs(sketch)
        ->type_name("PAPER");
    app.add_option("--sketch-scale", flags.sketchScale,
                   "Draw the sketch at 1:N instead of fitting the job on the page")
        ->check(CLI::Validator(
            [](const std::string& text) {
                double n = 0;
                const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
                const bool whole = error == std::errc() && end == text.data() + text.size();
                return whole && n >= kLeastScale && n <= kGreatestScale
                           ? std::string()
                           : "the scale is 1:N with N a number from 1 to 10000000, not " + text;
            },
            ""))
        ->needs(sketch)
        ->type_name("N");
    app.parse_complete_callback([&flags, &files] {
        if (!flags.sketchPath.empty() && files.size() > 1 && !namesTheJob(flags.sketchPath)) {
            throw CLI::ValidationError("--sketch",
                                       "with several jobs the file must hold {job}: " +
                                           flags.sketchPath);
        }
    });
    app.add_flag("--strict", flags.strict, "Exit with status 3 when a review limit is exceeded");
    addLimitFlags(app, review::LimitGroup::Review, flags.givenLimits, "Review limits");
}

}  // namespace zendro::cli
