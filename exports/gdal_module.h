#pragma once

// The writers that go through GDAL/OGR (DXF, GeoPackage, KML, GeoJSON) live in
// a module of their own, loaded only when one of those formats is asked for:
// GDAL and the hundred libraries it brings take longer to load than a small
// job takes to convert, and most runs export nothing through it.

#include <string>

#include "exports/export_format.h"
#include "exports/format_writers.h"

namespace zendro::exports {

// The module's one entry point, by this name: sets `bytes` to the whole file
// and leaves `error` empty, or sets `error` to a message naming the file and
// the cause. (An exception does not cross the module's edge: its type is the
// module's own copy.)
inline constexpr char kGdalExportEntry[] = "zendroGdalExportBytes";
using GdalExportEntry = void (*)(ExportFormat format, const ExportInput& input,
                                 std::string& bytes, std::string& error);

// DXF, GeoPackage, KML or GeoJSON: loads the module installed beside the running program (once per process:
// later loads find it loaded) and writes the export through it. Throws
// ZendroError naming the module when it cannot be loaded, or the export's
// file and the cause when the export fails.
std::string gdalExportBytes(ExportFormat format, const ExportInput& input);

}  // namespace zendro::exports
