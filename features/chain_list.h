#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "features/chain_writer.h"
#include "features/pf_reader.h"

namespace zendro {

// One chain of the OBS file's chain section, as the section lists it.
struct ChainList {
    std::string name;     // as written after "F 00 " (with the run suffix)
    std::string feature;  // the feature name
    std::vector<std::size_t>
        entries;  // indices into the pf entries (0-based, file order), in OBS order
    std::vector<std::string> pointTexts;  // the point texts as written in "F 01 " (prefix + name)
    std::string endText;                  // the closing point text, may be empty
    std::optional<std::size_t> endEntry;  // the entry `endText` names, when there is one
};

// The chains of the point-feature file's complete entries, in the order the
// OBS file lists them. A chain starts at an entry whose description, without
// curve codes and "TAPE ", begins with "+"; it takes the later entries of its
// feature up to the next start of that feature or its "-" entry.
std::vector<ChainList> buildChainLists(std::string_view pfBytes, const ChainOptions& options);
std::vector<ChainList> buildChainLists(const std::vector<PfEntry>& entries,
                                       const ChainOptions& options);

}  // namespace zendro
