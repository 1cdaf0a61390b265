#include "conversion/short_download.h"

#include <cstdint>
#include <unordered_set>

#include "conversion/decoding.h"
#include "features/point_name.h"

namespace zendro {
namespace {

// Second features are keyed in the CTX file as their point's number + 100000.
constexpr std::int64_t kSecondFeatureOffset = 100000;

}  // namespace

std::optional<ShortDownload> findShortDownload(std::string_view hvd,
                                               const std::vector<PfEntry>& entries) {
    const std::size_t rest = hvd.size() % kObservationRecordSize;
    if (rest == 0) return std::nullopt;
    ShortDownload cut;
    cut.trailingBytes = rest;
    cut.wholeRecords = hvd.size() / kObservationRecordSize;
    std::unordered_set<std::int64_t> observed;
    for (std::size_t i = 0; i < cut.wholeRecords; ++i) {
        observed.insert(decodeRecord(hvd.substr(i * kObservationRecordSize)).pointNumber);
    }
    for (const PfEntry& entry : entries) {
        const PointName name = PointName::fromField(entry.name);
        if (!name.isNumber()) continue;
        const std::int64_t point = name.isAbove(kSecondFeatureOffset)
                                       ? name.number() - kSecondFeatureOffset
                                       : name.number();
        if (observed.count(point) == 0) ++cut.unobservedEntries;
    }
    return cut;
}

std::string shortDownloadWarning(const std::string& hvdPath, const ShortDownload& cut) {
    return hvdPath + ": the HVD file ends inside a record, the download may be cut short: " +
           std::to_string(cut.wholeRecords) + " whole records converted, " +
           std::to_string(cut.unobservedEntries) +
           " point-feature entries that no record observed";
}

}  // namespace zendro
