// The control file reader over the table of cases in control_file_cases.txt:
// every case's points, or its message, compared whole.

#include "coordinates/control_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/errors.h"

namespace zendro::coordinates {
namespace {

struct ControlCase {
    std::string name;
    std::string input;     // CR LF where the case's name says so
    std::string expected;  // one line per point, or the message
};

std::vector<ControlCase> readCases() {
    std::ifstream file(ZENDRO_CONTROL_CASES);
    std::vector<ControlCase> cases;
    bool inExpected = false;
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("=== ", 0) == 0) {
            cases.push_back({line.substr(4), "", ""});
            inExpected = false;
        } else if (cases.empty()) {
            continue;  // the table's own comment
        } else if (line == "->") {
            inExpected = true;
        } else if (inExpected) {
            cases.back().expected += line + "\n";
        } else {
            const bool crlf = cases.back().name.find("CR LF") != std::string::npos;
            cases.back().input += line + (crlf ? "\r\n" : "\n");
        }
    }
    return cases;
}

std::string optionalText(const std::optional<double>& value) {
    if (!value) return "-";
    std::ostringstream text;
    text << *value;
    return text.str();
}

std::string describe(const std::vector<ControlPoint>& points) {
    std::ostringstream text;
    for (const ControlPoint& point : points) {
        text << point.number << ' ' << point.name << ' ';
        if (point.horizontal)
            text << point.north << ' ' << point.east;
        else
            text << "- -";
        text << ' ' << point.elevation << ' ' << (point.hold == ControlHold::Fixed ? "fixed" : "free") << ' '
             << optionalText(point.sigmaHorizontal) << ' ' << optionalText(point.sigmaElevation)
             << ' ' << point.line << '\n';
    }
    return text.str();
}

TEST(ControlFile, EveryCaseReadsAsTabled) {
    const std::vector<ControlCase> cases = readCases();
    ASSERT_GE(cases.size(), 14u) << "the case table was not read: " << ZENDRO_CONTROL_CASES;
    for (const ControlCase& c : cases) {
        std::string actual;
        try {
            actual = describe(readControlFile("control.csv", c.input));
        } catch (const ZendroError& error) {
            actual = std::string(error.what()) + "\n";
        }
        EXPECT_EQ(actual, c.expected) << c.name;
    }
}

}  // namespace
}  // namespace zendro::coordinates
