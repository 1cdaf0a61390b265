#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/run_observer.h"

namespace zendro {

struct NoteEntry {
    std::string text;  // the record's text bytes, zero bytes dropped, nothing trimmed
    int count = 0;     // set at a note's first entry: how many records it occupies
};

// One entry per note record, from index 1 in file order. An index that no note
// filled reads as empty (count 0, empty text).
class NotesTable {
  public:
    const NoteEntry& at(std::size_t index) const;
    std::size_t nextIndex() const { return entries_.size(); }  // 1 + entries read
    void append(NoteEntry entry) { entries_.push_back(std::move(entry)); }

  private:
    std::vector<NoteEntry> entries_ = std::vector<NoteEntry>(1);  // index 0 unused
};

// Reads every note of the RTX file. The first three 30-byte records are not
// notes; bytes missing at the end of the file count as padding.
NotesTable readNotes(std::string_view rtxBytes, RunObserver& observer);

}  // namespace zendro
