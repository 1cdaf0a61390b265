// What the read-back of every export (readback.py) does not show: a grid
// point placed on WGS 84 where PROJ puts it, the DXF layer names, and KML and
// GeoJSON refused without a system.

#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <memory>

#include "common/errors.h"
#include "exports/dxf_layer_name.h"
#include "exports/export_bytes.h"
#include "tests/exports/export_test_job.h"
#include "tests/support/temp_dir.h"

namespace zendro::exports {
namespace {

GDALDatasetUniquePtr openVector(const std::string& path) {
    GDALAllRegister();
    return GDALDatasetUniquePtr(
        GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
}

TEST(DxfExport, LayerNamesKeepOnlyWhatDxfAllows) {
    EXPECT_EQ(dxfLayerName("EDGE/OF PAVE", "POINTS"), "EDGE_OF_PAVE");
    EXPECT_EQ(dxfLayerName("A<B>C:D;E?F*G|H=I\"J,K\\L`M", "POINTS"), "A_B_C_D_E_F_G_H_I_J_K_L_M");
    EXPECT_EQ(dxfLayerName("CL-2$x_y", "POINTS"), "CL-2$x_y");
    EXPECT_EQ(dxfLayerName("\xC9P", "POINTS"), "_P");
    EXPECT_EQ(dxfLayerName("", "POINTS"), "POINTS");
}

TEST(KmlExport, PlacesAGridPointWhereProjPutsIt) {
    // A metric job tied to NAD83 / California zone 3 (EPSG:26943): 1 moved to
    // N 600000, E 2000000, i.e. on the zone's central meridian 120 30 W,
    // 100 km north of the false northing's parallel. cs2cs gives
    //   echo 2000000 600000 | cs2cs -f %.10f EPSG:26943 EPSG:4326
    //   37.4010572723  -120.5000000000
    // and 3, 100 m east of it (echo 2000100 600000 | ...):
    //   37.4010572669  -120.4988705333
    testing::ExportFixtureJob fixture(true);
    for (coordinates::PointPosition& point : fixture.positions.points) {
        point.north += 600000.0;
        point.east += 2000000.0;
    }
    fixture.positions.reindex();
    const coordinates::CoordinateSystem system =
        coordinates::CoordinateSystem::fromCode("EPSG:26943");
    const testing::TempDir folder;
    const std::string path = folder.file("T-1.kml");
    testing::writeFile(path, exportBytes(ExportFormat::Kml, fixture.job(&system)));
    const GDALDatasetUniquePtr dataset = openVector(path);
    ASSERT_TRUE(dataset);
    OGRLayer* points = dataset->GetLayerByName("points");
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points->GetFeatureCount(), 6);
    const std::pair<const char*, std::pair<double, double>> expected[] = {
        {"1", {37.4010572723, -120.5}}, {"3", {37.4010572669, -120.4988705333}}};
    for (const auto& [name, position] : expected) {
        points->SetAttributeFilter((std::string("Name = '") + name + "'").c_str());
        const OGRFeatureUniquePtr feature(points->GetNextFeature());
        ASSERT_TRUE(feature) << name;
        const auto* at = feature->GetGeometryRef()->toPoint();
        EXPECT_NEAR(at->getY(), position.first, 1e-9) << name;
        EXPECT_NEAR(at->getX(), position.second, 1e-9) << name;
    }
    OGRLayer* chains = dataset->GetLayerByName("chains");
    ASSERT_NE(chains, nullptr);
    EXPECT_EQ(chains->GetFeatureCount(), 2);
}

TEST(Wgs84Exports, AreRefusedWithoutACoordinateSystem) {
    const testing::ExportFixtureJob fixture;
    const std::pair<ExportFormat, const char*> refused[] = {
        {ExportFormat::Kml, "T-1.kml: KML is on WGS 84 and needs the job's coordinate system "
                            "(EPSG:NNNN); nothing was written"},
        {ExportFormat::GeoJson, "T-1.geojson: GeoJSON is on WGS 84 and needs the job's "
                                "coordinate system (EPSG:NNNN); nothing was written"},
    };
    for (const auto& [format, message] : refused) {
        try {
            exportBytes(format, fixture.job());
            ADD_FAILURE() << formatName(format) << " was written without a system";
        } catch (const ZendroError& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
    }
}

}  // namespace
}  // namespace zendro::exports
