#include "conversion/job_meaning.h"

#include "common/field_format.h"
#include "conversion/shot_rules.h"

namespace zendro {
namespace {

using field_format::RecordKind;

bool namesAPoint(RecordKind kind) {
    return kind == RecordKind::Setup || kind == RecordKind::Reference ||
           kind == RecordKind::Backsight || kind == RecordKind::Traverse ||
           kind == RecordKind::Sideshot;
}

std::optional<std::int64_t> pointOfEntry(const PointTable& points, std::size_t entry) {
    const PointName& name = points.at(entry).name;
    if (!name.isNumber()) return std::nullopt;
    return physicalPoint(name.number());
}

PointMeaning meaningOf(std::int64_t number, const PointTable& points) {
    PointMeaning meaning;
    meaning.number = number;
    const std::vector<std::size_t>& entries = points.indicesOf(number);
    if (entries.empty()) return meaning;
    meaning.entry = entries.back();
    meaning.otherEntries.assign(entries.begin(), entries.end() - 1);
    const std::size_t next = meaning.entry + 1;
    if (next < points.pointCount() &&
        points.at(next).name.isAbove(field_format::kSecondFeatureOffset))
        meaning.secondFeatureEntry = next;
    meaning.taped = points.at(meaning.entry).isTaped();
    if (meaning.taped && shot_rules::canPlaceTapedEntry(meaning.entry)) {
        TapedOffset& offset = meaning.offset.emplace();
        offset.stationEntry = meaning.entry - 1;
        offset.referenceEntry = meaning.entry - 2;
        offset.station = pointOfEntry(points, offset.stationEntry);
        offset.reference = pointOfEntry(points, offset.referenceEntry);
    }
    return meaning;
}

JobChain chainOf(const ChainList& list, const PointTable& points) {
    JobChain chain;
    chain.name = list.name;
    chain.feature = list.feature;
    const auto vertex = [&](std::size_t pfIndex, const std::string& text) {
        const std::size_t entry = pfIndex + 1;  // the table counts its entries from 1
        return ChainVertex{entry, text, pointOfEntry(points, entry)};
    };
    for (std::size_t i = 0; i < list.entries.size() && i < list.pointTexts.size(); ++i)
        chain.points.push_back(vertex(list.entries[i], list.pointTexts[i]));
    if (list.endEntry) chain.end = vertex(*list.endEntry, list.endText);
    return chain;
}

}  // namespace

std::int64_t physicalPoint(std::int64_t number) {
    return number > field_format::kSecondFeatureOffset
               ? number - field_format::kSecondFeatureOffset
               : number;
}

std::vector<const ChainVertex*> JobChain::path() const {
    std::vector<const ChainVertex*> path;
    path.reserve(points.size() + 1);
    for (const ChainVertex& vertex : points) path.push_back(&vertex);
    if (end) path.push_back(&*end);
    return path;
}

const PointMeaning* JobMeaning::find(std::int64_t number) const {
    const auto found = indexOfPoint_.find(number);
    return found == indexOfPoint_.end() ? nullptr : &points[found->second];
}

JobMeaning resolveMeaning(const std::vector<Observation>& observations, const PointTable& points,
                          const std::vector<ChainList>& chains) {
    JobMeaning meaning;
    for (const Observation& record : observations) {
        if (!namesAPoint(record.recordKind)) continue;
        const auto [at, added] = meaning.indexOfPoint_.emplace(record.pointNumber, 0);
        if (added) {
            at->second = meaning.points.size();
            meaning.points.push_back(meaningOf(record.pointNumber, points));
        }
        PointMeaning& point = meaning.points[at->second];
        // The tape's values come from the shot to the point, as its taped block prints them.
        if (point.offset && record.isMeasuredShot()) {
            point.offset->distance = record.distance;
            point.offset->directionDegrees =
                shot_rules::tapedDirectionDegrees(record.horizontalShownDegrees);
        }
    }
    meaning.chains.reserve(chains.size());
    for (const ChainList& list : chains) meaning.chains.push_back(chainOf(list, points));
    return meaning;
}

}  // namespace zendro
