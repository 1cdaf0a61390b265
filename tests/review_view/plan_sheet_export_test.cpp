// The plan sheet as the exported files carry it: north arrow, scale bar,
// legend and title block, read back from the SVG's text and through poppler
// from the PDF, on the sample job (samples/HWY12-3).
//
// The sample's point-feature file opens 12 chains: FL at 1001, 101016, 1023
// and 1027; SH at 1004, 1019 and 1030; EP at 1008, 1016 and 1034; CL at 1012
// and 1039. Its traverse runs north-south, so its sheet is upright.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>

#include "review_view/sketch_export.h"
#include "tests/review_view/sheet_test_support.h"

namespace zendro::testing {
namespace {

using review::SheetPaper;
using review::SketchExportOptions;

// The sheet's own texts: everything but the point names (S1, S1001, ...).
std::vector<std::string> sheetTexts(std::vector<std::string> texts) {
    const std::regex pointName("S[0-9]+");
    std::erase_if(texts, [&](const std::string& t) { return t.empty() || std::regex_match(t, pointName); });
    return texts;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        out.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

// The widths of the rectangles an SVG draws, by their left edge.
std::vector<std::pair<double, double>> svgRects(const std::string& svg) {
    const std::regex rect("<rect x=\"([-0-9.]+)\" y=\"[-0-9.]+\" width=\"([-0-9.]+)\"");
    std::vector<std::pair<double, double>> rects;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), rect); it != std::sregex_iterator();
         ++it) {
        rects.emplace_back(std::stod((*it)[1].str()), std::stod((*it)[2].str()));
    }
    return rects;
}

struct ScaleBarCase {
    LengthUnit unit;
    double denominator;
    const char* label;
    double halfWidth;  // SVG units, each of the bar's black and white halves
    const char* why;
};

// The upright SVG is 1200 x 1600 units at 96 to the inch; the bar aims at a
// fifth of the width, 240 units, rounded down to 1, 2 or 5 x 10^n.
const ScaleBarCase kScaleBars[] = {
    {LengthUnit::UsSurveyFoot, 1000, "200 ft", 115.2,
     "a foot, 304.8006 mm, at 1:1000 is 0.3048006 mm = 1.152 units; 240 / 1.152 = 208.3 ft -> "
     "200 ft = 230.4 units"},
    {LengthUnit::Metre, 500, "20 m", 75.5906,
     "a metre at 1:500 is 2 mm = 7.55906 units; 240 / 7.559 = 31.75 m -> 20 m = 151.181 units"},
    {LengthUnit::UsSurveyFoot, 3000, "500 ft", 96.0,
     "a foot at 1:3000 is 0.384 units; 240 / 0.384 = 625 ft -> 500 ft = 192 units"},
    {LengthUnit::UsSurveyFoot, 5000, "1000 ft", 115.2,
     "a foot at 1:5000 is 0.2304 units; 240 / 0.2304 = 1041.7 ft -> 1000 ft = 230.4 units"},
    {LengthUnit::InternationalFoot, 1000, "200 ft", 115.2,
     "an international foot, 304.8 mm, at 1:1000 is 1.152 units: the title names its foot"},
};

