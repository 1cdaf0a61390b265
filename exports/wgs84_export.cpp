// KML and GeoJSON through GDAL: both are on WGS 84, so the grid positions go
// through the job's coordinate system; without one they are refused. The
// elevation stays an attribute in the job's unit (neither format has a place
// for an elevation that is not on the ellipsoid in meters).

#include <cmath>

#include "common/errors.h"
#include "exports/format_writers.h"
#include "exports/memory_dataset.h"
#include "exports/utf8_text.h"

namespace zendro::exports {
namespace {

// Text as XML character data.
std::string xmlText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '&') escaped += "&amp;";
        else if (c == '<') escaped += "&lt;";
        else if (c == '>') escaped += "&gt;";
        else escaped += c;
    }
    return escaped;
}

struct Wgs84Format {
    const char* driver;
    const char* title;  // as the refusal names it
    std::vector<std::string> datasetOptions;
    std::vector<std::string> layerOptions;
    bool oneLayer = false;  // the points and the chains in one layer
};

class Wgs84Writer {
  public:
    Wgs84Writer(const ExportInput& input, const Wgs84Format& format)
        : input_(input), contents_(input.contents), format_(format),
          system_(requireSystem(input, format)), wgs84_(wgs84System()),
          dataset_(format.driver, input.fileName, format.datasetOptions) {}

    std::string write() {
        const std::string layerName = format_.oneLayer ? utf8Of(input_.job.jobName) : "points";
        OGRLayer& points =
            dataset_.createLayer(layerName.c_str(), wgs84_.get(),
                                 format_.oneLayer ? wkbUnknown : wkbPoint, format_.layerOptions);
        for (const char* field : {"name", "description", "comment", "feature"})
            dataset_.addField(points, field, OFTString);
        dataset_.addField(points, "elevation", OFTReal);
        dataset_.addField(points, "station", OFTInteger);
        if (contents_.levelled) dataset_.addField(points, "height_source", OFTString);
        for (const ExportPoint& point : contents_.points) {
            OGRFeatureUniquePtr feature = dataset_.newFeature(points);
            feature->SetField("name", point.name.c_str());
            feature->SetField("description", utf8Of(point.description).c_str());
            feature->SetField("comment", utf8Of(point.comment).c_str());
            feature->SetField("feature", utf8Of(point.featureCode).c_str());
            feature->SetField("elevation", roundedLength(point.elevation));
            feature->SetField("station", point.station ? 1 : 0);
            if (contents_.levelled)
                feature->SetField("height_source", std::string(point.heightSource).c_str());
            const OGRPoint at = onWgs84(point);
            feature->SetGeometry(&at);
            dataset_.write(points, *feature);
        }
        OGRLayer& chains = format_.oneLayer ? points : chainLayer();
        for (const ExportChain& chain : contents_.chains) {
            OGRFeatureUniquePtr feature = dataset_.newFeature(chains);
            feature->SetField("name", utf8Of(chain.name).c_str());
            feature->SetField("feature", utf8Of(chain.feature).c_str());
            OGRLineString line;
            for (const std::size_t vertex : chain.vertices) {
                const OGRPoint at = onWgs84(contents_.points[vertex]);
                line.addPoint(&at);
            }
            feature->SetGeometry(&line);
            dataset_.write(chains, *feature);
        }
        return dataset_.bytes();
    }

  private:
    OGRLayer& chainLayer() {
        OGRLayer& chains = dataset_.createLayer("chains", wgs84_.get(), wkbLineString,
                                                format_.layerOptions);
        for (const char* field : {"name", "feature"}) dataset_.addField(chains, field, OFTString);
        return chains;
    }

    // To the thousandths the other exports write.
    static double roundedLength(double value) {
        return std::round(value * 1000.0) / 1000.0;
    }

    static const coordinates::CoordinateSystem& requireSystem(const ExportInput& input,
                                                              const Wgs84Format& format) {
        if (input.job.system == nullptr) {
            throw ZendroError(input.fileName,
                              std::string(format.title) +
                                  " is on WGS 84 and needs the job's coordinate system "
                                  "(EPSG:NNNN); nothing was written");
        }
        return *input.job.system;
    }

    OGRPoint onWgs84(const ExportPoint& point) const {
        const coordinates::GeographicPosition position = system_.toWgs84(point.north, point.east);
        return OGRPoint(position.longitude, position.latitude);
    }

    const ExportInput& input_;
    const ExportContents& contents_;
    const Wgs84Format& format_;
    const coordinates::CoordinateSystem& system_;
    std::unique_ptr<OGRSpatialReference> wgs84_;
    MemoryDataset dataset_;
};

}  // namespace

std::string kmlBytes(const ExportInput& input) {
    const Wgs84Format format{"KML", "KML", {"NameField=name", "DescriptionField=description"}, {}};
    const std::string written = Wgs84Writer(input, format).write();
    // KML orders a document's elements: its name and description, every
    // Schema, then the folders. GDAL writes a later layer's Schema after the
    // folders before it, so the schemas are gathered ahead of them.
    const std::string document = "<Document id=\"root_doc\">";
    const std::size_t opened = written.find(document);
    const std::size_t firstFolder = written.find("<Folder>");
    if (opened == std::string::npos || firstFolder == std::string::npos)
        throw ZendroError(input.fileName, "GDAL's KML has no Document or no Folder");
    std::string schemas;
    std::string rest = written.substr(firstFolder);
    for (std::size_t at; (at = rest.find("<Schema ")) != std::string::npos;) {
        const std::size_t end = rest.find("</Schema>", at);
        if (end == std::string::npos) throw ZendroError(input.fileName, "GDAL's KML is cut short");
        const std::size_t past = rest.find_first_not_of('\n', end + 9);
        schemas += rest.substr(at, end + 9 - at) + "\n";
        rest.erase(at, (past == std::string::npos ? rest.size() : past) - at);
    }
    return written.substr(0, opened + document.size()) + "\n<name>" +
           xmlText(utf8Of(input.job.jobName)) + "</name>\n<description>" +
           xmlText(utf8Of(input.contents.summary(input.job.jobName))) + "</description>" +
           written.substr(opened + document.size(), firstFolder - opened - document.size()) +
           schemas + rest;
}

std::string geoJsonBytes(const ExportInput& input) {
    // A GeoJSON file is one collection: the points and the chains in the one
    // layer, told apart by their geometry. 1e-9 degrees is 0.1 mm.
    const Wgs84Format format{"GeoJSON",
                             "GeoJSON",
                             {},
                             {"RFC7946=YES", "COORDINATE_PRECISION=9",
                              "DESCRIPTION=" + utf8Of(input.contents.summary(input.job.jobName))},
                             true};
    return Wgs84Writer(input, format).write();
}

}  // namespace zendro::exports
