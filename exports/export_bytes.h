#pragma once

#include <string>
#include <string_view>

#include "exports/csv_layout.h"
#include "exports/export_format.h"
#include "exports/export_job.h"

namespace zendro::exports {

// The whole file's bytes in `format`; `csv` is read by the CSV export only.
// Throws ZendroError naming the file ("HWY12-3.kml") and the cause, e.g. a
// KML or GeoJSON export without a coordinate system; never returns half a
// file.
// `fileName` is the file messages name; by default the job's name with the
// format's extension.
std::string exportBytes(ExportFormat format, const ExportJob& job, const CsvLayout& csv = {},
                        std::string_view fileName = {});

}  // namespace zendro::exports
