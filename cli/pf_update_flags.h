#pragma once

#include <optional>

#include "features/pf_freshness.h"

namespace CLI {
class App;
}

namespace zendro::cli {

// --pf-add-new and --pf-rebuild: what to do with a JOB.pf that does not match
// the job's CTX file before converting. Without either the job is converted
// with the file as it is (and a warning says it does not match).
void addPfUpdateFlags(CLI::App& app, std::optional<PfUpdate>& update);

}  // namespace zendro::cli
