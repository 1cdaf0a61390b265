#include "exports/export_contents.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "common/errors.h"

namespace zendro::exports {
namespace {

// The point number a chain's point text names: the prefix and then digits
// only, as the chain section writes a numbered point.
std::optional<std::int64_t> numberOfText(std::string_view text, std::string_view prefix) {
    if (!text.starts_with(prefix)) return std::nullopt;
    const std::string_view digits = text.substr(prefix.size());
    if (digits.empty()) return std::nullopt;
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return number;
}

std::vector<ExportPoint> pointsOf(const ExportJob& job) {
    const PointTable& table = job.review->points;
    std::vector<ExportPoint> points;
    points.reserve(job.positions->points.size());
    for (const coordinates::PointPosition& position : job.positions->points) {
        ExportPoint& point = points.emplace_back();
        point.number = position.number;
        point.name = std::to_string(position.number);
        const std::vector<std::size_t>& entries = table.indicesOf(position.number);
        if (!entries.empty()) {
            const PointEntry& entry = table.at(entries.front());
            point.description = entry.description;
            point.comment = entry.comment;
        }
        point.north = position.north;
        point.east = position.east;
        point.elevation = position.elevation;
        point.station = position.station;
    }
    return points;
}

std::optional<ExportChain> chainOf(const review::ReviewChain& chain, const ExportJob& job) {
    const coordinates::JobPositions& positions = *job.positions;
    ExportChain exported;
    exported.name = chain.name;
    exported.feature = chain.feature;
    exported.closed = !chain.pointTexts.empty() && chain.endText == chain.pointTexts.front();
    std::vector<std::string_view> texts(chain.pointTexts.begin(), chain.pointTexts.end());
    if (!chain.endText.empty()) texts.push_back(chain.endText);
    for (const std::string_view text : texts) {
        const std::optional<std::int64_t> number = numberOfText(text, job.options->pointPrefix);
        if (!number) continue;
        const coordinates::PointPosition* position = positions.find(*number);
        if (position == nullptr) continue;
        exported.vertices.push_back(static_cast<std::size_t>(position - positions.points.data()));
    }
    if (exported.vertices.size() < 2) return std::nullopt;
    return exported;
}

}  // namespace

std::string ExportContents::summary(const std::string& jobName) const {
    return jobName + ": " + frameName + " frame, " + unitName;
}

ExportContents exportContents(const ExportJob& job, const std::string& fileName) {
    if (job.options == nullptr || job.review == nullptr || job.positions == nullptr) {
        throw ZendroError(fileName, "nothing to export: the job was not reviewed and positioned");
    }
    if (job.system != nullptr) job.system->checkJobUnit(job.options->unit);

    ExportContents contents;
    contents.frameName = std::string(coordinates::frameName(job.positions->frame));
    contents.unitName = std::string(unitName(job.options->unit));
    contents.points = pointsOf(job);
    for (const review::ReviewChain& chain : job.review->chains) {
        if (std::optional<ExportChain> exported = chainOf(chain, job)) {
            contents.chains.push_back(std::move(*exported));
        }
    }
    for (const ExportChain& chain : contents.chains) {
        for (const std::size_t vertex : chain.vertices) {
            if (contents.points[vertex].featureCode.empty()) {
                contents.points[vertex].featureCode = chain.feature;
            }
        }
    }
    for (ExportPoint& point : contents.points) {
        if (point.featureCode.empty()) point.featureCode = point.description;
    }
    return contents;
}

}  // namespace zendro::exports
