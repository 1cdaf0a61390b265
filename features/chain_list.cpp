#include "features/chain_list.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "common/text_forms.h"
#include "features/point_name.h"

namespace zendro {
namespace {

std::string withoutTape(std::string_view text) { return removeAll(text, "TAPE "); }

// Every scan of a chain that passes an entry takes "TAPE " out of its
// description once more, and the main pass sees what the scans left. For
// nearly every entry one removal is all there is; `forms` holds the
// description after 0, 1, ... removals up to the form that no longer changes.
struct EntryForms {
    std::vector<std::string> forms;
    const std::string& after(std::size_t removals) const {
        return forms[std::min(removals, forms.size() - 1)];
    }
    // Entries whose form changes after the first removal are rare enough to be
    // looked at one by one.
    bool settlesAfterOneRemoval() const { return forms.size() <= 2; }
};

EntryForms formsOf(const std::string& description) {
    EntryForms entry;
    entry.forms.push_back(description);
    while (true) {
        std::string next = withoutTape(entry.forms.back());
        if (next == entry.forms.back()) break;
        entry.forms.push_back(std::move(next));
    }
    return entry;
}

// What a chain's scan makes of an entry: the next start of a feature, the end
// of a feature, or a point of a feature.
enum class ScanRole { Start, End, Point };
struct ScanView {
    ScanRole role;
    std::string feature;
};

ScanView scanViewOf(const std::string& description, const ChainOptions& options) {
    // The marker is read before the curve code is removed, so a curve code
    // standing in front of it hides it.
    const char marker = description.empty() ? '\0' : description.front();
    std::string rest = removeAll(removeAll(description, options.curveCode), "-");
    if (marker == '+') return {ScanRole::Start, removeAll(rest, "+")};
    if (marker == '-') return {ScanRole::End, std::move(rest)};
    return {ScanRole::Point, std::move(rest)};
}

// Chain names unique within one chain section. Names are only ever added, so a
// numbered name found taken stays taken: each feature remembers where its
// search for a free number got to.
class ChainNames {
  public:
    std::string nameFor(const std::string& feature) {
        std::size_t& number = nextNumber_[feature];
        std::string name = candidate(feature, number);
        while (isUsed(name)) name = candidate(feature, ++number);
        used_.insert(name);
        return name;
    }

  private:
    static std::string candidate(const std::string& feature, std::size_t number) {
        return number == 0 ? feature : feature + std::to_string(number);
    }
    // The empty name counts as used once a chain is named.
    bool isUsed(const std::string& name) const {
        return (name.empty() && !used_.empty()) || used_.count(name) != 0;
    }

    std::unordered_set<std::string> used_;
    std::unordered_map<std::string, std::size_t> nextNumber_;
};

using IndexList = std::vector<std::size_t>;

// The first index of `list` above `after`, or `none`.
std::size_t firstAbove(const IndexList* list, std::size_t after, std::size_t none) {
    if (list == nullptr) return none;
    const auto found = std::upper_bound(list->begin(), list->end(), after);
    return found == list->end() ? none : *found;
}

const IndexList* indicesOf(const std::unordered_map<std::string, IndexList>& map,
                           const std::string& key) {
    const auto found = map.find(key);
    return found == map.end() ? nullptr : &found->second;
}

// Builds the chains in one pass over the entries. A chain's scan would visit
// every later entry; instead the entries are indexed by what a scan sees
// (which settles after one "TAPE " removal), so a chain looks up its points and
// its end directly. The few entries that do not settle are scanned one by one,
// with a count of the scans that passed them.
class ChainBuilder {
  public:
    ChainBuilder(const std::vector<PfEntry>& entries, const ChainOptions& options)
        : options_(options), reachCount_(entries.size(), 0) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            pointTexts_.push_back(options.pointPrefix +
                                  trimSpaces(PointName::fromField(entries[i].name).plainText()));
            forms_.push_back(formsOf(entries[i].description));
            if (!forms_[i].settlesAfterOneRemoval()) {
                unsettled_.push_back(i);
                continue;
            }
            ScanView view = scanViewOf(forms_[i].after(1), options);
            auto& index = view.role == ScanRole::Start ? starts_
                          : view.role == ScanRole::End ? ends_
                                                       : points_;
            index[view.feature].push_back(i);
        }
    }

