#pragma once

#include <optional>
#include <string_view>

namespace zendro::exports {

// The open formats a job's points and chains are written in.
enum class ExportFormat { Csv, LandXml, Dxf, GeoPackage, Kml, GeoJson };

// "csv", "landxml", "dxf", "gpkg", "kml", "geojson" in any case; nullopt for
// any other name.
std::optional<ExportFormat> formatNamed(std::string_view name);

// The name formatNamed() reads: "csv", "landxml", ...
std::string_view formatName(ExportFormat format);

// The usual file name extension, without the dot: "csv", "xml", "dxf",
// "gpkg", "kml", "geojson".
std::string_view formatExtension(ExportFormat format);

}  // namespace zendro::exports
