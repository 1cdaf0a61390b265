#include "levels/m5_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/errors.h"

namespace zendro::levels {
namespace {

using namespace m5;

constexpr std::string_view kBlanks = " \t";
constexpr std::size_t kMostTokens = 8;

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The blank-separated words of a text, at most kMostTokens of them (the rest
// stays in the last), without allocating.
struct Tokens {
    std::array<std::string_view, kMostTokens> words{};
    std::size_t count = 0;

    explicit Tokens(std::string_view text) {
        std::size_t at = text.find_first_not_of(kBlanks);
        while (at != std::string_view::npos && count < kMostTokens) {
            std::size_t end = text.find_first_of(kBlanks, at);
            if (count + 1 == kMostTokens) end = std::string_view::npos;
            words[count++] = text.substr(at, end == std::string_view::npos ? end : end - at);
            at = end == std::string_view::npos ? end : text.find_first_not_of(kBlanks, end);
        }
    }
    std::string_view back() const { return words[count - 1]; }
};

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// hh:mm:ss with the tenth of a second or not: the time a reading was taken.
bool isTime(std::string_view text) {
    return text.size() >= 8 && text[2] == ':' && text[5] == ':' &&
           allDigits(text.substr(0, 2)) && allDigits(text.substr(3, 2)) &&
           allDigits(text.substr(6));
}

// Half a unit of the last digit, by the number of decimals.
constexpr std::array<double, 10> kHalfUnits = {0.5,    0.05,    0.005,    5e-4,    5e-5,
                                               5e-6,   5e-7,    5e-8,     5e-9,    5e-10};

// Beyond any reading, height or length a level prints (14 characters).
constexpr double kLargest = 1e12;

struct Number {
    double value = 0;
    double rounding = 0;
};

// A decimal number as the instrument prints it, and half a unit of its last digit.
std::optional<Number> numberOf(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || stop != end || !(std::abs(value) < kLargest))
        return {};
    const std::size_t point = text.find('.');
    const std::size_t decimals = point == std::string_view::npos ? 0 : text.size() - point - 1;
    return Number{value, decimals < kHalfUnits.size() ? kHalfUnits[decimals] : 0.0};
}

std::optional<M5Unit> unitNamed(std::string_view text) {
    if (text == "m") return M5Unit::Metre;
    if (text == "ft") return M5Unit::Foot;
    return std::nullopt;
}

std::string_view unitText(M5Unit unit) { return unit == M5Unit::Metre ? "m" : "ft"; }

// One line of the file into a record, or findings.
class LineReader {
  public:
    LineReader(M5File& file, std::optional<M5Unit>& lastUnit, std::size_t fileLine,
               std::string_view line)
        : file_(file), lastUnit_(lastUnit), line_(line) {
        record_.fileLine = fileLine;
    }

    void read() {
        std::string_view content = line_;
        while (!content.empty() && (content.back() == ' ' || content.back() == '\t'))
            content.remove_suffix(1);
        if (content.empty()) {
            note("an empty line", "", false);
            return;
        }
        if (!content.starts_with(kFormatWord)) {
            note("not an M5 line (it does not start with \"For M5\"): not read",
                 "check that the file is the level's M5 download");
            return;
        }
        const bool read = keepsColumns(content) ? readByColumns(content) : readByTokens(content);
        if (!read) return;
        if (!unitsAgree()) return;
        file_.records.push_back(std::move(record_));
    }

  private:
    static bool keepsColumns(std::string_view line) {
        if (line.size() != kLineWidth - 1 && !(line.size() == kLineWidth && line[kMarkAt] == 'e'))
            return false;
        for (const std::size_t bar : kBarAt)
            if (line[bar] != '|') return false;
        return line.substr(kAddressWordAt, kAddressWord.size()) == kAddressWord;
    }

    bool readByColumns(std::string_view line) {
        ++file_.columnLines;
        readAddress(line.substr(kAddressAt, kAddressWidth));
        if (!readBlock(trimmed(line.substr(kBlockAt, kBlockWidth)))) return false;
        const std::string_view info = line.substr(kInfoAt, kInfoWidth);
        if (record_.block == M5Block::Measurement) {
            record_.point = std::string(trimmed(info.substr(0, kPointWidth)));
            readInfoRest(info.substr(kPointWidth));
        } else {
            record_.text = std::string(trimmed(info));
        }
        for (std::size_t i = 0; i < kValueAt.size(); ++i)
            readCell(line.substr(kValueAt[i], kValueWidth), i, true);
        record_.marked = line.size() == kLineWidth;
        return true;
    }

