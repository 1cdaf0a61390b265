#include "review/review_chains.h"

#include "common/line_writer.h"
#include "common/run_observer.h"
#include "common/text_forms.h"
#include "features/chain_writer.h"

namespace zendro::review {
namespace {

constexpr std::size_t kFeatureColumnIndex = 33;  // "+1 " stands in column 34
constexpr std::string_view kFeatureMark = "+1 ";

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// "S1,S2,S3,END" or a full line "S1,...,S10, ": the texts before each comma are
// points; what follows the last comma is the end text (nothing on a full line).
void readPointList(std::string_view list, ReviewChain& chain) {
    std::size_t start = 0;
    for (std::size_t comma = list.find(','); comma != std::string_view::npos;
         comma = list.find(',', start)) {
        chain.pointTexts.emplace_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    const std::string_view rest = list.substr(start);
    if (rest != " ") chain.endText = std::string(rest);
}

}  // namespace

std::vector<ReviewChain> chainsOf(std::string_view pfBytes, const ConversionOptions& options) {
    // The chain section is composed by the conversion's own chain writer and
    // read back, so the review draws the chains the OBS file carries.
    std::string section;
    LineWriter writer(section);
    NullObserver quiet;
    writeChainSection(writer, pfBytes, {options.pointPrefix, options.curveCode, options.runSuffix},
                      quiet);

    std::vector<ReviewChain> chains;
    const std::vector<std::string_view> lines = linesOf(section);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.starts_with("F 00 ")) {
            std::string_view head = line.substr(5);
            std::string_view featureLine = line;
            if (line.size() < kFeatureColumnIndex + kFeatureMark.size() ||
                line.substr(kFeatureColumnIndex, kFeatureMark.size()) != kFeatureMark) {
                featureLine = i + 1 < lines.size() ? lines[++i] : std::string_view();
            } else {
                head = line.substr(5, kFeatureColumnIndex - 5);
            }
            ReviewChain& chain = chains.emplace_back();
            std::string name = std::string(head);
            while (!name.empty() && name.back() == ' ' && !name.ends_with(options.runSuffix)) {
                name.pop_back();
            }
            if (name.ends_with(options.runSuffix))
                name.resize(name.size() - options.runSuffix.size());
            chain.name = name;
            const std::size_t mark = kFeatureColumnIndex + kFeatureMark.size();
            chain.feature = featureLine.size() >= mark ? std::string(featureLine.substr(mark)) : "";
        } else if (line.starts_with("F 01 ") && !chains.empty()) {
            readPointList(line.substr(5), chains.back());
        }
    }
    return chains;
}

}  // namespace zendro::review
