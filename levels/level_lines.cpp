#include "levels/level_lines.h"

#include <algorithm>
#include <array>
#include <string>

namespace zendro::levels {

Source Setup::firstSource() const {
    const Source back = backs.empty() ? Source{} : backs.front().source;
    const Source fore = fores.empty() ? Source{} : fores.front().source;
    if (back.fileLine == 0) return fore;
    if (fore.fileLine == 0) return back;
    return back.fileLine < fore.fileLine ? back : fore;
}

namespace {

using m5::ValueType;

std::string_view firstWord(std::string_view text) {
    return text.substr(0, text.find(' '));
}

std::string_view secondWord(std::string_view text) {
    const std::size_t gap = text.find(' ');
    if (gap == std::string_view::npos) return {};
    const std::size_t at = text.find_first_not_of(' ', gap);
    if (at == std::string_view::npos) return {};
    return firstWord(text.substr(at));
}

std::string_view lastWord(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    if (end == std::string_view::npos) return {};
    const std::size_t gap = text.find_last_of(' ', end);
    return text.substr(gap == std::string_view::npos ? 0 : gap + 1,
                       end - (gap == std::string_view::npos ? 0 : gap + 1) + 1);
}

std::string sideName(bool back) { return back ? "backsight" : "foresight"; }

class LineBuilder {
  public:
    LineBuilder(const M5File& file, const UnitConversion& units, std::vector<LevelFinding>& findings)
        : file_(file), findings_(findings) {
        factor_[static_cast<std::size_t>(M5Unit::Metre)] = 1.0 / metresPer(units.run);
        factor_[static_cast<std::size_t>(M5Unit::Foot)] =
            metresPer(units.foot) / metresPer(units.run);
    }

    std::vector<LevelLine> build() {
        for (const M5Record& record : file_.records) take(record);
        closeLine(nullptr);
        noteOutside();
        return std::move(lines_);
    }

  private:
    enum class Expect { Reading, StartPoint, EndRecords };
    enum class Repeat { None, Measurement };

    void take(const M5Record& record) {
        if (open() || expect_ == Expect::EndRecords) line().lastFileLine = record.fileLine;
        switch (record.block) {
            case M5Block::Text: return text(record);
            case M5Block::Information: return;  // a remark, read
            case M5Block::Measurement: return measurement(record);
        }
    }

    void text(const M5Record& record) {
        const std::string_view text = record.text;
        const std::string_view word = firstWord(text);
        if (word == m5::kStartLine || word == m5::kContLine) {
            expect_ = Expect::Reading;
            return startLine(record, word == m5::kContLine);
        }
        if (expect_ == Expect::EndRecords) expect_ = Expect::Reading;
        if (word == m5::kEndLine) return endLine(record);
        if (text.starts_with(m5::kIntermediateStart)) {
            intermediate_ = true;
        } else if (text.starts_with(m5::kIntermediateEnd)) {
            intermediate_ = false;
        } else if (text.starts_with(m5::kMeasurementRepeated)) {
            repeat_ = Repeat::Measurement;
        } else if (text.starts_with(m5::kStationRepeated)) {
            stationRepeated(record);
        }
        // Any other text is a remark (the file's name, the units): read.
    }

