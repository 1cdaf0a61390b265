// The GDAL exports read back: the DXF through ezdxf's audit, the GeoPackage
// and the KML through OGR; KML and GeoJSON refused without a system.

#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>

#include "common/errors.h"
#include "exports/dxf_layer_name.h"
#include "exports/export_bytes.h"
#include "tests/exports/export_test_job.h"
#include "tests/exports/sample_job.h"
#include "tests/support/temp_dir.h"

namespace zendro::exports {
namespace {

// The output of a command, and whether it exited 0.
struct CommandOutput {
    std::string text;
    bool succeeded = false;
};

CommandOutput run(const std::string& command) {
    CommandOutput output;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.text.append(buffer, read);
    output.succeeded = ::pclose(pipe) == 0;
    return output;
}

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& start) {
    std::vector<std::string> found;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.starts_with(start)) found.push_back(line);
    }
    return found;
}

GDALDatasetUniquePtr openVector(const std::string& path) {
    GDALAllRegister();
    return GDALDatasetUniquePtr(
        GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
}

TEST(DxfExport, PassesTheAuditWithChainsAsThreeDimensionalPolylines) {
    const testing::ExportFixtureJob fixture;
    const testing::TempDir folder;
    const std::string path = folder.file("T-1.dxf");
    testing::writeFile(path, exportBytes(ExportFormat::Dxf, fixture.job()));
    const CommandOutput audit =
        run(std::string(ZENDRO_PYTHON3) + " " + ZENDRO_DXF_AUDIT + " " + path + " 2>&1");
    ASSERT_TRUE(audit.succeeded) << audit.text;
    EXPECT_EQ(linesStartingWith(audit.text, "audit"), std::vector<std::string>{"audit 0"})
        << audit.text;

    std::set<std::string> layers;
    for (const std::string& line : linesStartingWith(audit.text, "layer "))
        layers.insert(line.substr(6));
    for (const char* layer : {"EP", "CL", "STATIONS", "LABELS"}) {
        EXPECT_TRUE(layers.contains(layer)) << layer << " missing in\n" << audit.text;
    }
    // x is east, y north (export_test_job.h): EP runs 3, 4, 5; CL 6, 1, 3
    // and back to 6 (100.00002 east and north).
    EXPECT_EQ(linesStartingWith(audit.text, "polyline"),
              (std::vector<std::string>{
                  "polyline EP 3d 100.000,0.000,0.000 0.000,-100.000,1.000 -100.000,0.000,-1.000",
                  "polyline CL 3d 100.000,100.000,0.000 0.000,0.000,0.000 100.000,0.000,0.000 "
                  "100.000,100.000,0.000"}));
    EXPECT_EQ(linesStartingWith(audit.text, "point STATIONS"),
              (std::vector<std::string>{"point STATIONS 0.000,0.000,0.000",
                                        "point STATIONS 100.000,0.000,0.000"}));
    EXPECT_EQ(linesStartingWith(audit.text, "text"),
              (std::vector<std::string>{"text LABELS 1", "text LABELS 3", "text LABELS 4",
                                        "text LABELS 5", "text LABELS 6"}));
    // A point is on its chain's layer, else on its description's.
    EXPECT_EQ(linesStartingWith(audit.text, "point CL").size(), 2u);  // 1 and 6
    EXPECT_EQ(linesStartingWith(audit.text, "point EP").size(), 3u);  // 3, 4 and 5
}

TEST(DxfExport, SampleJobPassesTheAudit) {
    const testing::SampleJob sample;
    const std::string path = sample.folder.file("HWY12-3.dxf");
    testing::writeFile(path, exportBytes(ExportFormat::Dxf, sample.job()));
    const CommandOutput audit =
        run(std::string(ZENDRO_PYTHON3) + " " + ZENDRO_DXF_AUDIT + " " + path + " 2>&1");
    ASSERT_TRUE(audit.succeeded) << audit.text;
    EXPECT_EQ(linesStartingWith(audit.text, "audit"), std::vector<std::string>{"audit 0"})
        << audit.text;
    EXPECT_EQ(linesStartingWith(audit.text, "text LABELS").size(), sample.positions.points.size());
    EXPECT_TRUE(linesStartingWith(audit.text, "polyline").size() > 0);
    EXPECT_TRUE(linesStartingWith(audit.text, "polyline EP 3d").size() > 0) << audit.text;
    EXPECT_TRUE(linesStartingWith(audit.text, "other").empty()) << audit.text;
}

TEST(DxfExport, LayerNamesKeepOnlyWhatDxfAllows) {
    EXPECT_EQ(dxfLayerName("EDGE/OF PAVE", "POINTS"), "EDGE_OF_PAVE");
    EXPECT_EQ(dxfLayerName("A<B>C:D;E?F*G|H=I\"J,K\\L`M", "POINTS"), "A_B_C_D_E_F_G_H_I_J_K_L_M");
    EXPECT_EQ(dxfLayerName("CL-2$x_y", "POINTS"), "CL-2$x_y");
    EXPECT_EQ(dxfLayerName("\xC9P", "POINTS"), "_P");
    EXPECT_EQ(dxfLayerName("", "POINTS"), "POINTS");
}

TEST(GeoPackageExport, ReadsBackItsLayersFieldsAndSystem) {
    const testing::ExportFixtureJob fixture;
    const coordinates::CoordinateSystem system =
        coordinates::CoordinateSystem::fromCode("EPSG:2227");
    const testing::TempDir folder;
    const std::string path = folder.file("T-1.gpkg");
    testing::writeFile(path, exportBytes(ExportFormat::GeoPackage, fixture.job(&system)));
    const GDALDatasetUniquePtr dataset = openVector(path);
    ASSERT_TRUE(dataset);
    const std::pair<const char*, GIntBig> counts[] = {{"points", 5}, {"chains", 2}, {"stations", 2}};
    for (const auto& [name, count] : counts) {
        OGRLayer* layer = dataset->GetLayerByName(name);
        ASSERT_NE(layer, nullptr) << name;
        EXPECT_EQ(layer->GetFeatureCount(), count) << name;
        EXPECT_STREQ(layer->GetMetadataItem("DESCRIPTION"), "T-1: local frame, US survey feet");
        ASSERT_NE(layer->GetSpatialRef(), nullptr);
        EXPECT_STREQ(layer->GetSpatialRef()->GetAuthorityCode(nullptr), "2227");
    }
    OGRLayer* points = dataset->GetLayerByName("points");
    points->SetAttributeFilter("name = '4'");
    const OGRFeatureUniquePtr four(points->GetNextFeature());
    ASSERT_TRUE(four);
    EXPECT_STREQ(four->GetFieldAsString("description"), "EP");
    EXPECT_STREQ(four->GetFieldAsString("comment"), "curb face");
    EXPECT_STREQ(four->GetFieldAsString("feature"), "EP");
    const auto* at = four->GetGeometryRef()->toPoint();
    EXPECT_NEAR(at->getX(), 0.0, 1e-9);  // east
    EXPECT_NEAR(at->getY(), -100.0, 1e-9);
    EXPECT_NEAR(at->getZ(), 1.0, 1e-9);

    OGRLayer* chains = dataset->GetLayerByName("chains");
    chains->SetAttributeFilter("name = 'CL'");
    const OGRFeatureUniquePtr closed(chains->GetNextFeature());
    ASSERT_TRUE(closed);
    EXPECT_EQ(closed->GetFieldAsInteger("closed"), 1);
    EXPECT_EQ(closed->GetGeometryRef()->toLineString()->getNumPoints(), 4);
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
    EXPECT_EQ(points->GetFeatureCount(), 5);
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
        {ExportFormat::Kml, "T-1.kml: KML needs a coordinate system: give one with --crs EPSG:NNNN"},
        {ExportFormat::GeoJson,
         "T-1.geojson: GeoJSON needs a coordinate system: give one with --crs EPSG:NNNN"},
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

TEST(GeoJsonExport, HoldsThePointsAndChainsOnWgs84WithTheFrameAndUnit) {
    const testing::ExportFixtureJob fixture;
    const coordinates::CoordinateSystem system =
        coordinates::CoordinateSystem::fromCode("EPSG:2227");
    const std::string bytes = exportBytes(ExportFormat::GeoJson, fixture.job(&system));
    EXPECT_NE(bytes.find("\"description\": \"T-1: local frame, US survey feet\""),
              std::string::npos)
        << bytes;
    const testing::TempDir folder;
    const std::string path = folder.file("T-1.geojson");
    testing::writeFile(path, bytes);
    const GDALDatasetUniquePtr dataset = openVector(path);
    ASSERT_TRUE(dataset);
    OGRLayer* layer = dataset->GetLayer(0);
    EXPECT_EQ(layer->GetFeatureCount(), 7);  // 5 points and 2 chains
}

}  // namespace
}  // namespace zendro::exports
