#include "tests/review_view/sheet_test_support.h"

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <array>
#include <cstdio>
#include <regex>

#include "common/job_paths.h"
#include "common/run_observer.h"
#include "conversion/job_model_reading.h"
#include "tests/support/job_builder.h"

namespace zendro::testing {
namespace {

std::string commandOutput(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    std::array<char, 4096> buffer{};
    while (const std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        out.append(buffer.data(), n);
    EXPECT_EQ(pclose(pipe), 0) << command;
    return out;
}

std::string pdfInfoField(const std::string& path, const std::string& field) {
    const std::string info = commandOutput(std::string("'") + ZENDRO_PDFINFO + "' '" + path + "'");
    const std::regex line("(^|\n)" + field + ": *([^\n]*)");
    std::smatch match;
    return std::regex_search(info, match, line) ? match[2].str() : std::string();
}

}  // namespace

SampleSketch::SampleSketch() {
    for (const char* extension : {".HVD", ".CTX", ".RTX"}) {
        writeFile(folder.file(std::string("HWY12-3") + extension),
                  readFile(std::string(ZENDRO_SAMPLES_DIR) + "/HWY12-3" + extension));
    }
    convert("HWY12-3", review::defaultLimits(zendro::LengthUnit::UsSurveyFoot));
}

void ConvertedJob::convert(const std::string& jobName, const review::ReviewLimits& limits) {
    const JobPaths paths = deriveJobPaths(folder.file(jobName + ".HVD"));
    NullObserver observer;
    conversion = runConversion(paths, options, observer);
    review = review::reviewModel(readJobModel(paths, options), options, limits);
    sketch = review::buildSketch(review, options, jobName);
}

SquareJob::SquareJob() {
    const auto setup = [](std::uint16_t p) { return hvdRecord(1, p, 150); };
    const auto backsight = [](std::uint16_t p) { return hvdRecord(3, p, 150, 0, 9000000, 1000000); };
    const auto traverse = [](std::uint16_t p, std::uint32_t angle) {
        return hvdRecord(4, p, 150, angle, 9000000, 1000000);
    };
    writeFile(folder.file("SQ.HVD"), setup(1) + backsight(4) + traverse(2, 9000000) + setup(2) +
                                         backsight(1) + traverse(3, 9001000) + setup(3) +
                                         backsight(2) + traverse(4, 9000000) + setup(4) +
                                         backsight(3) + traverse(1, 9000000));
    writeFile(folder.file("SQ.CTX"), ctxPrologue() + ctxRecord(1, 1, "CP") + ctxRecord(1, 2, "CP") +
                                         ctxRecord(1, 3, "CP") + ctxRecord(1, 4, "CP"));
    writeFile(folder.file("SQ.RTX"), "");
    review::ReviewLimits limits = review::defaultLimits(zendro::LengthUnit::UsSurveyFoot);
    limits.closureRatio = 20000;
    convert("SQ", limits);
}

std::string pdfText(const std::string& path, bool layout) {
    const std::string text = commandOutput(std::string("'") + ZENDRO_PDFTOTEXT + "' " +
                                           (layout ? "-layout " : "") + "'" + path + "' -");
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .normalized(QString::NormalizationForm_KC)
        .toStdString();
}

std::string pdfPageSize(const std::string& path) { return pdfInfoField(path, "Page size"); }

int pdfPageCount(const std::string& path) { return std::stoi(pdfInfoField(path, "Pages")); }

std::vector<std::string> svgTexts(const std::string& svg) {
    // Qt writes each text as <text ...attributes...\n >the text</text>.
    const std::regex text("<text[^>]*>([^<]*)</text>");
    std::vector<std::string> texts;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator();
         ++it) {
        texts.push_back((*it)[1].str());
    }
    return texts;
}

std::vector<std::string> plainLines(std::string_view text) {
    std::string plain(text);
    std::replace(plain.begin(), plain.end(), '\f', '\n');  // between pages
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < plain.size()) {
        const std::size_t end = std::min(plain.find('\n', at), plain.size());
        std::string line = std::regex_replace(plain.substr(at, end - at), std::regex(" +"), " ");
        if (line.starts_with(' ')) line.erase(0, 1);
        if (line.ends_with(' ')) line.pop_back();
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

}  // namespace zendro::testing
