#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The M5 data record of the DiNi digital levels: one place for its columns,
// block and type identifiers, read by the reader and written by the generator.
// A line is 119 characters and CR LF; columns here count from 0 (the
// published description counts from 1).
namespace zendro::levels::m5 {

inline constexpr std::string_view kFormatWord = "For M5";
inline constexpr std::string_view kAddressWord = "Adr";
inline constexpr std::size_t kAddressWordAt = 7;
inline constexpr std::size_t kAddressAt = 11;
inline constexpr std::size_t kAddressWidth = 5;
inline constexpr std::size_t kBlockAt = 17;
inline constexpr std::size_t kBlockWidth = 3;
inline constexpr std::size_t kInfoAt = 21;
inline constexpr std::size_t kInfoWidth = 27;
inline constexpr std::array<std::size_t, 3> kValueAt = {49, 72, 95};
inline constexpr std::size_t kValueWidth = 22;  // the bar after it not counted
inline constexpr std::array<std::size_t, 6> kBarAt = {6, 16, 48, 71, 94, 117};
inline constexpr std::size_t kMarkAt = 118;  // `e` for a reading the instrument doubts
inline constexpr std::size_t kLineWidth = 119;

// Inside a value block: type identifier, value right-aligned, unit.
inline constexpr std::size_t kTypeWidth = 2;
inline constexpr std::size_t kNumberOffset = 3;
inline constexpr std::size_t kNumberWidth = 14;
inline constexpr std::size_t kUnitOffset = 18;
inline constexpr std::size_t kUnitWidth = 4;

// Inside a measurement's information block: the point id right-aligned, a
// code, the time, the line number right-aligned last.
inline constexpr std::size_t kPointWidth = 8;
inline constexpr std::size_t kCodeOffset = 8;
inline constexpr std::size_t kTimeOffset = 14;
inline constexpr std::size_t kLineNumberOffset = 23;
inline constexpr std::size_t kLineNumberWidth = 4;

// What a value block holds.
enum class ValueType : std::uint8_t {
    BackReading,
    ForeReading,
    IntermediateReading,
    SingleReading,
    Distance,
    Height,
    HeightSum,       // Sh: the line's height differences summed
    Misclosure,      // dz: the end height against the one typed in
    BackDistances,   // Db: the backsight lengths summed
    ForeDistances,   // Df
    ReadingDeviation,  // sR: the standard deviation of a reading
};

// Each type identifier in the instrument's English and German.
struct TypeName {
    ValueType type;
    std::string_view english;
    std::string_view german;
};

inline constexpr std::array kTypeNames = {
    TypeName{ValueType::BackReading, "Rb", "Lr"},
    TypeName{ValueType::ForeReading, "Rf", "Lv"},
    TypeName{ValueType::IntermediateReading, "Rz", "Lz"},
    TypeName{ValueType::SingleReading, "R", "L"},
    TypeName{ValueType::Distance, "HD", "E"},
    TypeName{ValueType::Height, "Z", "Z"},
    TypeName{ValueType::HeightSum, "Sh", "Sh"},
    TypeName{ValueType::Misclosure, "dz", "dz"},
    TypeName{ValueType::BackDistances, "Db", "Db"},
    TypeName{ValueType::ForeDistances, "Df", "Df"},
    TypeName{ValueType::ReadingDeviation, "sR", "sL"},
};

std::optional<ValueType> valueTypeNamed(std::string_view identifier);
std::string_view englishName(ValueType type);

// How a levelling line is run: the order of the readings at each setup.
enum class Method : std::uint8_t { BF, BFFB, BBFF, BFBF, aBF, aBFFB };

std::optional<Method> methodNamed(std::string_view word);
std::string_view methodName(Method method);
// Readings each way at one setup: 2 for the double-read methods.
int readingsEachWay(Method method);

// The texts of the TO block that steer a line.
inline constexpr std::string_view kStartLine = "Start-Line";
inline constexpr std::string_view kContLine = "Cont-Line";
inline constexpr std::string_view kEndLine = "End-Line";
inline constexpr std::string_view kIntermediateStart = "Intermediate sight.";
inline constexpr std::string_view kIntermediateEnd = "End of interm. sight.";
inline constexpr std::string_view kMeasurementRepeated = "Measurement repeated";
inline constexpr std::string_view kStationRepeated = "Station repeated";

// One value block to write: a number with its printed decimals and unit.
struct ValueField {
    ValueType type;
    double value = 0;
    int decimals = 5;
    std::string_view unit = "m";
};

// One whole M5 line in the exact columns, CR LF ended. `info` is the TO text
// or, for a measurement, made by measurementInfo. Empty blocks are blanks.
std::string composeLine(std::uint32_t address, std::string_view block, std::string_view info,
                        const std::array<std::optional<ValueField>, 3>& values,
                        bool marked = false);

// A measurement's information block: the point id, code and time in their
// columns, the line number last.
std::string measurementInfo(std::string_view point, std::string_view code, std::string_view time,
                            int lineNumber);

}  // namespace zendro::levels::m5
