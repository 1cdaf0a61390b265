#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/conversion_options.h"
#include "common/line_writer.h"
#include "common/run_observer.h"

namespace zendro {

// The chain section reads the point prefix, the curve code and the run suffix.
using ChainOptions = ConversionOptions;

struct ChainList;

// Shows "Writing Chains" and writes the OBS file's chain section, framed by
// "R 99 CHAIN DATA STARTS HERE" and "R 99 CHAIN DATA ENDS HERE", from the
// point-feature file's bytes. Returns the number of chains written.
std::size_t writeChainSection(LineWriter& obs, std::string_view pfBytes,
                              const ChainOptions& options, RunObserver& observer);

// The same section from chains already built; progress goes over the
// `entryCount` complete entries of the point-feature file.
void writeChainSection(LineWriter& obs, const std::vector<ChainList>& chains,
                       std::size_t entryCount, RunObserver& observer);

}  // namespace zendro
