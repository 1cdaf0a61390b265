#include "shell/whole_code_replace.h"

#include <string>

namespace zendro {
namespace {

bool codeCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool standsAlone(std::string_view text, std::size_t at, std::size_t length) {
    const bool before = at > 0 && codeCharacter(text[at - 1]);
    const bool after = at + length < text.size() && codeCharacter(text[at + length]);
    return !before && !after;
}

}  // namespace

std::vector<CellEdit> replaceWholeCodes(const std::vector<FeatureRow>& rows, FeatureField field,
                                        std::string_view code, std::string_view replacement,
                                        const std::vector<std::size_t>& rowsToSearch) {
    std::vector<CellEdit> edits;
    if (code.empty()) return edits;
    for (const std::size_t row : rowsToSearch) {
        const std::string& before = fieldText(rows[row], field);
        std::string after;
        std::size_t from = 0;
        for (std::size_t at = before.find(code); at != std::string::npos;
             at = before.find(code, at + 1)) {
            if (at < from || !standsAlone(before, at, code.size())) continue;
            after.append(before, from, at - from).append(replacement);
            from = at + code.size();
        }
        if (from == 0) continue;
        after.append(before, from, std::string::npos);
        if (after != before) edits.push_back({row, field, before, std::move(after)});
    }
    return edits;
}

}  // namespace zendro