    void startLine(const M5Record& record, bool continued) {
        const std::string_view numberWord = lastWord(record.text);
        int number = record.lineNumber;
        if (number == 0 && !numberWord.empty() && numberWord.find_first_not_of("0123456789") ==
                                                      std::string_view::npos)
            number = std::stoi(std::string(numberWord.substr(0, 9)));
        if (continued && open() && line().number == number) {
            closeSetup();
            expect_ = Expect::StartPoint;
            continuing_ = true;
            return;
        }
        closeLine(&record);
        noteOutside();
        const std::string_view methodWord = secondWord(record.text);
        LevelLine line;
        line.file = file_.path;
        line.number = number;
        line.start = sourceOf(record);
        if (const auto method = m5::methodNamed(methodWord)) {
            line.method = *method;
        } else {
            add(LevelCheck::Sequence, record, "",
                "the method \"" + std::string(methodWord) + "\" of line " + std::to_string(number) +
                    " is not BF, BFFB, BBFF, BFBF, aBF or aBFFB: read as BF",
                "check the file", true, number);
        }
        if (continued)
            add(LevelCheck::Sequence, record, "",
                "Cont-Line of line " + std::to_string(number) +
                    ", whose start this file does not have: read as its start",
                "", false, number);
        line.lastFileLine = record.fileLine;
        lines_.push_back(std::move(line));
        validated_ = 0;
        open_ = true;
        continuing_ = false;
        intermediate_ = false;
        repeat_ = Repeat::None;
        expect_ = Expect::StartPoint;
    }

    void endLine(const M5Record& record) {
        if (!open()) {
            add(LevelCheck::Sequence, record, "", "End-Line without a line started", "", true);
            return;
        }
        closeSetup();
        LineEnd end;
        end.source = sourceOf(record);
        line().end = end;
        open_ = false;
        expect_ = Expect::EndRecords;
    }

    void measurement(const M5Record& record) {
        const M5Value* reading = readingOf(record);
        if (expect_ == Expect::EndRecords && reading == nullptr) return endRecord(record);
        if (expect_ == Expect::EndRecords) expect_ = Expect::Reading;
        if (!open()) return outside(record);
        if (expect_ == Expect::StartPoint) {
            expect_ = Expect::Reading;
            if (reading == nullptr) return startPoint(record);
            add(LevelCheck::Sequence, record, record.point,
                "no start height after the line's start: the line starts at its first backsight",
                "", false);
        }
        if (reading == nullptr) return heightRecord(record);
        switch (reading->type) {
            case ValueType::BackReading: return staff(record, *reading, true);
            case ValueType::ForeReading: return staff(record, *reading, false);
            case ValueType::IntermediateReading: return intermediateSight(record, *reading);
            default:
                add(LevelCheck::Sequence, record, record.point,
                    "a single reading (" + std::string(m5::englishName(reading->type)) +
                        ") is no part of a setup: not used",
                    "", false);
                return;
        }
    }

    // The record's staff reading; more than one in a line is a fault.
    const M5Value* readingOf(const M5Record& record) {
        const M5Value* found = nullptr;
        for (std::size_t i = 0; i < record.valueCount; ++i) {
            const ValueType type = record.values[i].type;
            if (type != ValueType::BackReading && type != ValueType::ForeReading &&
                type != ValueType::IntermediateReading && type != ValueType::SingleReading)
                continue;
            if (found != nullptr) {
                add(LevelCheck::Reading, record, record.point,
                    "two staff readings in one line: the first is used", "check the file", true);
                break;
            }
            found = &record.values[i];
        }
        return found;
    }

    InstrumentValue valueOf(const M5Value& value, const M5Record& record) const {
        const double factor = factor_[static_cast<std::size_t>(value.unit)];
        return {value.value * factor, value.rounding * factor, sourceOf(record)};
    }

    StaffReading readingFrom(const M5Record& record, const M5Value& value) const {
        StaffReading reading;
        const InstrumentValue staff = valueOf(value, record);
        reading.staff = staff.value;
        reading.rounding = staff.rounding;
        if (const M5Value* distance = record.find(ValueType::Distance)) {
            const InstrumentValue length = valueOf(*distance, record);
            reading.distance = length.value;
            reading.distanceRounding = length.rounding;
        }
        reading.point = record.point;
        reading.source = sourceOf(record);
        reading.marked = record.marked;
        return reading;
    }

    void startPoint(const M5Record& record) {
        LevelLine& current = line();
        const M5Value* height = record.find(ValueType::Height);
        if (continuing_) {
            continuing_ = false;
            if (!record.point.empty() && !current.endPoint().empty() &&
                record.point != current.endPoint())
                add(LevelCheck::Sequence, record, record.point,
                    "the line continues on " + record.point + ", its last foresight was on " +
                        current.endPoint(),
                    "re-run the line from " + current.endPoint(), true);
            return;
        }
        current.startPoint = record.point;
        if (height != nullptr) current.startHeight = valueOf(*height, record);
    }

