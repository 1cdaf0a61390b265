// Every LandXML written here validates against the LandXML 1.2 schema; its
// points match the CSV export, its plan features the chains and its survey
// the setups and readings of the hand-made job.

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xmlschemas.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>

#include "exports/export_bytes.h"
#include "tests/exports/export_test_job.h"
#include "tests/support/temp_dir.h"

namespace zendro::exports {
namespace {

struct FreeDoc {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using Document = std::unique_ptr<xmlDoc, FreeDoc>;

// The schema's errors, one a line; empty when the document is valid.
std::string schemaErrors(xmlDoc* doc) {
    std::string errors;
    xmlSchemaParserCtxt* parser = xmlSchemaNewParserCtxt(ZENDRO_LANDXML_SCHEMA);
    xmlSchema* schema = xmlSchemaParse(parser);
    xmlSchemaFreeParserCtxt(parser);
    if (schema == nullptr) return std::string("cannot read the schema ") + ZENDRO_LANDXML_SCHEMA;
    xmlSchemaValidCtxt* context = xmlSchemaNewValidCtxt(schema);
    xmlSchemaSetValidStructuredErrors(
        context,
        [](void* collected, xmlError* error) {
            static_cast<std::string*>(collected)->append(error->message);
        },
        &errors);
    const int result = xmlSchemaValidateDoc(context, doc);
    xmlSchemaFreeValidCtxt(context);
    xmlSchemaFree(schema);
    if (result != 0 && errors.empty()) errors = "invalid";
    return errors;
}

const xmlChar* xmlText(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

// The text of every node the path names (attribute values or element text),
// in document order; "x:" is LandXML's namespace.
std::vector<std::string> valuesAt(xmlDoc* doc, const char* path) {
    xmlXPathContext* context = xmlXPathNewContext(doc);
    xmlXPathRegisterNs(context, xmlText("x"), xmlText("http://www.landxml.org/schema/LandXML-1.2"));
    xmlXPathObject* found = xmlXPathEvalExpression(xmlText(path), context);
    std::vector<std::string> values;
    if (found != nullptr && found->nodesetval != nullptr) {
        for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
            xmlChar* text = xmlNodeGetContent(found->nodesetval->nodeTab[i]);
            values.emplace_back(reinterpret_cast<const char*>(text));
            xmlFree(text);
        }
    }
    xmlXPathFreeObject(found);
    xmlXPathFreeContext(context);
    return values;
}

Document validDocument(const std::string& bytes) {
    Document doc(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "export.xml",
                               nullptr, XML_PARSE_NONET));
    EXPECT_TRUE(doc) << "not well-formed XML";
    if (doc) {
        EXPECT_EQ(schemaErrors(doc.get()), "");
    }
    return doc;
}

std::vector<std::string> lines(const std::string& bytes) {
    std::vector<std::string> result;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        result.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

TEST(LandXmlExport, PointsMatchTheCsvAndChainsRunThroughTheirPoints) {
    const testing::ExportFixtureJob fixture;
    const Document doc = validDocument(exportBytes(ExportFormat::LandXml, fixture.job()));
    ASSERT_TRUE(doc);

    // "name N E Z" of each CgPoint is a line of the space-delimited CSV.
    const std::vector<std::string> names = valuesAt(doc.get(), "//x:CgPoint/@name");
    const std::vector<std::string> texts = valuesAt(doc.get(), "//x:CgPoint");
    ASSERT_EQ(names.size(), texts.size());
    std::vector<std::string> points;
    for (std::size_t i = 0; i < names.size(); ++i) points.push_back(names[i] + " " + texts[i]);
    EXPECT_EQ(points, lines(exportBytes(ExportFormat::Csv, fixture.job(),
                                        csvLayout("PNEZ", ' ', false))));
    // The field files' Latin-1 byte arrives as its UTF-8 character.
    EXPECT_EQ(valuesAt(doc.get(), "//x:CgPoint[@name='5']/@desc"),
              std::vector<std::string>{"45\xC2\xB0 bend"});

    // Each chain as the names of its points in chain order: the closed CL
    // chain comes back to 6.
    EXPECT_EQ(valuesAt(doc.get(), "//x:PlanFeature/@name"),
              (std::vector<std::string>{"EP-99", "CL-99"}));
    EXPECT_EQ(valuesAt(doc.get(), "//x:PlanFeature[@name='EP-99']/x:CoordGeom/x:Chain"),
              std::vector<std::string>{"3 4 5"});
    EXPECT_EQ(valuesAt(doc.get(), "//x:PlanFeature[@name='CL-99']/x:CoordGeom/x:Chain"),
              std::vector<std::string>{"6 1 3 6"});
}

// SOURCE_DATE_EPOCH set for one scope, as a reproducible build sets it.
class SourceDateEpoch {
  public:
    explicit SourceDateEpoch(const char* seconds) { ::setenv("SOURCE_DATE_EPOCH", seconds, 1); }
    SourceDateEpoch(const SourceDateEpoch&) = delete;
    SourceDateEpoch& operator=(const SourceDateEpoch&) = delete;
    ~SourceDateEpoch() { ::unsetenv("SOURCE_DATE_EPOCH"); }
};

TEST(LandXmlExport, WritesTheWholeFileAsExpected) {
    // The setups, readings and the check shot of export_test_job.h as
    // worked out there. 86400 seconds after the epoch is 1970-01-02 00:00:00
    // UTC.
    const SourceDateEpoch epoch("86400");
    const testing::ExportFixtureJob fixture;
    const std::string written = exportBytes(ExportFormat::LandXml, fixture.job());
    if (std::getenv("ZENDRO_UPDATE_CASES") != nullptr) {
        testing::writeFile(ZENDRO_LANDXML_EXPECTED, written);
    }
    const std::string expected = testing::readFile(ZENDRO_LANDXML_EXPECTED);
    EXPECT_EQ(written, expected);
    EXPECT_TRUE(validDocument(written));
    EXPECT_NE(expected.find("date=\"1970-01-02\" time=\"00:00:00\""), std::string::npos);
}

TEST(LandXmlExport, MetricJobOnASystemNamesBoth) {
    const testing::ExportFixtureJob fixture(true);
    const coordinates::CoordinateSystem system =
        coordinates::CoordinateSystem::fromCode("EPSG:26943");
    const Document doc = validDocument(exportBytes(ExportFormat::LandXml, fixture.job(&system)));
    ASSERT_TRUE(doc);
    EXPECT_EQ(valuesAt(doc.get(), "/x:LandXML/x:Units/x:Metric/@linearUnit"),
              std::vector<std::string>{"meter"});
    EXPECT_EQ(valuesAt(doc.get(), "/x:LandXML/x:CoordinateSystem/@epsgCode"),
              std::vector<std::string>{"26943"});
    EXPECT_EQ(valuesAt(doc.get(), "/x:LandXML/x:CoordinateSystem/@name"),
              std::vector<std::string>{system.name()});
}

TEST(LandXmlExport, JobWithoutPointsStillValidates) {
    // No chain: no PlanFeatures, which would need at least one PlanFeature.
    const ConversionOptions options;
    const review::JobReview review;
    const coordinates::JobPositions positions;
    const ExportJob job{"EMPTY", &options, &review, &positions, nullptr};
    const Document doc = validDocument(exportBytes(ExportFormat::LandXml, job));
    ASSERT_TRUE(doc);
    EXPECT_TRUE(valuesAt(doc.get(), "//x:PlanFeatures").empty());
    EXPECT_EQ(valuesAt(doc.get(), "//x:SurveyHeader/@name"), std::vector<std::string>{"EMPTY"});
}

}  // namespace
}  // namespace zendro::exports
