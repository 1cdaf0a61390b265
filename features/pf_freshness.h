#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "features/pf_reader.h"
#include "features/point_name_pass.h"

namespace zendro {

// How the job's point-feature file stands against its CTX file. A re-download
// under the same job name brings a new CTX file while the old JOB.pf, which is
// the one a conversion reads, keeps the old points' descriptions.
struct PfFreshness {
    std::vector<std::int64_t> newInCtx;     // CTX features with no entry, in CTX order
    std::vector<std::int64_t> goneFromCtx;  // entries whose point the CTX lacks, in file order
    bool ctxNewer = false;                  // the CTX file was written after JOB.pf
    bool matches() const { return newInCtx.empty() && goneFromCtx.empty() && !ctxNewer; }
};

// What a front end may do with a point-feature file that does not match the
// CTX file: add the CTX's new points to it (the crew's edits stay), or make it
// again from the CTX file (the previous file kept beside it).
enum class PfUpdate { AddNew, Rebuild };

// Entries are matched by their number name (second features by theirs, point +
// 100000); entries named by a text or by nothing are the crew's own and never
// counted as gone.
PfFreshness comparePfWithCtx(const std::vector<PfEntry>& entries,
                             const std::vector<NamedFeature>& ctx, bool ctxNewer);

// One line: the counts and the first few points of each kind.
std::string pfFreshnessWarning(const std::string& pfPath, const std::string& ctxPath,
                               const PfFreshness& freshness);

// The point-feature file with a line for each CTX feature it lacks appended,
// written as the first conversion writes them; every existing byte is kept.
std::string pfWithNewCtxEntries(std::string_view pfBytes, const std::vector<NamedFeature>& ctx,
                                const PfFreshness& freshness, std::string_view commentCode);

}  // namespace zendro
