#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zendro {

// Reads the point-feature file the way every reader does: one entry per line,
// line ends CR LF, LF or CR. Fields never reach into the next line: once a
// field has ended at a line end, the entry's later fields read as empty.
class PfCursor {
  public:
    explicit PfCursor(std::string_view bytes) : bytes_(bytes) {}

    // True when every byte has been read (the end-of-file test between fields).
    bool atEnd() const { return pos_ >= bytes_.size(); }

    // Field read: spaces and tabs skipped; a quoted field runs to the next double
    // quote on the line (or the line end) and reading goes on after the comma or
    // line end that follows; an unquoted field runs to the next comma or line end,
    // trimmed of spaces and tabs. The comma or line end is consumed.
    std::string readField();

    // Every character up to the line end, unchanged; the line end is consumed.
    std::string readRestOfLine();

    // Begins the next entry: fields may be read again after a line end.
    void nextEntry() { lineEnded_ = false; }

  private:
    bool atLineEnd() const;
    void consumeLineEnd();
    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool lineEnded_ = false;
};

// One entry of the point-feature file as read: the name and the description by
// field read, and every character after them up to the line end.
struct PfEntry {
    std::string name;
    std::string description;
    std::string restOfLine;
};

// The whole file: the entries read to their line end, and the last entry when
// the file ends inside it (after its name or its description). The table load
// keeps that partial entry; the chain section and the feature grid do not.
struct PfEntries {
    std::vector<PfEntry> complete;
    std::optional<PfEntry> partialLast;
};

PfEntries readPfEntries(std::string_view bytes);

// A comment as the table load reads it: the rest of the line, trimmed of spaces
// and tabs, with one enclosing pair of double quotes dropped.
std::string unquoteComment(std::string_view restOfLine);

}  // namespace zendro
