#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/length_unit.h"
#include "levels/level_finding.h"
#include "levels/m5_format.h"

namespace zendro::levels {

// Where a value was read: its M5 address and its line in the file.
struct Source {
    std::uint32_t address = 0;
    std::size_t fileLine = 0;
};

// Lengths here are in the run's unit; `rounding` is half a unit of the last
// digit the file printed, in that unit.
struct StaffReading {
    double staff = 0;
    double rounding = 0;
    std::optional<double> distance;  // the horizontal sight length
    double distanceRounding = 0;
    std::string point;
    Source source;
    bool marked = false;  // the instrument's `e`
};

// A value the instrument computed and printed: a height, a sum.
struct InstrumentValue {
    double value = 0;
    double rounding = 0;
    Source source;
};

struct IntermediateSight {
    StaffReading reading;
    std::optional<InstrumentValue> height;  // the instrument's Z of the point
};

// One setup of the level: its backsights and foresights in the order read
// (two each way for the double-read methods), what it sighted in between.
struct Setup {
    std::vector<StaffReading> backs;
    std::vector<StaffReading> fores;
    std::optional<InstrumentValue> height;  // the instrument's Z of the foresight point
    std::vector<IntermediateSight> intermediates;
    bool closed = false;  // its height record came: the next reading starts a new setup

    const std::string& backPoint() const { return backs.front().point; }
    const std::string& forePoint() const { return fores.front().point; }
    Source firstSource() const;
};

// The instrument's records after End-Line.
struct LineEnd {
    Source source;
    std::string point;
    std::optional<InstrumentValue> heightSum;      // Sh
    std::optional<InstrumentValue> misclosure;     // dz
    std::optional<InstrumentValue> height;         // Z
    std::optional<InstrumentValue> backDistances;  // Db
    std::optional<InstrumentValue> foreDistances;  // Df
};

// One levelling line of a file, from Start-Line to End-Line.
struct LevelLine {
    std::string file;
    int number = 0;
    m5::Method method = m5::Method::BF;
    Source start;  // the Start-Line record
    std::string startPoint;
    std::optional<InstrumentValue> startHeight;  // typed into the level at the start
    std::vector<Setup> setups;
    std::optional<LineEnd> end;  // nothing when the file has no End-Line for it
    std::size_t lastFileLine = 0;  // of the last record that belongs to it

    const std::string& endPoint() const {
        return setups.empty() ? startPoint : setups.back().forePoint();
    }
};

// A finding at a place in a line.
inline LevelFinding lineFinding(const LevelLine& line, LevelCheck check, Source source,
                                std::string point) {
    LevelFinding finding;
    finding.check = check;
    finding.file = line.file;
    finding.line = line.number;
    finding.address = source.address;
    finding.fileLine = source.fileLine;
    finding.point = std::move(point);
    return finding;
}

// How the file's values come into the run's unit: a file in feet is in the
// run's foot (the file does not say which).
struct UnitConversion {
    LengthUnit run = LengthUnit::Metre;
    LengthUnit foot = kDefaultFootUnit;
};

}  // namespace zendro::levels
