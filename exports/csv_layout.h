#pragma once

#include <string>
#include <string_view>

namespace zendro::exports {

// The columns of a CSV export, one letter each in file order: P point
// number, N northing, E easting, Z elevation, D description.
struct CsvLayout {
    std::string columns = "PNEZD";
    char delimiter = ',';
    bool header = true;  // a comment line with the frame and unit, then the column names
};

// The layout of `columns` ("PENZD", "NEZ", ...): the letters P N E Z D only,
// each at most once, at least one. Throws ZendroError naming the columns and
// the cause; a delimiter that is a quote, CR or LF is refused too.
CsvLayout csvLayout(std::string_view columns, char delimiter, bool header);

}  // namespace zendro::exports
