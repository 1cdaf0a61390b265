#include "exports/memory_dataset.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <cpl_vsi.h>

#include <cstdio>

#include "common/errors.h"

namespace zendro::exports {
namespace {

void registerDriversOnce() {
    static const bool registered = [] {
        GDALAllRegister();
        return true;
    }();
    (void)registered;
}

CPLStringList optionList(const std::vector<std::string>& options) {
    CPLStringList list;
    for (const std::string& option : options) list.AddString(option.c_str());
    return list;
}

std::string lastGdalError() {
    const char* message = CPLGetLastErrorMsg();
    return message != nullptr && *message != '\0' ? message : "no cause given";
}

}  // namespace

QuietGdalErrors::QuietGdalErrors() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
}

QuietGdalErrors::~QuietGdalErrors() { CPLPopErrorHandler(); }

MemoryDataset::MemoryDataset(const char* driverName, const std::string& fileName,
                             const std::vector<std::string>& options)
    : fileName_(fileName) {
    registerDriversOnce();
    // The object's own address keeps the path apart from any other export
    // running at the same time.
    char unique[32];
    std::snprintf(unique, sizeof unique, "%p", static_cast<const void*>(this));
    path_ = "/vsimem/zendro-export-" + std::string(unique) + "-" + fileName;
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
    if (driver == nullptr) {
        throw ZendroError(fileName_, std::string("GDAL has no ") + driverName + " driver");
    }
    CPLStringList list = optionList(options);
    dataset_.reset(driver->Create(path_.c_str(), 0, 0, 0, GDT_Unknown, list.List()));
    if (!dataset_) fail("creating the file");
}

MemoryDataset::~MemoryDataset() {
    dataset_.reset();
    VSIUnlink(path_.c_str());
}

OGRLayer& MemoryDataset::createLayer(const char* name, OGRSpatialReference* system,
                                     OGRwkbGeometryType type,
                                     const std::vector<std::string>& options) {
    CPLStringList list = optionList(options);
    OGRLayer* layer = dataset_->CreateLayer(name, system, type, list.List());
    if (layer == nullptr) fail(std::string("creating the layer ") + name);
    return *layer;
}

void MemoryDataset::addField(OGRLayer& layer, const char* name, OGRFieldType type) {
    OGRFieldDefn field(name, type);
    if (layer.CreateField(&field) != OGRERR_NONE) fail(std::string("adding the field ") + name);
}

OGRFeatureUniquePtr MemoryDataset::newFeature(OGRLayer& layer) const {
    return OGRFeatureUniquePtr(OGRFeature::CreateFeature(layer.GetLayerDefn()));
}

void MemoryDataset::write(OGRLayer& layer, OGRFeature& feature) {
    if (layer.CreateFeature(&feature) != OGRERR_NONE) {
        fail(std::string("writing to the layer ") + layer.GetName());
    }
}

void MemoryDataset::startTransaction() {
    if (dataset_->StartTransaction() != OGRERR_NONE) fail("starting a transaction");
    inTransaction_ = true;
}

std::string MemoryDataset::bytes() {
    if (inTransaction_ && dataset_->CommitTransaction() != OGRERR_NONE) fail("committing");
    inTransaction_ = false;
    // Closing writes what the driver still holds; it reports a failure only
    // through the error state.
    CPLErrorReset();
    dataset_.reset();
    if (CPLGetLastErrorType() == CE_Failure) fail("closing the file");
    vsi_l_offset length = 0;
    const GByte* buffer = VSIGetMemFileBuffer(path_.c_str(), &length, FALSE);
    if (buffer == nullptr) fail("reading the written file");
    return std::string(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
}

void MemoryDataset::fail(const std::string& doing) const {
    throw ZendroError(fileName_, "GDAL failed " + doing + ": " + lastGdalError());
}

std::unique_ptr<OGRSpatialReference> gridSystem(const std::string& code,
                                                const std::string& fileName) {
    auto system = std::make_unique<OGRSpatialReference>();
    const QuietGdalErrors quiet;
    if (system->SetFromUserInput(code.c_str()) != OGRERR_NONE) {
        throw ZendroError(fileName, "GDAL does not know the coordinate system " + code);
    }
    system->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return system;
}

std::unique_ptr<OGRSpatialReference> localSystem(const std::string& name, LengthUnit unit) {
    auto system = std::make_unique<OGRSpatialReference>();
    system->SetLocalCS(name.c_str());
    system->SetLinearUnits(std::string(namesOf(unit).ogrName).c_str(), metresPer(unit));
    return system;
}

std::unique_ptr<OGRSpatialReference> wgs84System() {
    auto system = std::make_unique<OGRSpatialReference>();
    system->SetWellKnownGeogCS("WGS84");
    system->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return system;
}

}  // namespace zendro::exports
