#pragma once

#include <string_view>

namespace zendro::fuzz {

// Properties a conversion's output files keep whatever the field files held;
// each breaks the fuzz run through require().

// Every line ends in CR LF. A lone CR or LF may stand only where a note can
// have put it: when the RTX bytes hold that byte.
void requireCrLfLines(std::string_view text, std::string_view rtxBytes, std::string_view file);

// The chain section is framed and is the last thing in the OBS file: the
// opening line, only chain lines ("F 00 ", "F 01 ", "F 02 "), the closing line.
void requireChainSectionLast(std::string_view obs);

// The point-feature file written from the CTX bytes reads back as the CTX
// file's entries: one line per feature, named by its point number, with its
// description and comment, wherever the line format can carry them.
void requireFeaturesReadBack(std::string_view pf, std::string_view ctxBytes,
                             std::string_view commentCode);

}  // namespace zendro::fuzz