TEST(PlanSheetSvg, CarriesNorthArrowScaleBarLegendAndTitleBlock) {
    SampleSketch sample;
    for (const ScaleBarCase& c : kScaleBars) {
        SCOPED_TRACE(c.why);
        review::SketchModel model = sample.sketch;
        model.title.unit = c.unit;
        SketchExportOptions options;
        options.scaleDenominator = c.denominator;
        const std::string path = sample.folder.file("sheet.svg");
        review::exportSketch(model, path, options);
        const std::string svg = readFile(path);

        EXPECT_EQ(sheetTexts(svgTexts(svg)),
                  (std::vector<std::string>{"N", "0", c.label, "CL  2 chains", "EP  3 chains",
                                            "FL  4 chains", "SH  3 chains", "Stations", "Points",
                                            "HWY12-3", std::string("Unit: ") + std::string(unitName(c.unit)),
                                            "Frame: local"}));
        // The bar's two halves side by side, each half its length.
        const auto rects = svgRects(svg);
        const auto half = std::find_if(rects.begin(), rects.end(), [&](const auto& r) {
            return std::abs(r.second - c.halfWidth) < 1e-3;
        });
        ASSERT_NE(half, rects.end()) << "no bar half " << c.halfWidth << " units wide";
        ASSERT_NE(half + 1, rects.end());
        EXPECT_NEAR((half + 1)->first - half->first, c.halfWidth, 1e-3);
        EXPECT_NEAR((half + 1)->second, c.halfWidth, 1e-3);
    }
}

// The sample transposed east for north: a job wider than it is tall.
review::SketchModel lyingDown(review::SketchModel model) {
    for (review::SketchPoint& p : model.points) std::swap(p.x, p.y);
    review::SketchBounds& b = model.bounds;
    b = {b.minY, b.minX, b.maxY, b.maxX};
    return model;
}

struct PageCase {
    SheetPaper paper;
    bool wide;
    const char* size;  // pdfinfo's "W x H pts", points of 1/72 inch
};

// A4 210 x 297 mm = 595.3 x 841.9 pt; Letter 8.5 x 11 in = 612 x 792 pt;
// Tabloid 11 x 17 in = 792 x 1224 pt; A3 297 x 420 mm = 841.9 x 1190.6 pt.
// Upright for the upright sample, lying for the transposed one.
const PageCase kPages[] = {
    {SheetPaper::A4, false, "595 x 842 pts"},      {SheetPaper::A4, true, "842 x 595 pts"},
    {SheetPaper::Letter, false, "612 x 792 pts"},  {SheetPaper::Letter, true, "792 x 612 pts"},
    {SheetPaper::Tabloid, false, "792 x 1224 pts"}, {SheetPaper::Tabloid, true, "1224 x 792 pts"},
    {SheetPaper::A3, false, "842 x 1191 pts"},     {SheetPaper::A3, true, "1191 x 842 pts"},
};

TEST(PlanSheetPdf, PaperAndOrientationFollowTheChoiceAndTheJobsShape) {
    SampleSketch sample;
    const review::SketchModel wide = lyingDown(sample.sketch);
    for (const PageCase& c : kPages) {
        SketchExportOptions options;
        options.paper = c.paper;
        const std::string path = sample.folder.file("sheet.pdf");
        review::exportSketch(c.wide ? wide : sample.sketch, path, options);
        const std::string size = pdfPageSize(path);
        EXPECT_EQ(size.substr(0, size.find(" pts") + 4), c.size)
            << static_cast<int>(c.paper) << (c.wide ? " wide" : " upright");
        EXPECT_EQ(pdfPageCount(path), 1);
    }
}

// The upright A4 page is 210 mm = 1240 pixels wide at the PDF's 150 to the
// inch; a foot at 1:1000 is 0.3048006 mm = 1.8 pixels; a fifth of the width,
// 248 pixels, is 137.8 ft: the bar is 100 ft.
TEST(PlanSheetPdf, CarriesTheSheetsTextsAndTheScaleBarAtOneToOneThousand) {
    SampleSketch sample;
    SketchExportOptions options;
    options.scaleDenominator = 1000;
    const std::string path = sample.folder.file("sheet.pdf");
    review::exportSketch(sample.sketch, path, options);
    EXPECT_EQ(sheetTexts(lines(pdfText(path))),
              (std::vector<std::string>{"CL 2 chains", "EP 3 chains", "FL 4 chains", "SH 3 chains",
                                        "Stations", "Points", "N", "0", "100 ft", "HWY12-3",
                                        "Unit: US survey feet", "Frame: local", "\f"}));
}

}  // namespace
}  // namespace zendro::testing
