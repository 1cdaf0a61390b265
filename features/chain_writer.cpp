#include "features/chain_writer.h"

#include <cstddef>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/text_forms.h"
#include "features/pf_reader.h"
#include "features/point_name.h"

namespace zendro {
namespace {

constexpr int kFeatureColumn = 34;
constexpr int kPointsPerLine = 10;

struct ChainEntry {
    PointName name;
    std::string description;
};

// The entries as the chain writer reads them: the name, the description, and
// the rest of the line passed over. An entry cut off by the end of the file
// before its comment is not taken.
std::vector<ChainEntry> readChainEntries(std::string_view pfBytes) {
    std::vector<ChainEntry> entries;
    PfCursor cursor(pfBytes);
    while (true) {
        cursor.nextEntry();
        if (cursor.atEnd()) break;
        ChainEntry entry;
        entry.name = PointName::fromField(cursor.readField());
        if (cursor.atEnd()) break;
        entry.description = cursor.readField();
        if (cursor.atEnd()) break;
        cursor.readRestOfLine();
        entries.push_back(std::move(entry));
    }
    return entries;
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

// Writes one chain's "F 00 ", "F 01 " and "F 02 " lines while it scans the
// entries after the chain's start.
class ChainComposer {
  public:
    ChainComposer(LineWriter& obs, std::vector<ChainEntry>& entries, const ChainOptions& options)
        : obs_(obs), entries_(entries), options_(options) {}

    // Entry `start` begins a chain: its description is the "+" marker and the
    // feature name, with curve codes and "TAPE " already gone.
    void writeChain(std::size_t start, ChainNames& names) {
        std::string& description = entries_[start].description;
        const std::string withoutStart = removeAll(description, "+");
        description = removeAll(withoutStart, "-");
        const std::string& feature = description;
        // A start that also holds "-" closes the chain on itself.
        endText_ = description.size() < withoutStart.size() ? pointText(start) : std::string();

        obs_.text("F 00 ").text(names.nameFor(feature)).text(options_.runSuffix);
        obs_.column(kFeatureColumn).text("+1 ").text(feature).endLine();

        obs_.text("F 01 ");
        secondList_ = "F 02 ";
        pointsOnLine_ = 0;
        addPoint(start);
        scanChain(start, feature);

        obs_.text(endText_).endLine();
        obs_.text(secondList_).text(endText_).endLine();
    }

  private:
    std::string pointText(std::size_t index) const {
        return options_.pointPrefix + trimSpaces(entries_[index].name.plainText());
    }

    void scanChain(std::size_t start, const std::string& feature) {
        for (std::size_t j = start + 1; j < entries_.size(); ++j) {
            std::string& description = entries_[j].description;
            description = removeAll(description, "TAPE ");
            // The marker is read before the curve code is removed, so a curve
            // code standing in front of it hides it.
            const char marker = description.empty() ? '\0' : description.front();
            const std::string rest = removeAll(removeAll(description, options_.curveCode), "-");
            if (marker == '+') {
                if (removeAll(rest, "+") == feature) return;  // the next chain of this feature
            } else if (marker == '-') {
                if (rest == feature) {
                    endText_ = pointText(j);
                    return;
                }
            } else if (rest == feature) {
                addPoint(j);
            }
        }
    }

    void addPoint(std::size_t index) {
        const std::string text = pointText(index);
        obs_.text(text).text(",");
        secondList_.append(text).append(",");
        if (++pointsOnLine_ < kPointsPerLine) return;
        pointsOnLine_ = 0;
        obs_.text(" ").endLine().text("F 01 ");
        secondList_.append("\r\nF 02 ");
    }

    LineWriter& obs_;
    std::vector<ChainEntry>& entries_;
    const ChainOptions& options_;
    std::string endText_;
    std::string secondList_;
    int pointsOnLine_ = 0;
};

}  // namespace

std::size_t writeChainSection(LineWriter& obs, std::string_view pfBytes,
                              const ChainOptions& options, RunObserver& observer) {
    observer.status("Writing Chains");
    observer.progress(0);
    obs.text("R 99 CHAIN DATA STARTS HERE").endLine();

    std::vector<ChainEntry> entries = readChainEntries(pfBytes);
    const double count = static_cast<double>(entries.size());
    ChainNames names;
    ChainComposer composer(obs, entries, options);
    std::size_t chainCount = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        observer.progress(100.0 * static_cast<double>(i + 1) / count);
        std::string& description = entries[i].description;
        description = removeAll(removeAll(description, options.curveCode), "TAPE ");
        if (description.empty() || description.front() != '+') continue;
        composer.writeChain(i, names);
        ++chainCount;
    }

    obs.text("R 99 CHAIN DATA ENDS HERE").endLine();
    return chainCount;
}

}  // namespace zendro
