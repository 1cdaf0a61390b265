#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/byte_reader.h"
#include "common/field_format.h"

namespace zendro::field_format {

// The fields of one 18-byte observation record as the collector stores them.
struct ObservationRecord {
    std::uint8_t kind = 0;
    std::uint16_t point = 0;
    std::uint16_t heightHundredths = 0;
    std::uint32_t horizontal = 0;  // packed DDD.MMSSs x 100000
    std::uint32_t zenith = 0;      // packed like the horizontal
    std::uint32_t distanceTenThousandths = 0;
};

// The one field list of an observation record: every reader and writer of the
// format walks it, so the offsets and widths cannot differ between them. The
// width of each field is the size of its member.
template <typename Record, typename Visit>
constexpr void forEachObservationField(Record& record, Visit&& visit) {
    visit(kKindOffset, record.kind);
    visit(kPointOffset, record.point);
    visit(kHeightOffset, record.heightHundredths);
    visit(kHorizontalOffset, record.horizontal);
    visit(kZenithOffset, record.zenith);
    visit(kDistanceOffset, record.distanceTenThousandths);
}

// `bytes` holds at least kObservationRecordSize bytes from the record's start.
inline ObservationRecord readObservationRecord(std::string_view bytes) {
    ObservationRecord record;
    forEachObservationField(record, [&](std::size_t offset, auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        field = static_cast<Field>(readLittleEndian<sizeof(Field)>(bytes, offset));
    });
    return record;
}

// Appends the record's 18 bytes; bytes no field covers are zero.
inline void appendObservationRecord(std::string& out, const ObservationRecord& record) {
    const std::size_t start = out.size();
    out.append(kObservationRecordSize, '\0');
    forEachObservationField(record, [&](std::size_t offset, const auto& field) {
        for (std::size_t i = 0; i < sizeof(field); ++i) {
            out[start + offset + i] = static_cast<char>((field >> (8 * i)) & 0xFFu);
        }
    });
}

}  // namespace zendro::field_format
