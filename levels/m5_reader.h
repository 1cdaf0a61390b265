#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "levels/level_finding.h"
#include "levels/m5_format.h"

namespace zendro::levels {

// The units an M5 value is read in; the foot is the run's (the file does
// not say which).
enum class M5Unit : std::uint8_t { Metre, Foot };

struct M5Value {
    m5::ValueType type = m5::ValueType::Height;
    M5Unit unit = M5Unit::Metre;
    double value = 0;
    double rounding = 0;  // half a unit of the last digit printed
};

enum class M5Block : std::uint8_t {
    Measurement,  // KD1, KD2: a point with readings or heights
    Text,         // TO: line control and remarks
    Information,  // TI: a remark
};

// One line of the file as read.
struct M5Record {
    std::size_t fileLine = 0;
    std::uint32_t address = 0;
    M5Block block = M5Block::Measurement;
    std::string point;    // a measurement's point id; empty for a turning point without one
    int lineNumber = 0;   // the instrument's line number, 0 when not given
    std::string text;     // a TO or TI block's text
    std::array<M5Value, 3> values{};
    std::uint8_t valueCount = 0;
    bool marked = false;  // the instrument's error mark `e`

    const M5Value* find(m5::ValueType type) const;
};

// A file read whole: every line is a record or a finding.
struct M5File {
    std::string path;
    std::vector<M5Record> records;
    std::vector<LevelFinding> findings;
    std::size_t columnLines = 0;          // read by their columns
    std::vector<std::size_t> tokenLines;  // read by `|` and tokens
    std::optional<M5Unit> unit;           // the first unit met
};

// Reads the bytes of one M5 file. A line that keeps the columns is read by
// them; one that does not (published files exist) by `|` and tokens, and the
// file's findings say which. Throws ZendroError naming `path` for a file with
// no M5 line at all (an empty file among them).
M5File readM5(std::string_view path, std::string_view bytes);

}  // namespace zendro::levels