    Setup* openSetup() {
        LevelLine& current = line();
        if (current.setups.empty() || current.setups.back().closed) return nullptr;
        return &current.setups.back();
    }

    void staff(const M5Record& record, const M5Value& value, bool back) {
        StaffReading reading = readingFrom(record, value);
        if (!reading.distance)
            add(LevelCheck::Reading, record, record.point,
                "a " + sideName(back) + " without its sight length (HD): its setup's sight "
                "lengths are not checked",
                "check the level's recording mode", true);
        const std::size_t each = static_cast<std::size_t>(m5::readingsEachWay(line().method));
        Setup* setup = openSetup();
        auto& same = setup == nullptr ? unused_ : (back ? setup->backs : setup->fores);
        const std::size_t other = setup == nullptr ? 0 : (back ? setup->fores : setup->backs).size();
        if (repeat_ == Repeat::Measurement && setup != nullptr && !same.empty()) {
            repeat_ = Repeat::None;
            return replace(same.back(), std::move(reading), back, true);
        }
        repeat_ = Repeat::None;
        if (setup != nullptr && same.size() < each) {
            if (!same.empty() && !reading.point.empty() && !same.front().point.empty() &&
                reading.point != same.front().point)
                add(LevelCheck::Sequence, record, reading.point,
                    "the second " + sideName(back) + " is on " + reading.point + ", the first on " +
                        same.front().point,
                    "re-measure the setup", true);
            same.push_back(std::move(reading));
            return;
        }
        if (setup != nullptr && same.size() == each && other < each) {
            return replace(same.back(), std::move(reading), back, false);
        }
        closeSetup();
        Setup next;
        (back ? next.backs : next.fores).push_back(std::move(reading));
        line().setups.push_back(std::move(next));
    }

    // A reading measured again: the last counts, the first is listed.
    void replace(StaffReading& earlier, StaffReading later, bool back, bool marked) {
        LevelFinding finding = findingAt(LevelCheck::Repeated, later.source, later.point);
        finding.what = sideName(back) + " measured again (Adr " + std::to_string(earlier.source.address) +
                       " replaced by Adr " + std::to_string(later.source.address) +
                       (marked ? ")" : ", without \"Measurement repeated\")") + ": the last counts";
        finding.over = !marked;
        if (!marked) finding.advice = "check that the last reading is the one meant";
        findings_.push_back(std::move(finding));
        earlier = std::move(later);
    }

    void intermediateSight(const M5Record& record, const M5Value& value) {
        LevelLine& current = line();
        if (current.setups.empty() || current.setups.back().backs.empty()) {
            add(LevelCheck::Sequence, record, record.point,
                "an intermediate sight with no backsight to take it from: not used",
                "re-measure it from a setup with a backsight", true);
            return;
        }
        if (!intermediate_)
            add(LevelCheck::Sequence, record, record.point,
                "an intermediate sight without \"Intermediate sight.\" before it", "", false);
        IntermediateSight sight;
        sight.reading = readingFrom(record, value);
        if (const M5Value* height = record.find(ValueType::Height))
            sight.height = valueOf(*height, record);
        auto& sights = current.setups.back().intermediates;
        if (repeat_ == Repeat::Measurement && !sights.empty()) {
            repeat_ = Repeat::None;
            LevelFinding finding = findingAt(LevelCheck::Repeated, sight.reading.source, record.point);
            finding.what = "intermediate sight measured again (Adr " +
                           std::to_string(sights.back().reading.source.address) +
                           " replaced): the last counts";
            findings_.push_back(std::move(finding));
            sights.back() = std::move(sight);
            return;
        }
        repeat_ = Repeat::None;
        sights.push_back(std::move(sight));
    }

