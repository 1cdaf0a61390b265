// The input as a CTX file: the point-name pass, then its point-feature file
// loaded back into the point table.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/run_observer.h"
#include "features/point_name_pass.h"
#include "features/point_table.h"
#include "fuzz/fuzz_check.h"

namespace {

// Text the point-feature file carries through unchanged: printable, without
// the quote that the field read treats specially.
bool plainText(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte < 0x7F && c != '"';
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zendro::fuzz::require;
    zendro::NullObserver observer;
    const std::vector<zendro::NamedFeature> features =
        zendro::readPointNames(zendro::fuzz::asBytes(data, size), observer);

    bool allPlain = true;
    for (std::size_t i = 0; i < features.size(); ++i) {
        const zendro::NamedFeature& feature = features[i];
        require(feature.description.find('\0') == std::string::npos, "zero bytes are padding");
        require(feature.pointNumber >= 0, "point numbers are not negative");
        if (feature.pointNumber >= 100000) {
            require(i > 0 && features[i - 1].pointNumber + 100000 == feature.pointNumber,
                    "a second feature follows its point");
        }
        allPlain = allPlain && plainText(feature.description);
    }

    const std::string pf = zendro::pointFeatureFileText(features, ",");
    const zendro::PointTable table = zendro::loadPointTable(pf, "*");
    if (allPlain) {
        require(table.pointCount() == features.size() + 1, "one table entry per feature");
        for (std::size_t i = 0; i < features.size(); ++i) {
            require(table.at(i + 1).name.matches(features[i].pointNumber),
                    "names read back as the point numbers");
        }
    }
    return 0;
}
