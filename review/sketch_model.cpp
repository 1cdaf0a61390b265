#include "review/sketch_model.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "common/field_format.h"
#include "common/text_forms.h"

namespace zendro::review {
namespace {

}  // namespace

std::ptrdiff_t SketchModel::indexOf(std::int64_t number) const {
    const auto found = std::find_if(points.begin(), points.end(),
                                    [number](const SketchPoint& p) { return p.number == number; });
    return found == points.end() ? -1 : found - points.begin();
}

SketchModel buildSketch(const JobReview& review, const std::string& pointPrefix) {
    SketchModel model;
    const Plan& plan = review.plan;
    model.points.reserve(plan.points.size());
    for (const PlanPoint& planned : plan.points) {
        SketchPoint& point = model.points.emplace_back();
        point.number = planned.number;
        point.x = planned.position.east + plan.frames[planned.frame].drawingEastOffset;
        point.y = planned.position.north;
        point.elevation = planned.position.elevation;
        point.station = planned.station;
        point.taped = planned.taped;
        point.label = pointPrefix + std::to_string(planned.number);
        const PointMeaning* meaning = review.meaning.find(planned.number);
        if (meaning != nullptr && meaning->entry != 0) {
            point.entry = meaning->entry;
            point.description = review.points.at(point.entry).description;
            point.comment = review.points.at(point.entry).comment;
        }
        const auto records = plan.recordsOfPoint.find(planned.number);
        if (records != plan.recordsOfPoint.end()) point.records = records->second;
    }
    if (!model.points.empty()) {
        model.bounds = {model.points[0].x, model.points[0].y, model.points[0].x, model.points[0].y};
        for (const SketchPoint& p : model.points) {
            model.bounds.minX = std::min(model.bounds.minX, p.x);
            model.bounds.maxX = std::max(model.bounds.maxX, p.x);
            model.bounds.minY = std::min(model.bounds.minY, p.y);
            model.bounds.maxY = std::max(model.bounds.maxY, p.y);
        }
    }
    for (const PlanLeg& leg : plan.legs) {
        const auto from = plan.indexOfPoint.find(leg.from);
        const auto to = plan.indexOfPoint.find(leg.to);
        if (from != plan.indexOfPoint.end() && to != plan.indexOfPoint.end()) {
            model.legs.emplace_back(from->second, to->second);
        }
    }

    for (const JobChain& chain : review.meaning.chains) {
        SketchChain& drawn = model.chains.emplace_back();
        drawn.name = chain.name;
        drawn.feature = chain.feature;
        for (const ChainVertex* vertex : chain.path()) {
            drawn.pointTexts.push_back(vertex->text);
            if (!vertex->point) continue;
            const auto at = plan.indexOfPoint.find(*vertex->point);
            if (at != plan.indexOfPoint.end()) drawn.points.push_back(at->second);
        }
    }
    return model;
}

SketchModel buildSketch(const JobReview& review, const ConversionOptions& options,
                        const std::string& jobName) {
    SketchModel model = buildSketch(review, options.pointPrefix);
    model.title.jobName = jobName;
    model.title.unit = options.unit;
    model.title.frame = "local";
    return model;
}

std::string sketchFileExtension(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

bool isSketchFileName(const std::string& path) {
    const std::string extension = sketchFileExtension(path);
    return extension == "svg" || extension == "pdf" || extension == "png";
}

std::optional<SheetPaper> sheetPaperNamed(const std::string& name) {
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "letter") return SheetPaper::Letter;
    if (lower == "tabloid") return SheetPaper::Tabloid;
    if (lower == "a4") return SheetPaper::A4;
    if (lower == "a3") return SheetPaper::A3;
    return std::nullopt;
}

}  // namespace zendro::review
