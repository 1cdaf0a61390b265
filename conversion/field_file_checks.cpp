#include "conversion/field_file_checks.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/byte_reader.h"
#include "common/field_format.h"
#include "common/text_forms.h"

namespace zendro {
namespace {

using namespace field_format;

constexpr std::uint8_t kMostBlocks = 9;  // a description or a note of 265 characters
constexpr double kFeetLikeHeight = 3.0;  // between a tripod in metres and one in feet

bool isKnownKind(std::uint8_t kind) {
    return (kind >= static_cast<std::uint8_t>(RecordKind::Setup) &&
            kind <= static_cast<std::uint8_t>(RecordKind::VerticalSystem)) ||
           kind == static_cast<std::uint8_t>(RecordKind::Deleted);
}

bool isMeasured(std::uint8_t kind) {
    return kind >= static_cast<std::uint8_t>(RecordKind::Setup) &&
           kind <= static_cast<std::uint8_t>(RecordKind::Sideshot);
}

// A packed DDD.MMSSs x 100000 whose minutes and seconds are below 60, and its
// degrees below `degreesLimit`.
bool isReadableAngle(std::uint32_t packed, std::uint32_t degreesLimit) {
    const std::uint32_t rest = packed % 100000;
    return packed / 100000 < degreesLimit && rest / 1000 < 60 && rest % 1000 < 600;
}

bool isDoubtfulObservation(std::string_view record) {
    const std::uint8_t kind = readByte(record, kKindOffset);
    if (!isKnownKind(kind)) return true;
    if (!isMeasured(kind)) return false;
    return !isReadableAngle(readLittleEndian<4>(record, kHorizontalOffset), 360) ||
           !isReadableAngle(readLittleEndian<4>(record, kZenithOffset), 360);
}

std::string shareText(std::size_t doubtful, std::size_t all, const char* what) {
    return std::to_string(doubtful) + " of its " + std::to_string(all) + " " + what;
}

bool tooMany(std::size_t doubtful, std::size_t all) {
    return all > 0 && static_cast<double>(doubtful) > kForeignShare * static_cast<double>(all);
}

// The block-counted records of a CTX or RTX file from `start`: their count
// bytes and, for a CTX, their point numbers' high bytes.
template <typename Doubtful>
std::pair<std::size_t, std::size_t> countRecords(std::string_view bytes, std::size_t start,
                                                 Doubtful doubtful) {
    std::size_t all = 0, doubts = 0;
    for (std::size_t at = start; at < bytes.size();) {
        const std::uint8_t blocks = readByte(bytes, at + kCountOffset);
        ++all;
        if (doubtful(at, blocks)) ++doubts;
        at += kBlockSize * std::max<std::size_t>(blocks, 1);
    }
    return {all, doubts};
}

}  // namespace

std::optional<std::string> notAnObservationFile(std::string_view hvd) {
    const std::size_t records = hvd.size() / kObservationRecordSize;
    std::size_t doubtful = 0;
    for (std::size_t i = 0; i < records; ++i)
        if (isDoubtfulObservation(hvd.substr(i * kObservationRecordSize, kObservationRecordSize)))
            ++doubtful;
    if (!tooMany(doubtful, records)) return std::nullopt;
    return "does not look like an observation file: " + shareText(doubtful, records, "records") +
           " are of kinds the collector does not write or hold angles no instrument reads";
}

std::optional<std::string> notADescriptionFile(std::string_view ctx) {
    const auto [all, doubtful] =
        countRecords(ctx, kDescriptionPrologueSize, [ctx](std::size_t at, std::uint8_t blocks) {
            const std::size_t high = at + kDescriptionPointOffset + 1;
            return blocks > kMostBlocks || (high < ctx.size() && readByte(ctx, high) >= 128);
        });
    if (!tooMany(doubtful, all)) return std::nullopt;
    return "does not look like a description file: " + shareText(doubtful, all, "records") +
           " are longer than a description or number a point above 32767";
}

std::optional<std::string> notANotesFile(std::string_view rtx) {
    const auto [all, doubtful] = countRecords(
        rtx, kNotesPrologueSize, [](std::size_t, std::uint8_t blocks) { return blocks > kMostBlocks; });
    if (!tooMany(doubtful, all)) return std::nullopt;
    return "does not look like a notes file: " + shareText(doubtful, all, "notes") +
           " are longer than a note";
}

std::optional<std::string> unitContradiction(std::string_view hvd, bool metricChosen) {
    if (!metricChosen) return std::nullopt;
    std::vector<double> heights;
    for (std::size_t at = 0; at + kObservationRecordSize <= hvd.size(); at += kObservationRecordSize) {
        if (readByte(hvd, at + kKindOffset) == static_cast<std::uint8_t>(RecordKind::Setup))
            heights.push_back(readLittleEndian<2>(hvd, at + kHeightOffset) / 100.0);
    }
    if (heights.empty()) return std::nullopt;
    const auto middle = heights.begin() + static_cast<std::ptrdiff_t>(heights.size() / 2);
    std::nth_element(heights.begin(), middle, heights.end());
    if (*middle <= kFeetLikeHeight) return std::nullopt;
    return "the instrument heights (" + std::string(fixedPlaces(*middle, 2, 1).view()) +
           " in the middle) look like feet but the job is converted in metres (Metric): the "
           "OBS file will say METERS; check the unit chosen";
}

}  // namespace zendro
