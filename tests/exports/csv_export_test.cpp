// The CSV export read back in every layout of the case table, one whole file
// compared byte for byte, and the layouts and format names refused.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "common/errors.h"
#include "exports/export_bytes.h"
#include "tests/exports/export_test_job.h"

namespace zendro::exports {
namespace {

// The points of the hand-made job (export_test_job.h) by column letter.
const std::vector<std::map<char, std::string>> kPoints = {
    {{'P', "1"}, {'N', "0.000"}, {'E', "0.000"}, {'Z', "0.000"}, {'D', "CP \"A\";B"}},
    {{'P', "3"}, {'N', "0.000"}, {'E', "100.000"}, {'Z', "0.000"}, {'D', "CL"}},
    {{'P', "4"}, {'N', "-100.000"}, {'E', "0.000"}, {'Z', "1.000"}, {'D', "EP"}},
    {{'P', "5"}, {'N', "0.000"}, {'E', "-100.000"}, {'Z', "-1.000"}, {'D', "-EP"}},
    {{'P', "6"}, {'N', "100.000"}, {'E', "100.000"}, {'Z', "0.000"}, {'D', "+CL-"}},
    // Placed by its measured backsight alone, after the shots.
    {{'P', "2"}, {'N', "100.000"}, {'E', "0.000"}, {'Z', "0.000"}, {'D', "IRON;PIN"}},
};

// Splits one line by the usual CSV rules: a quoted field may hold the
// delimiter, and "" in it is one quote.
std::vector<std::string> csvFields(const std::string& line, char delimiter) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == delimiter) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// Every line ended by CR LF, none by a bare LF.
std::vector<std::string> crlfLinesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "the last line has no CR LF";
        if (end == std::string::npos) break;
        lines.push_back(bytes.substr(start, end - start));
        EXPECT_EQ(lines.back().find('\n'), std::string::npos) << lines.back();
        start = end + 2;
    }
    return lines;
}

char delimiterNamed(const std::string& name) {
    if (name == "comma") return ',';
    if (name == "semicolon") return ';';
    if (name == "space") return ' ';
    if (name == "tab") return '\t';
    ADD_FAILURE() << "unknown delimiter " << name;
    return ',';
}

TEST(CsvExport, EveryLayoutOfTheCaseTableReadsBack) {
    const testing::ExportFixtureJob fixture;
    std::ifstream table(ZENDRO_CSV_LAYOUTS);
    ASSERT_TRUE(table) << ZENDRO_CSV_LAYOUTS;
    const std::map<char, std::string> titles = {{'P', "Point"},
                                                {'N', "Northing (US ft)"},
                                                {'E', "Easting (US ft)"},
                                                {'Z', "Elevation (US ft)"},
                                                {'D', "Description"}};
    std::string line;
    int cases = 0;
    while (std::getline(table, line)) {
        if (line.empty() || line.front() == '#') continue;
        std::istringstream fields(line);
        std::string columns, delimiterName, header;
        fields >> columns >> delimiterName >> header;
        SCOPED_TRACE(line);
        ++cases;
        const CsvLayout layout =
            csvLayout(columns, delimiterNamed(delimiterName), header == "header");
        const std::vector<std::string> lines =
            crlfLinesOf(exportBytes(ExportFormat::Csv, fixture.job(), layout));
        std::size_t row = 0;
        if (layout.header) {
            ASSERT_GE(lines.size(), 1u);
            std::vector<std::string> expected;
            for (const char column : columns) expected.push_back(titles.at(column));
            EXPECT_EQ(csvFields(lines[0], layout.delimiter), expected);
            row = 1;
        }
        ASSERT_EQ(lines.size() - row, kPoints.size());
        for (const auto& point : kPoints) {
            std::vector<std::string> expected;
            for (const char column : columns) expected.push_back(point.at(column));
            EXPECT_EQ(csvFields(lines[row++], layout.delimiter), expected);
        }
    }
    EXPECT_EQ(cases, 7);
}

