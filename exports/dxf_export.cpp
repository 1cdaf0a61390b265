// DXF through GDAL: every point on the layer of its feature code, a label
// with its name on LABELS, stations again on STATIONS, and each chain a 3D
// polyline on its feature's layer.

#include "exports/dxf_layer_name.h"
#include "exports/format_writers.h"
#include "exports/memory_dataset.h"

namespace zendro::exports {
namespace {

constexpr const char* kLabelLayer = "LABELS";
constexpr const char* kStationLayer = "STATIONS";
constexpr const char* kUncodedLayer = "POINTS";

// Text a label style string can carry in its quotes.
std::string styleText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '"' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

class DxfWriter {
  public:
    explicit DxfWriter(const ExportInput& input)
        : contents_(input.contents), dataset_("DXF", input.fileName),
          // The driver writes one layer of entities; its "Layer" field names
          // each entity's DXF layer.
          entities_(dataset_.createLayer("entities", nullptr, wkbUnknown)),
          labelHeight_(input.job.options->metric() ? 0.3 : 1.0) {}

    std::string write() {
        for (const ExportPoint& point : contents_.points) {
            const OGRPoint at(point.east, point.north, point.elevation);
            writeEntity(at, dxfLayerName(point.featureCode, kUncodedLayer));
            if (point.station) writeEntity(at, kStationLayer);
            writeEntity(at, kLabelLayer,
                        "LABEL(f:\"Arial\",t:\"" + styleText(point.name) + "\",s:" +
                            std::to_string(labelHeight_) + "g)");
        }
        for (const ExportChain& chain : contents_.chains) {
            OGRLineString line;
            for (const std::size_t vertex : chain.vertices) {
                const ExportPoint& point = contents_.points[vertex];
                line.addPoint(point.east, point.north, point.elevation);
            }
            writeEntity(line, dxfLayerName(chain.feature, kUncodedLayer));
        }
        return dataset_.bytes();
    }

  private:
    void writeEntity(const OGRGeometry& geometry, const std::string& layer,
                     const std::string& style = {}) {
        OGRFeatureUniquePtr feature = dataset_.newFeature(entities_);
        feature->SetField("Layer", layer.c_str());
        if (!style.empty()) feature->SetStyleString(style.c_str());
        feature->SetGeometry(&geometry);
        dataset_.write(entities_, *feature);
    }

    const ExportContents& contents_;
    MemoryDataset dataset_;
    OGRLayer& entities_;
    double labelHeight_;  // in the drawing's unit: about a foot
};

}  // namespace

std::string dxfBytes(const ExportInput& input) { return DxfWriter(input).write(); }

}  // namespace zendro::exports
