#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "common/length_unit.h"

namespace zendro::exports {

// GDAL's errors for this thread are kept quiet while it lives (the export
// throws with the message instead of printing it); the previous handler is
// back after.
class QuietGdalErrors {
  public:
    QuietGdalErrors();
    QuietGdalErrors(const QuietGdalErrors&) = delete;
    QuietGdalErrors& operator=(const QuietGdalErrors&) = delete;
    ~QuietGdalErrors();
};

// A vector dataset of one GDAL driver written into a /vsimem/ file that is
// removed with this object; bytes() closes the dataset and returns the file.
// Failures throw ZendroError naming `fileName` and GDAL's cause.
class MemoryDataset {
  public:
    MemoryDataset(const char* driverName, const std::string& fileName,
                  const std::vector<std::string>& options = {});
    MemoryDataset(const MemoryDataset&) = delete;
    MemoryDataset& operator=(const MemoryDataset&) = delete;
    ~MemoryDataset();

    OGRLayer& createLayer(const char* name, OGRSpatialReference* system,
                          OGRwkbGeometryType type, const std::vector<std::string>& options = {});
    void addField(OGRLayer& layer, const char* name, OGRFieldType type);
    OGRFeatureUniquePtr newFeature(OGRLayer& layer) const;
    void write(OGRLayer& layer, OGRFeature& feature);

    // Features written after this are committed together by bytes().
    void startTransaction();
    std::string bytes();

  private:
    [[noreturn]] void fail(const std::string& doing) const;

    QuietGdalErrors quiet_;
    std::string fileName_;
    std::string path_;
    GDALDatasetUniquePtr dataset_;
    bool inTransaction_ = false;
};

// The job's projected system with east as x and north as y.
std::unique_ptr<OGRSpatialReference> gridSystem(const std::string& code,
                                                const std::string& fileName);
// A local engineering system of that name in feet or meters: where a job
// has no coordinate system, readers still learn the unit.
std::unique_ptr<OGRSpatialReference> localSystem(const std::string& name, LengthUnit unit);
// WGS 84 with longitude as x and latitude as y.
std::unique_ptr<OGRSpatialReference> wgs84System();

}  // namespace zendro::exports
