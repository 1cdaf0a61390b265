// Findings about the codes: only what is certain from the point-feature file,
// the records and the chain section; no guessing at intended codes.

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "common/text_forms.h"
#include "review/check_report.h"
#include "review/finding_text.h"

namespace zendro::review {
namespace {

constexpr std::size_t kRecordsListed = 5;

std::string recordList(const std::vector<std::size_t>& records) {
    std::string text = records.size() == 1 ? "HVD record " : "HVD records ";
    for (std::size_t i = 0; i < records.size() && i < kRecordsListed; ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(records[i]);
    }
    if (records.size() > kRecordsListed) text += ", ...";
    return text;
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

class CodeChecks {
  public:
    CodeChecks(const ReviewInput& input, std::vector<Finding>& findings)
        : input_(input), findings_(findings) {}

    void missingEntries() {
        for (const std::int64_t number : input_.plan.observedPoints) {
            const PointMeaning* point = input_.meaning.find(number);
            if (point != nullptr && point->entry != 0) continue;
            const std::vector<std::size_t>& records = input_.plan.recordsOfPoint.at(number);
            add(FindingKind::NotInFeatureFile, records.front(), number,
                "observed (" + recordList(records) + ") but not in the point-feature file",
                "add it in the feature editor");
        }
    }

    // A line that reads as something else than its editor meant is told as
    // such once, not again as the entry it reads as. (The file holds one entry
    // a line, so an entry's number is its line's.) A point entered twice is
    // told with its descriptions below.
    void unreadableLines() {
        if (input_.pfProblems == nullptr) return;
        for (const PfLineProblem& problem : *input_.pfProblems) {
            if (problem.kind == PfLineProblem::Kind::SecondEntry) continue;
            unreadable_.insert(problem.line);
            add(FindingKind::UnreadableLine, std::nullopt, std::nullopt,
                "line " + std::to_string(problem.line) + " of the point-feature file " +
                    problem.message.substr(0, problem.message.find(';')),
                problem.message.find(';') == std::string::npos
                    ? std::string("correct it in the feature editor")
                    : trimSpaces(problem.message.substr(problem.message.find(';') + 1)));
        }
    }

    void unobservedEntries() {
        const PointTable& points = input_.points;
        for (std::size_t i = 1; i < points.pointCount(); ++i) {
            const PointEntry& entry = points.at(i);
            if (entry.name.isEmpty() && trimSpaces(entry.description).empty())
                continue;  // blanked row
            if (unreadable_.contains(i)) continue;
            std::optional<std::int64_t> point;
            if (entry.name.isNumber()) {
                point = entry.name.number();
                if (input_.meaning.find(physicalPoint(*point)) != nullptr) continue;
            }
            add(FindingKind::NeverObserved, std::nullopt, point,
                "entry " + std::to_string(i) + " of the point-feature file (" +
                    quoted(entry.name.plainText()) + ", " + quoted(entry.description) +
                    ") is never observed",
                "check its point number or blank the row");
        }
    }

    void chainEnds() {
        for (const JobChain& chain : input_.meaning.chains) {
            if (chain.points.empty()) continue;
            const ChainVertex& start = chain.points.front();
            const std::string what = "chain " + quoted(chain.name) + " of feature " +
                                     quoted(chain.feature) + " starting at " + start.text;
            if (chain.points.size() == 1 && (!chain.end || chain.closed())) {
                add(FindingKind::OnePointChain, std::nullopt, start.point,
                    what + " has one point", "add its other points or remove the \"+\"");
            } else if (!chain.end) {
                add(FindingKind::ChainWithoutEnd, std::nullopt, start.point, what + " has no end",
                    "key " + quoted("-" + chain.feature) + " on its last point");
            }
        }
    }

    void twoDescriptions() {
        const PointTable& points = input_.points;
        std::unordered_map<std::int64_t, std::vector<std::size_t>> entriesOf;
        std::vector<std::int64_t> order;
        for (std::size_t i = 1; i < points.pointCount(); ++i) {
            const PointName& name = points.at(i).name;
            if (!name.isNumber()) continue;
            std::vector<std::size_t>& entries = entriesOf[name.number()];
            if (entries.empty()) order.push_back(name.number());
            entries.push_back(i);
        }
        for (const std::int64_t number : order) {
            std::vector<std::string> seen;
            std::string listed;
            for (const std::size_t i : entriesOf[number]) {
                const std::string description = trimSpaces(points.at(i).description);
                if (std::find(seen.begin(), seen.end(), description) != seen.end()) continue;
                seen.push_back(description);
                listed += (listed.empty() ? "" : ", ") + quoted(description) + " (entry " +
                          std::to_string(i) + ")";
            }
            if (seen.size() < 2) continue;
            // The lookup lets the last entry of a number decide, so every file
            // written from the job carries that one.
            add(FindingKind::TwoDescriptions, std::nullopt, number,
                "different descriptions " + listed + "; its lines carry entry " +
                    std::to_string(entriesOf[number].back()),
                "keep the right one in the feature editor");
        }
    }

  private:
    // Every code finding ends with what to do about it.
    void add(FindingKind kind, std::optional<std::size_t> record, std::optional<std::int64_t> point,
             const std::string& found, const std::string& advice) {
        findings_.push_back(noticeFinding(kind, record, point, found, ": ", advice));
    }

    const ReviewInput& input_;
    std::vector<Finding>& findings_;
    std::unordered_set<std::size_t> unreadable_;  // lines told as unreadable
};

}  // namespace

void addCodeFindings(const ReviewInput& input, std::vector<Finding>& findings) {
    CodeChecks checks(input, findings);
    checks.missingEntries();
    checks.unreadableLines();
    checks.unobservedEntries();
    checks.chainEnds();
    checks.twoDescriptions();
}

}  // namespace zendro::review
