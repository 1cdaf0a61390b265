#include "features/chain_writer.h"

#include <cstddef>
#include <vector>

#include "features/chain_list.h"
#include "features/pf_reader.h"

namespace zendro {
namespace {

constexpr int kFeatureColumn = 34;
constexpr int kPointsPerLine = 10;

// One of the chain's two point lists ("F 01 " or "F 02 "): ten points to a
// line, each with its comma, then the closing point text. Only the first list
// ends its full lines with a space.
void writePointList(LineWriter& obs, std::string_view code, std::string_view fullLineEnd,
                    const ChainList& chain) {
    obs.text(code);
    int pointsOnLine = 0;
    for (const std::string& text : chain.pointTexts) {
        obs.text(text).text(",");
        if (++pointsOnLine < kPointsPerLine) continue;
        pointsOnLine = 0;
        obs.text(fullLineEnd).endLine().text(code);
    }
    obs.text(chain.endText).endLine();
}

void writeChain(LineWriter& obs, const ChainList& chain) {
    obs.text("F 00 ").text(chain.name);
    obs.column(kFeatureColumn).text("+1 ").text(chain.feature).endLine();
    writePointList(obs, "F 01 ", " ", chain);
    writePointList(obs, "F 02 ", "", chain);
}

}  // namespace

void writeChainSection(LineWriter& obs, const std::vector<ChainList>& chains,
                       std::size_t entryCount, RunObserver& observer) {
    observer.status("Writing Chains");
    observer.progress(0);
    obs.text("R 99 CHAIN DATA STARTS HERE").endLine();
    auto next = chains.begin();
    for (std::size_t i = 0; i < entryCount; ++i) {
        observer.progress(100.0 * static_cast<double>(i + 1) / static_cast<double>(entryCount));
        for (; next != chains.end() && next->entries.front() == i; ++next) writeChain(obs, *next);
    }
    obs.text("R 99 CHAIN DATA ENDS HERE").endLine();
}

std::size_t writeChainSection(LineWriter& obs, std::string_view pfBytes,
                              const ChainOptions& options, RunObserver& observer) {
    const std::vector<PfEntry> entries = readPfEntries(pfBytes).complete;
    const std::vector<ChainList> chains = buildChainLists(entries, options);
    writeChainSection(obs, chains, entries.size(), observer);
    return chains.size();
}

}  // namespace zendro