    // A Z alone: the instrument's height of the setup's foresight point.
    void heightRecord(const M5Record& record) {
        const M5Value* height = record.find(ValueType::Height);
        Setup* setup = openSetup();
        if (height != nullptr && setup != nullptr && !setup->fores.empty() && !setup->backs.empty()) {
            setup->height = valueOf(*height, record);
            setup->closed = true;
            if (!record.point.empty() && !setup->forePoint().empty() &&
                record.point != setup->forePoint())
                add(LevelCheck::Sequence, record, record.point,
                    "the setup's height record names " + record.point + ", its foresight " +
                        setup->forePoint(),
                    "check the file", true);
            return;
        }
        add(LevelCheck::Sequence, record, record.point,
            height == nullptr ? "no staff reading or height: not used"
                              : "a height record with no setup before it: not used",
            "", false);
    }

    void endRecord(const M5Record& record) {
        LineEnd& end = *lines_.back().end;
        if (end.point.empty()) end.point = record.point;
        const auto keep = [&](ValueType type, std::optional<InstrumentValue>& into) {
            if (const M5Value* value = record.find(type)) into = valueOf(*value, record);
        };
        keep(ValueType::HeightSum, end.heightSum);
        keep(ValueType::Misclosure, end.misclosure);
        keep(ValueType::Height, end.height);
        keep(ValueType::BackDistances, end.backDistances);
        keep(ValueType::ForeDistances, end.foreDistances);
    }

    void stationRepeated(const M5Record& record) {
        if (!open() || line().setups.empty()) {
            add(LevelCheck::Sequence, record, "", "\"Station repeated\" with no setup before it", "",
                false);
            return;
        }
        const Setup dropped = std::move(line().setups.back());
        line().setups.pop_back();
        validated_ = std::min(validated_, line().setups.size());
        std::vector<std::size_t> addresses;
        for (const auto* side : {&dropped.backs, &dropped.fores})
            for (const StaffReading& reading : *side) addresses.push_back(reading.source.address);
        std::sort(addresses.begin(), addresses.end());
        add(LevelCheck::Repeated, record, "",
            "station measured again: the readings at Adr " + rangesText(addresses) +
                " no longer count",
            "", false);
    }

    // A setup is whole with a reading each way; a double-read one read once
    // each way is reduced as a single one.
    void closeSetup() {
        if (!open() || line().setups.empty()) return;
        LevelLine& current = line();
        Setup& setup = current.setups.back();
        setup.closed = true;
        if (validated_ == current.setups.size()) return;
        validated_ = current.setups.size();
        const Source at = setup.firstSource();
        if (setup.backs.empty() || setup.fores.empty()) {
            const std::string point = setup.backs.empty() ? setup.forePoint() : setup.backPoint();
            addAt(LevelCheck::Sequence, at, point,
                  "a setup without a " + sideName(setup.backs.empty()) + ": not used",
                  "re-measure the setup", true);
            current.setups.pop_back();
            validated_ = current.setups.size();
            return;
        }
        const std::size_t each = static_cast<std::size_t>(m5::readingsEachWay(current.method));
        if (setup.backs.size() != each || setup.fores.size() != each)
            addAt(LevelCheck::Sequence, at, setup.backPoint(),
                  "a " + std::string(m5::methodName(current.method)) + " setup with " +
                      std::to_string(setup.backs.size()) + " backsight(s) and " +
                      std::to_string(setup.fores.size()) + " foresight(s): reduced from them",
                  "re-measure the setup", true);
        const std::string& before = current.setups.size() > 1
                                        ? current.setups[current.setups.size() - 2].forePoint()
                                        : current.startPoint;
        if (!before.empty() && !setup.backPoint().empty() && before != setup.backPoint())
            addAt(LevelCheck::Sequence, at, setup.backPoint(),
                  "the backsight is on " + setup.backPoint() + ", the last foresight on " + before +
                      ": the line is broken here",
                  "re-run the line from " + before, true);
    }

