#include "features/pf_line_checks.h"

#include <algorithm>
#include <map>
#include <optional>

#include "common/text_forms.h"
#include "features/point_name.h"

namespace zendro {
namespace {

// The file's lines without their ends (CR LF, LF or CR, as every reader takes them).
std::vector<std::string_view> linesOf(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

// The first UTF-8 sequence of two or more bytes in the line, when it holds one:
// a Latin-1 editor never writes one (its bytes would read as "Â°" and the like).
std::optional<std::string_view> utf8Sequence(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto lead = static_cast<unsigned char>(line[i]);
        if (lead < 0xC2 || lead > 0xF4) continue;
        const std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (i + length > line.size()) continue;
        const bool continued = std::all_of(line.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                           line.begin() + static_cast<std::ptrdiff_t>(i + length),
                                           [](char c) {
                                               const auto b = static_cast<unsigned char>(c);
                                               return b >= 0x80 && b <= 0xBF;
                                           });
        if (continued) return line.substr(i, length);
    }
    return std::nullopt;
}

std::string hexBytes(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (!text.empty()) text += ' ';
        text += kDigits[b >> 4];
        text += kDigits[b & 0xF];
    }
    return text;
}

struct Entry {
    std::size_t line = 0;
    std::string description;
};

}  // namespace

std::vector<PfLineProblem> checkPointFeatureLines(std::string_view pfBytes) {
    std::vector<PfLineProblem> problems;
    std::map<std::int64_t, std::vector<Entry>> entriesOf;
    const std::vector<std::string_view> lines = linesOf(pfBytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t number = i + 1;
        if (trimBlanks(line).empty()) continue;
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            problems.push_back({PfLineProblem::Kind::NoComma, number,
                                "has no comma: it reads as a point named \"" + trimBlanks(line) +
                                    "\" without a description; part the point, its description "
                                    "and its comment by commas",
                                0});
            continue;
        }
        if (const std::optional<std::string_view> sequence = utf8Sequence(line)) {
            problems.push_back({PfLineProblem::Kind::ForeignText, number,
                                "holds \"" + std::string(*sequence) + "\" written in UTF-8 (bytes " +
                                    hexBytes(*sequence) + "), which this one-byte file reads as " +
                                    std::to_string(sequence->size()) +
                                    " characters; type it again in the feature editor",
                                0});
        }
        const PointName name = PointName::fromField(trimBlanks(line.substr(0, comma)));
        if (!name.isNumber()) continue;
        const std::string_view rest = line.substr(comma + 1);
        entriesOf[name.number()].push_back(
            {number, trimBlanks(rest.substr(0, rest.find(',')))});
    }
    for (const auto& [point, entries] : entriesOf) {
        const Entry& last = entries.back();
        std::string others;
        for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
            if (entries[i].description == last.description) continue;
            others += (others.empty() ? "" : ", ") + std::string("line ") +
                      std::to_string(entries[i].line) + " \"" + entries[i].description + "\"";
        }
        if (others.empty()) continue;
        problems.push_back({PfLineProblem::Kind::SecondEntry, last.line,
                            "enters point " + std::to_string(point) + " again as \"" +
                                last.description + "\" (also " + others +
                                "): its OBS lines carry this last entry",
                            point});
    }
    std::stable_sort(problems.begin(), problems.end(),
                     [](const PfLineProblem& a, const PfLineProblem& b) { return a.line < b.line; });
    return problems;
}

}  // namespace zendro
