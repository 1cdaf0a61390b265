// The input as an RTX file, read by the notes pass.

#include <cstddef>
#include <cstdint>

#include "common/run_observer.h"
#include "conversion/notes_pass.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zendro::fuzz::require;
    zendro::NullObserver observer;
    const zendro::NotesTable notes = zendro::readNotes(zendro::fuzz::asBytes(data, size), observer);
    require(notes.nextIndex() >= 1, "notes start at index 1");
    for (std::size_t i = 0; i <= notes.nextIndex(); ++i) {
        const zendro::NoteEntry& entry = notes.at(i);
        require(entry.text.size() <= 30, "one note record holds at most 30 text bytes");
        require(entry.text.find('\0') == std::string::npos, "zero bytes are padding");
        require(entry.count >= 0 && entry.count <= 255, "a count is one byte");
    }
    return 0;
}
