#include "levels/level_finding.h"

#include "review/finding_text.h"

namespace zendro::levels {

std::string LevelFinding::text() const {
    if (file.empty()) {  // the network as a whole
        const std::string out = "level network: " + what;
        if (measured) return out + review::verdictText(over, advice);
        return advice.empty() ? out : out + ": " + advice;
    }
    std::string out = file + ": ";
    std::string where = place();
    if (!point.empty()) where += (where.empty() ? "point " : ", point ") + point;
    out += where.empty() ? what : where + ": " + what;
    if (measured) return out + review::verdictText(over, advice);
    return advice.empty() ? out : out + ": " + advice;
}

std::string_view levelCheckName(LevelCheck check) {
    switch (check) {
        case LevelCheck::Reading: return "Reading";
        case LevelCheck::Sequence: return "Sequence";
        case LevelCheck::Repeated: return "Repeated";
        case LevelCheck::MarkedReadings: return "Marked readings";
        case LevelCheck::InstrumentRecord: return "Level's record";
        case LevelCheck::StartHeight: return "Start height";
        case LevelCheck::Closure: return "Closure";
        case LevelCheck::SetupImbalance: return "Setup imbalance";
        case LevelCheck::LineImbalance: return "Line imbalance";
        case LevelCheck::LongestSight: return "Longest sight";
        case LevelCheck::LowestReading: return "Lowest reading";
        case LevelCheck::DoubleDifference: return "Double reading";
        case LevelCheck::Blunder: return "Blunder";
        case LevelCheck::VarianceTest: return "Variance test";
    }
    return "";
}

std::string LevelFinding::place() const {
    std::string where;
    if (line != 0) where = "line " + std::to_string(line);
    const auto part = [&](const std::string& text) { where += (where.empty() ? "" : ", ") + text; };
    if (address != 0) {
        part("Adr " + std::to_string(address));
    } else if (fileLine != 0) {
        part("file line " + std::to_string(fileLine));
    }
    return where;
}

std::string rangesText(const std::vector<std::size_t>& sorted) {
    std::string out;
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i;
        while (j + 1 < sorted.size() && sorted[j + 1] == sorted[j] + 1) ++j;
        if (!out.empty()) out += ", ";
        out += std::to_string(sorted[i]);
        if (j > i) out += "-" + std::to_string(sorted[j]);
        i = j + 1;
    }
    return out;
}

}  // namespace zendro::levels
