#include "conversion/notes_pass.h"

#include "common/byte_reader.h"
#include "common/field_format.h"

namespace zendro {
namespace {

constexpr std::size_t kRecordSize = field_format::kBlockSize;
constexpr std::size_t kCountFieldSize = field_format::kRecordHeaderSize;

// The text bytes in [offset, offset + length), zero bytes and bytes past the
// end of the file left out.
std::string textBytes(std::string_view bytes, std::size_t offset, std::size_t length) {
    std::string text;
    for (std::size_t i = offset; i < offset + length && i < bytes.size(); ++i) {
        if (bytes[i] != '\0') text.push_back(bytes[i]);
    }
    return text;
}

}  // namespace

const NoteEntry& NotesTable::at(std::size_t index) const {
    static const NoteEntry kEmpty{};
    return index < entries_.size() ? entries_[index] : kEmpty;
}

NotesTable readNotes(std::string_view rtxBytes, RunObserver& observer) {
    NotesTable notes;
    const std::size_t length = rtxBytes.size();
    observer.progress(0);
    std::size_t offset = field_format::kNotesPrologueSize;
    while (offset < length) {
        observer.progress(100.0 * static_cast<double>(offset + 1) / static_cast<double>(length));
        const int count = readByte(rtxBytes, offset + field_format::kCountOffset);
        const int records = count == 0 ? 1 : count;
        for (int r = 0; r < records; ++r) {
            NoteEntry entry;
            const std::size_t recordStart = offset + static_cast<std::size_t>(r) * kRecordSize;
            entry.text = r == 0 ? textBytes(rtxBytes, recordStart + kCountFieldSize,
                                            kRecordSize - kCountFieldSize)
                                : textBytes(rtxBytes, recordStart, kRecordSize);
            if (r == 0) entry.count = count;
            if (count == 0) entry.text.clear();
            notes.append(std::move(entry));
        }
        offset += static_cast<std::size_t>(records) * kRecordSize;
    }
    return notes;
}

}  // namespace zendro
