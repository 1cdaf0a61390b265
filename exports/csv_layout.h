#pragma once

#include <string>
#include <string_view>

namespace zendro::exports {

// The columns of a CSV export, one letter each in file order: P point
// number, N northing, E easting, Z elevation, D description, H where the
// elevation came from (a level run or the total station).
struct CsvLayout {
    std::string columns = "PNEZD";
    char delimiter = ',';
    bool header = true;    // the column names, lengths with their unit: "Northing (US ft)"
    bool comment = false;  // a "# job: frame, unit" line first, for readers that skip it
    bool latin1 = false;   // the field files' own bytes for older readers; UTF-8 otherwise
};

// The layout of `columns` ("PENZD", "NEZ", ...): the letters P N E Z D H only,
// each at most once, at least one. Throws ZendroError naming the columns and
// the cause; a delimiter that is a quote, CR or LF is refused too.
CsvLayout csvLayout(std::string_view columns, char delimiter, bool header, bool comment = false,
                    bool latin1 = false);

}  // namespace zendro::exports
