#include "fuzz/output_properties.h"

#include <string>
#include <vector>

#include "common/run_observer.h"
#include "common/text_forms.h"
#include "features/feature_grid.h"
#include "features/point_name_pass.h"
#include "fuzz/fuzz_check.h"

namespace zendro::fuzz {
namespace {

constexpr std::string_view kChainStart = "R 99 CHAIN DATA STARTS HERE\r\n";
constexpr std::string_view kChainEnd = "R 99 CHAIN DATA ENDS HERE\r\n";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace

void requireCrLfLines(std::string_view text, std::string_view rtxBytes, std::string_view file) {
    std::string what(file);
    require(text.empty() || endsWith(text, "\r\n"), what += ": the last line ends in CR LF");
    const bool notesHoldCr = rtxBytes.find('\r') != std::string_view::npos;
    const bool notesHoldLf = rtxBytes.find('\n') != std::string_view::npos;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] != '\n')) {
            require(notesHoldCr, std::string(file) + ": a lone CR comes only from a note");
        }
        if (text[at] == '\n' && (at == 0 || text[at - 1] != '\r')) {
            require(notesHoldLf, std::string(file) + ": a lone LF comes only from a note");
        }
    }
}

void requireChainSectionLast(std::string_view obs) {
    const std::size_t start = obs.rfind(std::string("\r\n").append(kChainStart));
    require(start != std::string_view::npos, "the OBS file has a chain section");
    std::string_view section = obs.substr(start + 2 + kChainStart.size());
    require(endsWith(section, kChainEnd), "the chain section ends the OBS file");
    section.remove_suffix(kChainEnd.size());
    // A long chain name pushes "+1 " onto a line of its own, at column 34.
    const std::string wrappedFeature = std::string(33, ' ') + "+1 ";
    bool afterNameLine = false;
    while (!section.empty()) {
        const bool nameLine = startsWith(section, "F 00 ");
        require(nameLine || startsWith(section, "F 01 ") || startsWith(section, "F 02 ") ||
                    (afterNameLine && startsWith(section, wrappedFeature)),
                "the chain section holds only chain lines");
        afterNameLine = nameLine;
        const std::size_t lineEnd = section.find("\r\n");
        require(lineEnd != std::string_view::npos, "chain lines end in CR LF");
        section.remove_prefix(lineEnd + 2);
    }
}

void requireFeaturesReadBack(std::string_view pf, std::string_view ctxBytes,
                             std::string_view commentCode) {
    NullObserver observer;
    const std::vector<NamedFeature> features = readPointNames(ctxBytes, observer);
    const std::vector<FeatureRow> rows = loadFeatureRows(pf);
    const auto descriptionPartOf = [&](const std::string& description) {
        return trimBlanks(description.substr(0, commentCode.empty() ? std::string::npos
                                                                    : description.find(commentCode)));
    };
    // A quote opening the last description runs its field to the end of the
    // file, so that entry's comment is never reached and the entry is dropped.
    const bool lastOpensQuote =
        !features.empty() && startsWith(descriptionPartOf(features.back().description), "\"");
    require(rows.size() == features.size() ||
                (lastOpensQuote && rows.size() + 1 == features.size()),
            "one point-feature line per feature");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& description = features[i].description;
        require(rows[i].name == std::to_string(features[i].pointNumber),
                "a line is named by its point number");
        const std::size_t split =
            commentCode.empty() ? std::string::npos : description.find(commentCode);
        const std::string descriptionPart = descriptionPartOf(description);
        // A description that starts with a quote, or holds a comma, reads back
        // otherwise by the line format itself.
        if (startsWith(descriptionPart, "\"") ||
            descriptionPart.find(',') != std::string::npos) {
            continue;
        }
        require(rows[i].description == descriptionPart, "the description reads back");
        const std::string comment =
            split == std::string::npos ? std::string(" ") : description.substr(split + 1);
        require(rows[i].comment == comment, "the comment reads back");
    }
}

}  // namespace zendro::fuzz
