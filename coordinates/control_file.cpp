#include "coordinates/control_file.h"

#include <charconv>
#include <cmath>
#include <string>
#include <unordered_map>

#include "common/errors.h"
#include "common/text_forms.h"

namespace zendro::coordinates {
namespace {

constexpr std::size_t kMaxColumns = 7;

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The fields of one line: split at commas when it has any, else at blanks.
std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    if (line.find(',') != std::string_view::npos) {
        std::size_t start = 0;
        while (true) {
            const std::size_t comma = line.find(',', start);
            fields.push_back(trimmed(line.substr(start, comma - start)));
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
        return fields;
    }
    std::size_t start = line.find_first_not_of(" \t\r");
    while (start != std::string_view::npos) {
        const std::size_t end = line.find_first_of(" \t\r", start);
        fields.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(" \t\r", end);
    }
    return fields;
}

class LineReader {
  public:
    LineReader(std::string_view path, std::size_t line) : path_(path), line_(line) {}

    [[noreturn]] void fail(const std::string& cause) const {
        throw ZendroError(path_, "line " + std::to_string(line_) + ": " + cause);
    }

    double number(std::string_view text, const char* column) const {
        const std::optional<double> value = finiteNumber(text);
        if (!value) fail(std::string(column) + " \"" + std::string(text) + "\" is not a number");
        return *value;
    }

    double sigma(std::string_view text, const char* column) const {
        const double value = number(text, column);
        if (value <= 0) fail(std::string(column) + " must be above 0");
        return value;
    }

  private:
    std::string_view path_;
    std::size_t line_;
};

// A level run's point id: printable, no blank, no comma, no quote.
bool isBenchmarkName(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte == 0x7f || c == ',' || c == '"') return false;
    }
    return true;
}

// `fixed`, or `free` with its deviations: `names` of them, at most.
void readHold(ControlPoint& point, const std::vector<std::string_view>& fields,
              const LineReader& reader, bool horizontal) {
    if (fields.size() == 4) return;
    if (equalIgnoringCase(fields[4], "fixed")) {
        if (fields.size() > 5) reader.fail("a fixed point takes no standard deviations");
        return;
    }
    if (!equalIgnoringCase(fields[4], "free"))
        reader.fail("\"" + std::string(fields[4]) + "\" is neither fixed nor free");
    point.hold = ControlHold::Weighted;
    if (!horizontal) {
        if (fields.size() < 6) reader.fail("a free benchmark needs its standard deviation sigma_Z");
        if (fields.size() > 6) reader.fail("a benchmark takes one standard deviation, sigma_Z");
        point.sigmaElevation = reader.sigma(fields[5], "sigma_Z");
        return;
    }
    if (fields.size() < 6) reader.fail("a free point needs its standard deviation sigma_NE");
    point.sigmaHorizontal = reader.sigma(fields[5], "sigma_NE");
    point.sigmaElevation =
        fields.size() > 6 ? reader.sigma(fields[6], "sigma_Z") : *point.sigmaHorizontal;
}

ControlPoint pointOf(const std::vector<std::string_view>& fields, const LineReader& reader) {
    if (fields.size() < 4) reader.fail("a control point needs name, N, E and Z; this line has " +
                                       std::to_string(fields.size()) + " column(s)");
    if (fields.size() > kMaxColumns) reader.fail("more than 7 columns");
    // Only a height: N and E both left empty.
    const bool vertical = fields[1].empty() && fields[2].empty();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].empty() && !(vertical && (i == 1 || i == 2))) reader.fail("an empty column");

    ControlPoint point;
    point.name = std::string(fields[0]);
    const std::optional<std::int64_t> number = pointNumberOf(fields[0]);
    if (vertical) {
        if (!isBenchmarkName(fields[0]))
            reader.fail("the name \"" + std::string(fields[0]) + "\" is not a point id");
        point.number = number.value_or(kNoPointNumber);
        point.horizontal = false;
    } else {
        if (!number)
            reader.fail("the name \"" + std::string(fields[0]) + "\" is not a point number");
        point.number = *number;
        point.north = reader.number(fields[1], "N");
        point.east = reader.number(fields[2], "E");
    }
    point.elevation = reader.number(fields[3], "Z");
    readHold(point, fields, reader, !vertical);
    return point;
}

}  // namespace

std::optional<std::int64_t> pointNumberOf(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < 0) return {};
    return value;
}

std::vector<ControlPoint> readControlFile(std::string_view path, std::string_view bytes) {
    std::vector<ControlPoint> points;
    // A point number, however written, or a benchmark's name.
    std::unordered_map<std::string, std::size_t> lineOfPoint;
    bool firstLine = true;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find('\n', start);
        std::string_view line = bytes.substr(start, end - start);
        start = end == std::string_view::npos ? bytes.size() : end + 1;
        ++lineNumber;

        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty()) continue;
        const std::vector<std::string_view> fields = fieldsOf(line);
        // A header names its columns: the first line whose N is not a number.
        const bool header =
            firstLine && fields.size() >= 2 && !fields[1].empty() && !finiteNumber(fields[1]);
        firstLine = false;
        if (header) continue;

        const LineReader reader(path, lineNumber);
        ControlPoint point = pointOf(fields, reader);
        point.line = lineNumber;
        const std::string key = point.number == kNoPointNumber ? point.name
                                                               : std::to_string(point.number);
        const auto [earlier, added] = lineOfPoint.emplace(key, lineNumber);
        if (!added)
            reader.fail("point " + key + " is given again (first on line " +
                        std::to_string(earlier->second) + ")");
        points.push_back(point);
    }
    if (points.empty()) throw ZendroError(path, "no control points in the file");
    return points;
}

}  // namespace zendro::coordinates
