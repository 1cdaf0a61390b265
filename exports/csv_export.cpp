// Points as CSV: the columns in the layout's order under a row of their names
// (lengths named with their unit), text quoted where the usual CSV rules need
// it, UTF-8 unless the field files' own Latin-1 is asked for, CR LF line ends.
// Lengths are written to thousandths in feet and in meters alike.

#include <string_view>

#include "exports/format_writers.h"
#include "exports/number_text.h"
#include "exports/utf8_text.h"

namespace zendro::exports {
namespace {

// Quoted when it holds the delimiter, a quote or a line end; quotes doubled.
void appendField(std::string& out, std::string_view text, char delimiter) {
    const bool quoted =
        text.find_first_of(std::string{delimiter, '"', '\r', '\n'}) != std::string_view::npos;
    if (!quoted) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::string columnTitle(char column, LengthUnit unit) {
    const std::string inUnit = " (" + std::string(namesOf(unit).qualified) + ")";
    switch (column) {
        case 'P':
            return "Point";
        case 'N':
            return "Northing" + inUnit;
        case 'E':
            return "Easting" + inUnit;
        case 'Z':
            return "Elevation" + inUnit;
        case 'H':
            return "Height source";
        default:
            return "Description";
    }
}

std::string columnText(char column, const ExportPoint& point, const CsvLayout& layout) {
    switch (column) {
        case 'P':
            return point.name;
        case 'N':
            return lengthText(point.north);
        case 'E':
            return lengthText(point.east);
        case 'Z':
            return lengthText(point.elevation);
        // A job without level runs has the total station's heights only.
        case 'H':
            return std::string(point.heightSource.empty() ? kSurveyHeight : point.heightSource);
        default:
            return layout.latin1 ? point.description : utf8Of(point.description);
    }
}

template <typename FieldOf>
void appendLine(std::string& out, const CsvLayout& layout, FieldOf fieldOf) {
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        if (i > 0) out += layout.delimiter;
        appendField(out, fieldOf(layout.columns[i]), layout.delimiter);
    }
    out += "\r\n";
}

}  // namespace

std::string csvBytes(const ExportInput& input, const CsvLayout& layout) {
    std::string out;
    out.reserve(64 * (input.contents.points.size() + 2));
    if (layout.comment) {
        const std::string summary = input.contents.summary(input.job.jobName);
        out += "# " + (layout.latin1 ? summary : utf8Of(summary)) + "\r\n";
    }
    if (layout.header) {
        appendLine(out, layout,
                   [&](char column) { return columnTitle(column, input.contents.unit); });
    }
    for (const ExportPoint& point : input.contents.points) {
        appendLine(out, layout, [&](char column) { return columnText(column, point, layout); });
    }
    return out;
}

}  // namespace zendro::exports
