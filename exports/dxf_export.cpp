// DXF through GDAL: every point on the layer of its feature code, a label
// with its name on LABELS, stations again on STATIONS, and each chain a 3D
// polyline on its feature's layer with its name, as the OBS file gives it, on
// CHAINS at its first place. The header says the drawing's unit ($INSUNITS,
// $MEASUREMENT) and a comment first names the job, its frame and its unit.

#include "common/errors.h"
#include "exports/dxf_layer_name.h"
#include "exports/format_writers.h"
#include "exports/memory_dataset.h"
#include "exports/utf8_text.h"

namespace zendro::exports {
namespace {

constexpr const char* kLabelLayer = "LABELS";
constexpr const char* kStationLayer = "STATIONS";
constexpr const char* kUncodedLayer = "POINTS";
constexpr const char* kChainNameLayer = "CHAINS";

// An integer group value as the template writes it, right-aligned in six.
std::string groupValue(int value) {
    std::string text = std::to_string(value);
    return std::string(text.size() < 6 ? 6 - text.size() : 0, ' ') + text;
}

// Sets a header variable's value: the line after its group code line, as
// GDAL's header template writes "  9 / $NAME / code / value".
void setHeaderValue(std::string& dxf, const std::string& name, const std::string& value,
                    const std::string& fileName) {
    const std::string key = "\n" + name + "\n";
    const std::size_t at = dxf.find(key);
    const std::size_t codeEnd = at == std::string::npos ? at : dxf.find('\n', at + key.size());
    const std::size_t valueEnd =
        codeEnd == std::string::npos ? codeEnd : dxf.find('\n', codeEnd + 1);
    if (valueEnd == std::string::npos)
        throw ZendroError(fileName, "GDAL's DXF header has no " + name);
    const std::size_t valueStart = codeEnd + 1;
    const bool carriageReturn = valueEnd > valueStart && dxf[valueEnd - 1] == '\r';
    dxf.replace(valueStart, valueEnd - valueStart - (carriageReturn ? 1 : 0), value);
}

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
        : contents_(input.contents), jobName_(input.job.jobName), fileName_(input.fileName),
          dataset_("DXF", input.fileName),
          // The driver writes one layer of entities; its "Layer" field names
          // each entity's DXF layer.
          entities_(dataset_.createLayer("entities", nullptr, wkbUnknown)),
          labelHeight_(input.job.options->metric() ? 0.3 : 1.0) {}

    std::string write() {
        for (const ExportPoint& point : contents_.points) {
            const OGRPoint at(point.east, point.north, point.elevation);
            writeEntity(at, dxfLayerName(point.featureCode, kUncodedLayer));
            if (point.station) writeEntity(at, kStationLayer);
            writeEntity(at, kLabelLayer, labelStyle(point.name));
        }
        for (const ExportChain& chain : contents_.chains) {
            OGRLineString line;
            for (const std::size_t vertex : chain.vertices) {
                const ExportPoint& point = contents_.points[vertex];
                line.addPoint(point.east, point.north, point.elevation);
            }
            writeEntity(line, dxfLayerName(chain.feature, kUncodedLayer));
            const ExportPoint& start = contents_.points[chain.vertices.front()];
            writeEntity(OGRPoint(start.east, start.north, start.elevation), kChainNameLayer,
                        labelStyle(utf8Of(chain.name)));
        }
        std::string dxf = dataset_.bytes();
        const LengthUnit unit = contents_.unit;
        setHeaderValue(dxf, "$INSUNITS", groupValue(namesOf(unit).dxfInsUnits), fileName_);
        setHeaderValue(dxf, "$MEASUREMENT", groupValue(isMetric(unit) ? 1 : 0), fileName_);
        return "999\n" + utf8Of(contents_.summary(jobName_)) + "\n" + dxf;
    }

  private:
    std::string labelStyle(const std::string& text) const {
        return "LABEL(f:\"Arial\",t:\"" + styleText(text) + "\",s:" +
               std::to_string(labelHeight_) + "g)";
    }

    void writeEntity(const OGRGeometry& geometry, const std::string& layer,
                     const std::string& style = {}) {
        OGRFeatureUniquePtr feature = dataset_.newFeature(entities_);
        feature->SetField("Layer", layer.c_str());
        if (!style.empty()) feature->SetStyleString(style.c_str());
        feature->SetGeometry(&geometry);
        dataset_.write(entities_, *feature);
    }

    const ExportContents& contents_;
    const std::string& jobName_;
    const std::string& fileName_;
    MemoryDataset dataset_;
    OGRLayer& entities_;
    double labelHeight_;  // in the drawing's unit: about a foot
};

}  // namespace

std::string dxfBytes(const ExportInput& input) { return DxfWriter(input).write(); }

}  // namespace zendro::exports