    // At End-Line, a new line or the file's end.
    void closeLine(const M5Record* next) {
        if (!open()) return;
        closeSetup();
        LevelFinding finding = findingAt(LevelCheck::Sequence,
                                         next != nullptr ? sourceOf(*next) : line().start, "");
        finding.what = "line " + std::to_string(line().number) + " has no End-Line" +
                       (next != nullptr ? " before the next line starts" : " before the file ends") +
                       ": reduced up to its last setup";
        finding.advice = "check that the line was finished";
        finding.over = true;
        findings_.push_back(std::move(finding));
        // What the file holds up to the next line belongs to it: a line cut off among them.
        line().lastFileLine = next != nullptr ? next->fileLine - 1 : static_cast<std::size_t>(-1);
        open_ = false;
    }

    // Readings outside a line are told once per stretch.
    void outside(const M5Record& record) {
        if (outsideCount_ == 0) outsideFirst_ = sourceOf(record);
        outsideLast_ = sourceOf(record);
        ++outsideCount_;
    }

    void noteOutside() {
        if (outsideCount_ == 0) return;
        LevelFinding finding = findingAt(LevelCheck::Sequence, outsideFirst_, "");
        finding.line = 0;
        finding.what = std::to_string(outsideCount_) + " measurement line(s) up to Adr " +
                       std::to_string(outsideLast_.address) +
                       " are outside a levelling line (no Start-Line before them): not used";
        finding.advice = "start a line on the level before measuring";
        finding.over = true;
        findings_.push_back(std::move(finding));
        outsideCount_ = 0;
    }

    bool open() const { return open_ && !lines_.empty(); }
    LevelLine& line() { return lines_.back(); }

    static Source sourceOf(const M5Record& record) { return {record.address, record.fileLine}; }

    LevelFinding findingAt(LevelCheck check, Source source, std::string point) const {
        LevelFinding finding;
        finding.check = check;
        finding.file = file_.path;
        finding.line = open() ? lines_.back().number : 0;
        finding.address = source.address;
        finding.fileLine = source.fileLine;
        finding.point = std::move(point);
        return finding;
    }

    void addAt(LevelCheck check, Source source, const std::string& point, std::string what,
               std::string advice, bool over) {
        LevelFinding finding = findingAt(check, source, point);
        finding.what = std::move(what);
        finding.advice = std::move(advice);
        finding.over = over;
        findings_.push_back(std::move(finding));
    }

    void add(LevelCheck check, const M5Record& record, const std::string& point, std::string what,
             std::string advice, bool over, int lineNumber = -1) {
        addAt(check, sourceOf(record), point, std::move(what), std::move(advice), over);
        if (lineNumber >= 0) findings_.back().line = lineNumber;
    }

    const M5File& file_;
    std::vector<LevelFinding>& findings_;
    std::array<double, 2> factor_{};
    std::vector<LevelLine> lines_;
    std::vector<StaffReading> unused_;
    bool open_ = false;
    bool continuing_ = false;
    bool intermediate_ = false;
    std::size_t validated_ = 0;  // setups of the line already checked when closed
    Expect expect_ = Expect::Reading;
    Repeat repeat_ = Repeat::None;
    std::size_t outsideCount_ = 0;
    Source outsideFirst_;
    Source outsideLast_;
};

}  // namespace

std::vector<LevelLine> levelLines(const M5File& file, const UnitConversion& units,
                                  std::vector<LevelFinding>& findings) {
    std::vector<LevelLine> lines = LineBuilder(file, units, findings).build();
    // The reader's findings inside a line name it.
    for (LevelFinding& finding : findings) {
        if (finding.line != 0 || finding.file != file.path || finding.fileLine == 0) continue;
        for (const LevelLine& line : lines)
            if (finding.fileLine >= line.start.fileLine && finding.fileLine <= line.lastFileLine)
                finding.line = line.number;
    }
    return lines;
}

}  // namespace zendro::levels
