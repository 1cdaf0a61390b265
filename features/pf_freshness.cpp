#include "features/pf_freshness.h"

#include <algorithm>
#include <unordered_set>

#include "features/point_name.h"

namespace zendro {
namespace {

constexpr std::size_t kPointsNamed = 5;

std::string firstPoints(const std::vector<std::int64_t>& points) {
    std::string text;
    for (std::size_t i = 0; i < std::min(points.size(), kPointsNamed); ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(points[i]);
    }
    return text + (points.size() > kPointsNamed ? ", ..." : "");
}

}  // namespace

PfFreshness comparePfWithCtx(const std::vector<PfEntry>& entries,
                             const std::vector<NamedFeature>& ctx, bool ctxNewer) {
    PfFreshness freshness;
    freshness.ctxNewer = ctxNewer;
    std::unordered_set<std::int64_t> inPf;
    for (const PfEntry& entry : entries) {
        const PointName name = PointName::fromField(entry.name);
        if (name.isNumber()) inPf.insert(name.number());
    }
    std::unordered_set<std::int64_t> inCtx;
    for (const NamedFeature& feature : ctx) {
        if (inCtx.insert(feature.pointNumber).second && inPf.count(feature.pointNumber) == 0) {
            freshness.newInCtx.push_back(feature.pointNumber);
        }
    }
    std::unordered_set<std::int64_t> gone;
    for (const PfEntry& entry : entries) {
        const PointName name = PointName::fromField(entry.name);
        if (name.isNumber() && inCtx.count(name.number()) == 0 && gone.insert(name.number()).second) {
            freshness.goneFromCtx.push_back(name.number());
        }
    }
    return freshness;
}

std::string pfFreshnessWarning(const std::string& pfPath, const std::string& ctxPath,
                               const PfFreshness& freshness) {
    std::string text = pfPath + ": does not match " + ctxPath + ": " +
                       std::to_string(freshness.newInCtx.size()) + " CTX points without an entry";
    if (!freshness.newInCtx.empty()) text += " (" + firstPoints(freshness.newInCtx) + ")";
    text += ", " + std::to_string(freshness.goneFromCtx.size()) +
            " entries whose point the CTX file no longer has";
    if (!freshness.goneFromCtx.empty()) text += " (" + firstPoints(freshness.goneFromCtx) + ")";
    if (freshness.ctxNewer) text += ", the CTX file is newer";
    return text + "; converted with the point-feature file as it is";
}

std::string pfWithNewCtxEntries(std::string_view pfBytes, const std::vector<NamedFeature>& ctx,
                                const PfFreshness& freshness, std::string_view commentCode) {
    const std::unordered_set<std::int64_t> wanted(freshness.newInCtx.begin(),
                                                  freshness.newInCtx.end());
    std::vector<NamedFeature> added;
    for (const NamedFeature& feature : ctx) {
        if (wanted.count(feature.pointNumber) != 0) added.push_back(feature);
    }
    std::string text(pfBytes);
    // A last line without its line end would run into the first new entry.
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
    return text + pointFeatureFileText(added, commentCode);
}

}  // namespace zendro
