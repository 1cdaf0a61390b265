// GeoPackage through GDAL: layers points, chains and stations, in the grid's
// own unit, with the job's coordinate system or else a local one named after
// the frame. Each layer's description names the job, the frame and the unit.

#include "exports/format_writers.h"
#include "exports/memory_dataset.h"
#include "exports/utf8_text.h"

namespace zendro::exports {
namespace {

class GeoPackageWriter {
  public:
    explicit GeoPackageWriter(const ExportInput& input)
        : input_(input), contents_(input.contents), dataset_("GPKG", input.fileName) {
        system_ = input.job.system != nullptr
                      ? gridSystem(input.job.system->code(), input.fileName)
                      : localSystem(utf8Of(input.contents.summary(input.job.jobName)),
                                    input.job.options->unit);
    }

    std::string write() {
        dataset_.startTransaction();  // one commit, not one per feature
        OGRLayer& points = pointLayer("points");
        OGRLayer& stations = pointLayer("stations");
        for (const ExportPoint& point : contents_.points) {
            writePoint(points, point);
            if (point.station) writePoint(stations, point);
        }
        OGRLayer& chains = layer("chains", wkbLineString25D);
        dataset_.addField(chains, "name", OFTString);
        dataset_.addField(chains, "feature", OFTString);
        dataset_.addField(chains, "closed", OFTInteger);
        for (const ExportChain& chain : contents_.chains) {
            OGRFeatureUniquePtr feature = dataset_.newFeature(chains);
            feature->SetField("name", utf8Of(chain.name).c_str());
            feature->SetField("feature", utf8Of(chain.feature).c_str());
            feature->SetField("closed", chain.closed ? 1 : 0);
            OGRLineString line;
            for (const std::size_t vertex : chain.vertices) {
                const ExportPoint& point = contents_.points[vertex];
                line.addPoint(point.east, point.north, point.elevation);
            }
            feature->SetGeometry(&line);
            dataset_.write(chains, *feature);
        }
        return dataset_.bytes();
    }

  private:
    OGRLayer& layer(const char* name, OGRwkbGeometryType type) {
        const std::string description = utf8Of(contents_.summary(input_.job.jobName));
        return dataset_.createLayer(name, system_.get(), type,
                                    {"DESCRIPTION=" + description});
    }

    OGRLayer& pointLayer(const char* name) {
        OGRLayer& created = layer(name, wkbPoint25D);
        for (const char* field : {"name", "description", "comment", "feature"})
            dataset_.addField(created, field, OFTString);
        if (contents_.levelled) dataset_.addField(created, "height_source", OFTString);
        return created;
    }

    void writePoint(OGRLayer& target, const ExportPoint& point) {
        OGRFeatureUniquePtr feature = dataset_.newFeature(target);
        feature->SetField("name", point.name.c_str());
        feature->SetField("description", utf8Of(point.description).c_str());
        feature->SetField("comment", utf8Of(point.comment).c_str());
        feature->SetField("feature", utf8Of(point.featureCode).c_str());
        if (contents_.levelled) feature->SetField("height_source", std::string(point.heightSource).c_str());
        const OGRPoint at(point.east, point.north, point.elevation);
        feature->SetGeometry(&at);
        dataset_.write(target, *feature);
    }

    const ExportInput& input_;
    const ExportContents& contents_;
    MemoryDataset dataset_;
    std::unique_ptr<OGRSpatialReference> system_;
};

}  // namespace

std::string geoPackageBytes(const ExportInput& input) { return GeoPackageWriter(input).write(); }

}  // namespace zendro::exports