TEST(CsvExport, WritesTheWholeFileAsExpected) {
    // Only the description with the quote needs quoting; 6 is 100.00002 away
    // on both axes and is written to thousandths. The comment line names the
    // frame and the unit when asked for; the text is UTF-8 unless Latin-1 is.
    const testing::ExportFixtureJob fixture;
    EXPECT_EQ(exportBytes(ExportFormat::Csv, fixture.job()),
              "Point,Northing (US ft),Easting (US ft),Elevation (US ft),Description\r\n"
              "1,0.000,0.000,0.000,\"CP \"\"A\"\";B\"\r\n"
              "3,0.000,100.000,0.000,CL\r\n"
              "4,-100.000,0.000,1.000,EP\r\n"
              "5,0.000,-100.000,-1.000,-EP\r\n"
              "6,100.000,100.000,0.000,+CL-\r\n"
              "2,100.000,0.000,0.000,IRON;PIN\r\n");
    const testing::ExportFixtureJob metric(true);
    const std::string bytes =
        exportBytes(ExportFormat::Csv, metric.job(), csvLayout("PNEZ", ';', true, true));
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n3;")),
              "# T-1: local frame, meters\r\nPoint;Northing (m);Easting (m);Elevation (m)\r\n"
              "1;0.000;0.000;0.000");
}

TEST(CsvExport, RefusesLayoutsItCannotWrite) {
    const std::pair<const char*, const char*> refused[] = {
        {"", "CSV columns \"\": give at least one of P N E Z D H"},
        {"PNEZX", "CSV columns \"PNEZX\": 'X' is not a column: use P N E Z D H (upper case)"},
        {"pnezd", "CSV columns \"pnezd\": 'p' is not a column: use P N E Z D H (upper case)"},
        {"PNEZP", "CSV columns \"PNEZP\": 'P' is given twice"},
    };
    for (const auto& [columns, message] : refused) {
        try {
            csvLayout(columns, ',', true);
            ADD_FAILURE() << columns << " was accepted";
        } catch (const ZendroError& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
    }
    EXPECT_THROW(csvLayout("PNEZD", '"', true), ZendroError);
    EXPECT_THROW(csvLayout("PNEZD", '\n', true), ZendroError);
}

TEST(Exports, RefuseAJobNotReviewedOrInAnotherUnitThanItsSystem) {
    try {
        exportBytes(ExportFormat::Csv, ExportJob{"T-1"});
        ADD_FAILURE() << "an empty job was exported";
    } catch (const ZendroError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "T-1.csv: nothing to export: the job was not reviewed and positioned");
    }
    // A job in feet on a grid in meters.
    const testing::ExportFixtureJob feet;
    const auto meters = coordinates::CoordinateSystem::fromCode("EPSG:26943");
    EXPECT_THROW(exportBytes(ExportFormat::GeoPackage, feet.job(&meters)), ZendroError);
}

TEST(ExportFormatNames, ReadInAnyCaseAndNothingElse) {
    for (const ExportFormat format :
         {ExportFormat::Csv, ExportFormat::LandXml, ExportFormat::Dxf, ExportFormat::GeoPackage,
          ExportFormat::Kml, ExportFormat::GeoJson}) {
        std::string upper(formatName(format));
        for (char& c : upper) c = static_cast<char>(c - 'a' + 'A');
        EXPECT_EQ(formatNamed(upper), format) << upper;
        EXPECT_EQ(formatNamed(formatName(format)), format);
    }
    EXPECT_EQ(formatNamed("LandXml"), ExportFormat::LandXml);
    for (const char* name : {"", "xml", "gpkg ", "json", "shp"}) {
        EXPECT_EQ(formatNamed(name), std::nullopt) << name;
    }
}

}  // namespace
}  // namespace zendro::exports
