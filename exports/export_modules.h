#pragma once

// The writers that need a large library live in modules of their own, loaded
// only when one of their formats is asked for: the GDAL writers (DXF,
// GeoPackage, KML, GeoJSON; GDAL brings about a hundred libraries) and the
// LandXML writer (libxml2 brings ICU). They take longer to load than a small
// job takes to convert, and most runs export nothing through them.

#include <string>

#include "exports/export_format.h"
#include "exports/format_writers.h"

namespace zendro::exports {

// Each module's one entry point, by this name: sets `bytes` to the whole file
// and leaves `error` empty, or sets `error` to a message naming the file and
// the cause. (An exception does not cross the module's edge: its type is the
// module's own copy.)
inline constexpr char kExportEntry[] = "zendroExportBytes";
using ExportEntry = void (*)(ExportFormat format, const ExportInput& input, std::string& bytes,
                             std::string& error);

// LandXML, DXF, GeoPackage, KML or GeoJSON: loads the format's module
// installed beside the running program (once per process: later loads find
// it loaded) and writes the export through it. Throws ZendroError naming the
// module when it cannot be loaded, or the export's file and the cause when
// the export fails.
std::string moduleExportBytes(ExportFormat format, const ExportInput& input);

}  // namespace zendro::exports