    std::vector<ChainList> build() {
        std::vector<ChainList> chains;
        for (std::size_t i = 0; i < forms_.size(); ++i) {
            const std::string description =
                withoutTape(removeAll(forms_[i].after(removalsBefore(i)), options_.curveCode));
            if (description.empty() || description.front() != '+') continue;
            chains.push_back(chainFrom(i, description));
        }
        return chains;
    }

  private:
    std::size_t removalsBefore(std::size_t i) const {
        if (!forms_[i].settlesAfterOneRemoval()) return reachCount_[i];
        return furthestReach_.has_value() && *furthestReach_ >= i ? 1 : 0;
    }

    // Entry `start` begins a chain: its description is the "+" marker and the
    // feature name, with curve codes and "TAPE " already gone.
    ChainList chainFrom(std::size_t start, const std::string& description) {
        const std::string withoutStart = removeAll(description, "+");
        ChainList chain;
        chain.feature = removeAll(withoutStart, "-");
        chain.name = names_.nameFor(chain.feature) + options_.runSuffix;
        // A start that also holds "-" closes the chain on itself.
        if (chain.feature.size() < withoutStart.size()) chain.endEntry = start;

        const std::size_t none = forms_.size();
        const std::size_t nextStart = firstAbove(indicesOf(starts_, chain.feature), start, none);
        const std::size_t end = firstAbove(indicesOf(ends_, chain.feature), start, none);
        std::size_t stop = std::min(nextStart, end);
        bool stoppedByEnd = end < nextStart;

        IndexList members;
        for (const std::size_t j : unsettled_) {
            if (j <= start) continue;
            if (j >= stop) break;
            const ScanView view = scanViewOf(forms_[j].after(reachCount_[j] + 1), options_);
            if (view.feature != chain.feature) continue;
            if (view.role == ScanRole::Point) {
                members.push_back(j);
                continue;
            }
            stop = j;
            stoppedByEnd = view.role == ScanRole::End;
            break;
        }
        if (const IndexList* points = indicesOf(points_, chain.feature)) {
            for (auto it = std::upper_bound(points->begin(), points->end(), start);
                 it != points->end() && *it < stop; ++it) {
                members.push_back(*it);
            }
        }
        std::sort(members.begin(), members.end());

        if (stoppedByEnd) chain.endEntry = stop;
        noteReach(start, stop == none ? none - 1 : stop);

        chain.entries.push_back(start);
        chain.entries.insert(chain.entries.end(), members.begin(), members.end());
        for (const std::size_t j : chain.entries) chain.pointTexts.push_back(pointTexts_[j]);
        if (chain.endEntry) chain.endText = pointTexts_[*chain.endEntry];
        return chain;
    }

    // The scan of the chain at `start` passed every entry up to `last`.
    void noteReach(std::size_t start, std::size_t last) {
        if (!furthestReach_ || last > *furthestReach_) furthestReach_ = last;
        for (const std::size_t j : unsettled_) {
            if (j > last) break;
            if (j > start) ++reachCount_[j];
        }
    }

    const ChainOptions& options_;
    std::vector<std::string> pointTexts_;
    std::vector<EntryForms> forms_;
    std::unordered_map<std::string, IndexList> starts_;
    std::unordered_map<std::string, IndexList> ends_;
    std::unordered_map<std::string, IndexList> points_;
    IndexList unsettled_;
    std::vector<std::size_t> reachCount_;
    std::optional<std::size_t> furthestReach_;
    ChainNames names_;
};

}  // namespace

std::vector<ChainList> buildChainLists(const std::vector<PfEntry>& entries,
                                       const ChainOptions& options) {
    return ChainBuilder(entries, options).build();
}

std::vector<ChainList> buildChainLists(std::string_view pfBytes, const ChainOptions& options) {
    return buildChainLists(readPfEntries(pfBytes).complete, options);
}

}  // namespace zendro
