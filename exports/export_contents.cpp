#include "exports/export_contents.h"

#include <unordered_set>

#include "common/errors.h"

namespace zendro::exports {
namespace {

std::vector<ExportPoint> pointsOf(const ExportJob& job) {
    const review::JobReview& review = *job.review;
    std::vector<ExportPoint> points;
    points.reserve(job.positions->points.size());
    for (const coordinates::PointPosition& position : job.positions->points) {
        ExportPoint& point = points.emplace_back();
        point.number = position.number;
        point.name = std::to_string(position.number);
        if (const PointMeaning* meaning = review.meaning.find(position.number)) {
            if (meaning->entry != 0) {
                const PointEntry& entry = review.points.at(meaning->entry);
                point.description = entry.description;
                point.comment = entry.comment;
            }
            if (meaning->offset && position.taped) point.taped = &*meaning->offset;
        }
        point.north = position.north;
        point.east = position.east;
        point.elevation = position.elevation;
        point.station = position.station;
    }
    return points;
}

// The points follow the positions one for one, so a position's index is its point's.
std::optional<ExportChain> chainOf(const JobChain& chain,
                                   const coordinates::JobPositions& positions) {
    ExportChain exported;
    exported.name = chain.name;
    exported.feature = chain.feature;
    exported.closed = chain.closed();
    for (const ChainVertex* vertex : chain.path()) {
        if (!vertex->point) continue;
        if (const coordinates::PointPosition* at = positions.find(*vertex->point))
            exported.vertices.push_back(static_cast<std::size_t>(at - positions.points.data()));
    }
    if (exported.vertices.size() < 2) return std::nullopt;
    return exported;
}

// Only the adjustment takes a level run's heights in: the other frames' are
// the total station's.
void markLevelledHeights(ExportContents& contents,
                         const std::vector<coordinates::LevelledHeight>& levelled,
                         coordinates::PositionFrame frame) {
    contents.levelled = true;
    std::unordered_set<std::int64_t> held;
    if (frame == coordinates::PositionFrame::Adjusted)
        for (const coordinates::LevelledHeight& height : levelled) held.insert(height.number);
    for (ExportPoint& point : contents.points)
        point.heightSource = held.contains(point.number) ? kLevelRunHeight : kSurveyHeight;
}

}  // namespace

std::string ExportContents::summary(const std::string& jobName) const {
    return jobName + ": " + frameName + " frame, " + std::string(unitName(unit));
}

ExportContents exportContents(const ExportJob& job, const std::string& fileName) {
    if (job.options == nullptr || job.review == nullptr || job.positions == nullptr) {
        throw ZendroError(fileName, "nothing to export: the job was not reviewed and positioned");
    }
    if (job.system != nullptr) job.system->checkJobUnit(job.options->unit);

    ExportContents contents;
    contents.frameName = std::string(coordinates::frameName(job.positions->frame));
    contents.unit = job.options->unit;
    contents.points = pointsOf(job);
    for (const JobChain& chain : job.review->meaning.chains) {
        if (std::optional<ExportChain> exported = chainOf(chain, *job.positions))
            contents.chains.push_back(std::move(*exported));
    }
    for (const ExportChain& chain : contents.chains) {
        for (const std::size_t vertex : chain.vertices) {
            if (contents.points[vertex].featureCode.empty())
                contents.points[vertex].featureCode = chain.feature;
        }
    }
    for (ExportPoint& point : contents.points) {
        if (point.featureCode.empty()) point.featureCode = point.description;
    }
    if (job.levelled != nullptr) markLevelledHeights(contents, *job.levelled, job.positions->frame);
    return contents;
}

}  // namespace zendro::exports