    bool readByTokens(std::string_view line) {
        // A line ends with the bar after its last value block, perhaps the
        // error mark after it.
        std::string_view body = line;
        std::string_view mark;
        const std::size_t lastBar = body.rfind('|');
        if (lastBar != std::string_view::npos) {
            mark = trimmed(body.substr(lastBar + 1));
            body = body.substr(0, lastBar);
        }
        std::array<std::string_view, 7> parts{};
        std::size_t count = 0;
        for (std::size_t at = 0; count < parts.size();) {
            const std::size_t bar = body.find('|', at);
            parts[count++] = body.substr(at, bar == std::string_view::npos ? bar : bar - at);
            if (bar == std::string_view::npos) break;
            at = bar + 1;
        }
        // The address first, so that even a line cut short is told by it.
        const std::string_view address = count > 1 ? trimmed(parts[1]) : std::string_view();
        const bool hasAddress = address.starts_with(kAddressWord);
        if (hasAddress) readAddress(address.substr(kAddressWord.size()));
        if (lastBar == std::string_view::npos || count < 3 || (!mark.empty() && mark != "e")) {
            note("the line is cut short after column " + std::to_string(line.size()) +
                     " (it does not end with the bar after a value block): not read",
                 "download the file again; re-measure this reading if the instrument's memory "
                 "has it cut too");
            return false;
        }
        if (count > 6) {
            note("more than three value blocks: not read", "check the file");
            return false;
        }
        if (trimmed(parts[0]) != kFormatWord) {
            note("not an M5 line: \"" + std::string(parts[0]) + "\" before the first bar: not read",
                 "check the file");
            return false;
        }
        if (!hasAddress) note("no address (\"Adr\") in the second column", "", true);
        const Tokens head(parts[2]);
        if (head.count == 0) {
            note("no block identifier: not read", "check the file");
            return false;
        }
        if (!readBlock(head.words[0])) return false;
        const std::string_view rest =
            trimmed(parts[2].substr(static_cast<std::size_t>(head.words[0].data() - parts[2].data()) +
                                    head.words[0].size()));
        if (record_.block == M5Block::Measurement) {
            readInfoTokens(rest);
        } else {
            record_.text = std::string(rest);
        }
        for (std::size_t i = 3; i < count; ++i) readCell(parts[i], i - 3, false);
        record_.marked = mark == "e";
        file_.tokenLines.push_back(record_.fileLine);
        return true;
    }

    void readAddress(std::string_view text) {
        text = trimmed(text);
        std::uint32_t address = 0;
        const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), address);
        if (!allDigits(text) || error != std::errc() || stop != text.data() + text.size() ||
            address == 0) {
            note("the address \"" + std::string(text) + "\" is not a number", "", true);
            return;
        }
        record_.address = address;
    }

    bool readBlock(std::string_view block) {
        if (block == "KD1" || block == "KD2") {
            record_.block = M5Block::Measurement;
        } else if (block == "TO") {
            record_.block = M5Block::Text;
        } else if (block == "TI") {
            record_.block = M5Block::Information;
        } else {
            note("block identifier \"" + std::string(block) +
                     "\" is not one of a level run (KD1, KD2, TO, TI): not used",
                 "check that the file comes from a level");
            return false;
        }
        return true;
    }

    // After the point id: code and time in any order, the line number last.
    void readInfoRest(std::string_view rest) {
        const Tokens words(rest);
        if (words.count > 0 && allDigits(words.back()) && rest.ends_with(words.back()))
            record_.lineNumber = lineNumberOf(words.back());
    }

    // The point id first (none when the first word is the time), the line number last.
    void readInfoTokens(std::string_view info) {
        const Tokens words(info);
        std::size_t first = 0;
        if (words.count > 0 && !isTime(words.words[0])) {
            record_.point = std::string(words.words[0]);
            first = 1;
        }
        if (words.count > first && allDigits(words.back()))
            record_.lineNumber = lineNumberOf(words.back());
    }

    static int lineNumberOf(std::string_view digits) {
        int number = 0;
        std::from_chars(digits.data(), digits.data() + std::min<std::size_t>(digits.size(), 9),
                        number);
        return number;
    }

    // One value block: type identifier, number, unit.
    void readCell(std::string_view cell, std::size_t index, bool columns) {
        const Tokens words(cell);
        if (words.count == 0) return;
        const auto block = [&] {
            return "value block " + std::to_string(index + 1) + " (\"" +
                   std::string(trimmed(cell)) + "\")";
        };
        const std::optional<ValueType> type = valueTypeNamed(words.words[0]);
        if (!type) {
            note(block() + ": unknown type identifier \"" + std::string(words.words[0]) +
                     "\": the value is not read",
                 "check the instrument's language and the file");
            return;
        }
        if (words.count != 3) {
            note(block() +
                     (words.count < 3 ? ": no number and unit" : ": more than type, value and unit") +
                     ": the value is not read",
                 "check the file");
            return;
        }
        const std::optional<Number> number = numberOf(words.words[1]);
        if (!number) {
            note(block() + ": \"" + std::string(words.words[1]) + "\" is not a number: not read",
                 "check the file");
            return;
        }
        const std::optional<M5Unit> unit = unitNamed(words.words[2]);
        if (!unit) {
            note(block() + ": the unit \"" + std::string(words.words[2]) +
                     "\" is not read (m and ft are): the value is not used",
                 "set the level's unit to m or ft");
            return;
        }
        if (columns && !inColumns(cell, words)) {
            note(block() + " is not in its columns (a shifted column?): read by its words",
                 "check this line against the level's memory");
        }
        if (record_.valueCount == record_.values.size()) return;
        record_.values[record_.valueCount++] = {*type, *unit, number->value, number->rounding};
    }

