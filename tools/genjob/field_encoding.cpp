#include "tools/genjob/field_encoding.h"

#include <algorithm>
#include <stdexcept>

#include "common/observation_record.h"

namespace zendro::genjob {

namespace {

constexpr std::size_t kFirstTextBytes = kBlockSize - kRecordHeaderSize;
constexpr std::size_t kMaxBlocks = 255;

void appendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>(value & 0xFFu));
        value >>= 8u;
    }
}

// The text of a record of `blocks` blocks (0 takes one), cut or zero-padded to fit.
void appendPadded(std::string& out, std::string_view text, std::size_t blocks) {
    const std::size_t size = std::max<std::size_t>(blocks, 1) * kBlockSize - kRecordHeaderSize;
    const std::size_t start = out.size();
    out.append(text.substr(0, std::min(text.size(), size)));
    out.resize(start + size, '\0');
}

std::string headerBlock(std::string_view text) {
    std::string block(text.substr(0, std::min(text.size(), kBlockSize)));
    block.resize(kBlockSize, '\0');
    return block;
}

}  // namespace

std::size_t blocksForText(std::size_t textSize) {
    if (textSize <= kFirstTextBytes) return 1;
    return 1 + (textSize - kFirstTextBytes + kBlockSize - 1) / kBlockSize;
}

std::uint32_t packAngle(std::int64_t tenthsOfSecond) {
    std::int64_t t = tenthsOfSecond % kTenthsPerCircle;
    if (t < 0) t += kTenthsPerCircle;
    const auto total = static_cast<std::uint32_t>(t);
    const std::uint32_t tenths = total % 10;
    const std::uint32_t seconds = (total / 10) % 60;
    const std::uint32_t minutes = (total / 600) % 60;
    const std::uint32_t degrees = total / 36000;
    return packAngleParts(degrees, minutes, seconds, tenths);
}

std::uint32_t packAngleParts(std::uint32_t degrees, std::uint32_t minutes, std::uint32_t seconds,
                             std::uint32_t tenths) {
    return degrees * 100000u + minutes * 1000u + seconds * 10u + tenths;
}

void appendObservation(std::string& out, const Observation& observation) {
    appendObservationRecord(out, {static_cast<std::uint8_t>(observation.kind), observation.point,
                                  observation.heightHundredths, observation.horizontal,
                                  observation.zenith, observation.distanceTenThousandths});
}

void appendDescription(std::string& out, std::uint16_t point, std::string_view text) {
    if (point > 0x7FFF) throw std::invalid_argument("description point number above 32767");
    const std::size_t blocks = blocksForText(text.size());
    if (blocks > kMaxBlocks) throw std::invalid_argument("description text too long");
    appendDescriptionBlocks(out, static_cast<std::uint8_t>(blocks), point, text);
}

void appendDescriptionBlocks(std::string& out, std::uint8_t blocks, std::uint16_t point,
                             std::string_view text) {
    out.push_back(static_cast<char>(blocks));
    out.append(kDescriptionPointOffset - 1, '\0');
    appendLittleEndian(out, point, 2);
    appendPadded(out, text, blocks);
}

void appendNote(std::string& out, std::string_view text) {
    const std::size_t records = blocksForText(text.size());
    if (records > kMaxBlocks) throw std::invalid_argument("note text too long");
    appendNoteBlocks(out, static_cast<std::uint8_t>(records), text);
}

void appendNoteBlocks(std::string& out, std::uint8_t records, std::string_view text) {
    out.push_back(static_cast<char>(records));
    out.append(kRecordHeaderSize - 1, '\0');
    appendPadded(out, text, records);
}

std::string descriptionPrologue(std::string_view jobName) {
    std::string out;
    out += headerBlock("DOZIREZIR DESCRIPTIONS");
    out += headerBlock(jobName);
    out += headerBlock("VERSION 2.10");
    out.resize(kDescriptionPrologueSize, '\0');
    return out;
}

std::string notesPrologue(std::string_view jobName) {
    std::string out;
    out += headerBlock("DOZIREZIR NOTES");
    out += headerBlock(jobName);
    out.resize(kNotesPrologueSize, '\0');
    return out;
}

}  // namespace zendro::genjob
