#include "exports/export_format.h"

#include <array>

#include "common/text_forms.h"

namespace zendro::exports {
namespace {

struct FormatNames {
    ExportFormat format;
    std::string_view name;
    std::string_view extension;
};

constexpr std::array<FormatNames, 6> kFormats{{
    {ExportFormat::Csv, "csv", "csv"},
    {ExportFormat::LandXml, "landxml", "xml"},
    {ExportFormat::Dxf, "dxf", "dxf"},
    {ExportFormat::GeoPackage, "gpkg", "gpkg"},
    {ExportFormat::Kml, "kml", "kml"},
    {ExportFormat::GeoJson, "geojson", "geojson"},
}};

const FormatNames& namesOf(ExportFormat format) {
    return kFormats[static_cast<std::size_t>(format)];
}

}  // namespace

std::optional<ExportFormat> formatNamed(std::string_view name) {
    for (const FormatNames& names : kFormats) {
        if (equalIgnoringCase(name, names.name)) return names.format;
    }
    return std::nullopt;
}

std::string_view formatName(ExportFormat format) { return namesOf(format).name; }

std::string_view formatExtension(ExportFormat format) { return namesOf(format).extension; }

}  // namespace zendro::exports