    static bool inColumns(std::string_view cell, const Tokens& words) {
        const auto offset = [&](std::string_view word) {
            return static_cast<std::size_t>(word.data() - cell.data());
        };
        return offset(words.words[0]) == 0 &&
               offset(words.words[1]) + words.words[1].size() == kNumberOffset + kNumberWidth &&
               offset(words.words[2]) == kUnitOffset;
    }

    // One line holds one unit; the file should too.
    bool unitsAgree() {
        for (std::size_t i = 1; i < record_.valueCount; ++i) {
            if (record_.values[i].unit != record_.values[0].unit) {
                note("mixed units in one line (" + std::string(unitText(record_.values[0].unit)) +
                         " and " + std::string(unitText(record_.values[i].unit)) + "): not used",
                     "check the file; re-measure this reading");
                return false;
            }
        }
        if (record_.valueCount == 0) return true;
        const M5Unit unit = record_.values[0].unit;
        if (!file_.unit) file_.unit = unit;
        if (lastUnit_ && *lastUnit_ != unit)
            note("the file changes its unit here from " + std::string(unitText(*lastUnit_)) +
                     " to " + std::string(unitText(unit)) + " (read in " +
                     std::string(unitText(unit)) + ")",
                 "check that the level's unit was not changed during the line");
        lastUnit_ = unit;
        return true;
    }

    void note(std::string what, std::string advice, bool over = true) {
        LevelFinding finding;
        finding.check = LevelCheck::Reading;
        finding.file = file_.path;
        finding.address = record_.address;
        finding.fileLine = record_.fileLine;
        finding.over = over;
        finding.what = std::move(what);
        finding.advice = std::move(advice);
        file_.findings.push_back(std::move(finding));
    }

    M5File& file_;
    std::optional<M5Unit>& lastUnit_;  // of the last line read with a value
    std::string_view line_;
    M5Record record_;
};

// Lines read by tokens: in a file whose other lines keep the columns each is
// suspect and told; a file that keeps none is a loose layout, said once.
void noteTokenLines(M5File& file) {
    if (file.tokenLines.empty()) return;
    if (file.columnLines == 0) {
        LevelFinding finding;
        finding.check = LevelCheck::Reading;
        finding.file = file.path;  // of the whole file: no line of its own
        finding.what = std::string("no line keeps the M5 columns: file ") +
                       (file.tokenLines.size() == 1 ? "line " : "lines ") +
                       rangesText(file.tokenLines) + " read by | and tokens";
        file.findings.push_back(std::move(finding));
        return;
    }
    auto record = file.records.begin();
    for (const std::size_t fileLine : file.tokenLines) {
        record = std::lower_bound(record, file.records.end(), fileLine,
                                  [](const M5Record& r, std::size_t at) { return r.fileLine < at; });
        LevelFinding finding;
        finding.check = LevelCheck::Reading;
        finding.file = file.path;
        finding.fileLine = fileLine;
        if (record != file.records.end() && record->fileLine == fileLine) {
            finding.address = record->address;
            finding.point = record->point;
        }
        finding.over = true;
        finding.what = "not in the M5 columns (a shifted column?): read by | and tokens";
        finding.advice = "check the line against the level's memory";
        file.findings.push_back(std::move(finding));
    }
}

}  // namespace

const M5Value* M5Record::find(m5::ValueType type) const {
    for (std::size_t i = 0; i < valueCount; ++i)
        if (values[i].type == type) return &values[i];
    return nullptr;
}

M5File readM5(std::string_view path, std::string_view bytes) {
    M5File file;
    file.path = std::string(path);
    file.records.reserve(bytes.size() / (kLineWidth + 2) + 1);
    std::size_t fileLine = 0;
    bool anyM5 = false;
    bool anyText = false;
    std::optional<M5Unit> lastUnit;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find('\n', start);
        std::string_view line = bytes.substr(start, end == std::string_view::npos ? end : end - start);
        start = end == std::string_view::npos ? bytes.size() : end + 1;
        ++fileLine;
        if (line.ends_with('\r')) line.remove_suffix(1);
        anyM5 = anyM5 || line.starts_with(m5::kFormatWord);
        anyText = anyText || !trimmed(line).empty();
        LineReader(file, lastUnit, fileLine, line).read();
    }
    if (!anyText) throw ZendroError(path, "the file is empty: no M5 line to read");
    if (!anyM5)
        throw ZendroError(path, "no line starts with \"For M5\": not an M5 file of a level");
    noteTokenLines(file);
    return file;
}

}  // namespace zendro::levels
