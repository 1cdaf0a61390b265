#include "tools/genlevels/level_network_plan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "levels/m5_format.h"
#include "review/finding_text.h"
#include "tools/genjob/dice.h"

namespace zendro::genlevels {
namespace {

using levels::m5::Method;
using levels::m5::ValueField;
using levels::m5::ValueType;

// Meters; a run in feet scales them by the feet in a meter.
constexpr double kFeetPerMetre = 3.2808;
constexpr double kLowestReading = 0.6;   // above the limit's 0.5 m
constexpr double kHighestReading = 2.9;  // a 3 m staff
constexpr double kShortestSight = 15;
constexpr double kLongestSight = 45;
constexpr double kSightImbalance = 1.5;  // well within 5 m
constexpr double kUnbalance = 8;         // over it
constexpr double kNodeStep = 0.25;       // of a node's height per setup of its line
constexpr double kSetupWander = 0.6;     // of a setup's difference about the line's mean
constexpr double kDefaultReadingSd = 0.00012;
constexpr double kRepeatedOff = 0.003;   // the first of a repeated reading
constexpr int kUnnamedEvery = 4;         // turning points the crew leaves without an id

struct Node {
    std::string name;
    double height = 0;
    bool benchmark = false;
};

struct LinePlan {
    std::size_t from = 0;
    std::size_t to = 0;
    Method method = Method::BF;
};

// The network's nodes and lines: two lines on, a cross line back over both
// (a loop of lines, a junction), a loop on the junction, again.
std::vector<LinePlan> planLines(int count, std::vector<Node>& nodes, genjob::Dice& dice,
                                const LevelsShape& shape, double scale) {
    std::vector<LinePlan> lines;
    std::size_t j = 0;
    const auto node = [&](std::size_t index) {
        while (nodes.size() <= index) {
            Node next;
            if (!shape.through.empty()) {
                if (nodes.size() >= shape.through.size())
                    throw std::invalid_argument(
                        std::to_string(count) + " lines need more than the " +
                        std::to_string(shape.through.size()) + " points given to level through");
                next.name = shape.through[nodes.size()].point;
                next.height = shape.through[nodes.size()].height;
                nodes.push_back(next);
                continue;
            }
            const double step = kNodeStep * std::min(shape.setups, 8) * scale;
            next.height = nodes.empty() ? (shape.metric ? 100.0 : 300.0) +
                                              static_cast<double>(dice.between(0, 9999)) / 1000 * scale
                                        : nodes.back().height +
                                              (static_cast<double>(dice.between(-1000, 1000)) / 1000) * step;
            nodes.push_back(next);
        }
    };
    node(0);
    for (int i = 0; i < count; ++i) {
        LinePlan line;
        switch (i % 4) {
            case 0:
            case 1:
                line.from = j;
                line.to = ++j;
                break;
            case 2:
                line.from = j - 2;
                line.to = j;
                break;
            default:
                line.from = line.to = j;
                break;
        }
        node(line.to);
        if (shape.method == "BF") line.method = Method::BF;
        else if (shape.method == "BFFB") line.method = Method::BFFB;
        else line.method = i % 2 == 0 ? Method::BF : Method::BFFB;
        lines.push_back(line);
    }
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        nodes[k].benchmark = k % 3 == 0 || k + 1 == nodes.size();
        if (shape.through.empty())
            nodes[k].name = (nodes[k].benchmark ? "BM" : "J") + std::to_string(k + 1);
    }
    return lines;
}

// The level's clock: a reading every half minute from 07:30.
class Clock {
  public:
    std::string next() {
        seconds_ += 31;
        const int h = 7 + seconds_ / 3600;
        const int m = (seconds_ / 60) % 60;
        const int s = seconds_ % 60;
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d%d", h % 24, m, s, seconds_ % 10);
        return text;
    }

  private:
    int seconds_ = 30 * 60;
};

class FileWriter {
  public:
    FileWriter(bool metric, std::string& out) : metric_(metric), out_(out) {}

    void text(std::string_view text, int lineNumber = 0) {
        std::string info(text);
        if (lineNumber > 0) {
            const std::string number = std::to_string(lineNumber);
            info.resize(levels::m5::kInfoWidth - number.size(), ' ');
            info += number;
        }
        write("TO", info, {});
    }

    void measurement(const std::string& point, bool timed, int lineNumber,
                     const std::array<std::optional<ValueField>, 3>& values, bool marked = false) {
        write("KD1", levels::m5::measurementInfo(point, "", timed ? clock_.next() : "", lineNumber),
              values, marked);
    }

    ValueField reading(ValueType type, double value) const {
        return {type, value, metric_ ? 5 : 4, unit()};
    }
    ValueField distance(ValueType type, double value) const {
        return {type, value, metric_ ? 3 : 2, unit()};
    }
    ValueField height(ValueType type, double value) const {
        return {type, value, metric_ ? 5 : 4, unit()};
    }
    std::uint32_t address() const { return address_; }

  private:
    std::string_view unit() const { return metric_ ? "m" : "ft"; }

    void write(std::string_view block, std::string_view info,
               const std::array<std::optional<ValueField>, 3>& values, bool marked = false) {
        out_ += levels::m5::composeLine(address_++, block, info, values, marked);
    }

    bool metric_;
    std::string& out_;
    std::uint32_t address_ = 1;
    Clock clock_;
};

class Generator {
  public:
    Generator(const LevelsShape& shape, const FaultRequest& faults)
        : shape_(shape), faults_(faults), dice_(shape.seed),
          scale_(shape.metric ? 1.0 : kFeetPerMetre),
          readingSd_(shape.readingSd.value_or(kDefaultReadingSd * scale_)) {}

    GeneratedLevels run() {
        if (shape_.lines < 1 || shape_.setups < 2)
            throw std::invalid_argument("a network needs a line of two setups at least");
        lines_ = planLines(shape_.lines, nodes_, dice_, shape_, scale_);
        for (const Node& node : nodes_) {
            add(node.name, node.height);
            if (node.benchmark) result_.benchmarks.push_back({node.name, rounded(node.height)});
        }
        wrongBenchmarkLine_ = wrongBenchmarkLine();
        const int perFile = shape_.linesPerFile > 0 ? shape_.linesPerFile : shape_.lines;
        for (int i = 0; i < shape_.lines; ++i) {
            if (i % perFile == 0) {
                result_.files.emplace_back();
                writer_.emplace(shape_.metric, result_.files.back());
                const std::string name =
                    shape_.name + (perFile < shape_.lines
                                       ? "-" + std::to_string(result_.files.size())
                                       : std::string());
                writer_->text(name + ".DAT");
            }
            line(i);
        }
        return std::move(result_);
    }

  private:
    double rounded(double value) const {
        const double places = shape_.metric ? 1e5 : 1e4;
        return std::round(value * places) / places;
    }

    void add(const std::string& point, double height) {
        if (!point.empty()) result_.truth.push_back({point, height});
    }

    double uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(dice_.between(0, 1000000)) / 1e6;
    }

    // The first line from the faults' line on that ends on a benchmark.
    int wrongBenchmarkLine() const {
        if (!faults_.wrongBenchmark) return -1;
        for (int i = std::max(0, faults_.line - 1); i < shape_.lines; ++i) {
            const LinePlan& line = lines_[static_cast<std::size_t>(i)];
            if (nodes_[line.to].benchmark && line.to != line.from) return i;
        }
        return -1;
    }

    bool faultAt(int line, int setup) const {
        return line + 1 == faults_.line && setup + 1 == faults_.setup;
    }

    void fault(const std::string& what) { result_.faults.push_back(what); }

    void line(int index) {
        const LinePlan& plan = lines_[static_cast<std::size_t>(index)];
        const int number = index + 1;
        const Node& from = nodes_[plan.from];
        const Node& to = nodes_[plan.to];
        std::string endName = to.name;
        if (index == wrongBenchmarkLine_) {
            for (const Node& node : nodes_)
                if (node.benchmark && node.name != to.name && node.name != from.name) {
                    endName = node.name;
                    break;
                }
            fault("line " + std::to_string(number) + " ends on " + to.name +
                  " but its file names " + endName);
        }
        const int each = levels::m5::readingsEachWay(plan.method);
        FileWriter& w = *writer_;
        w.text(std::string(levels::m5::kStartLine) + "         " +
                   std::string(levels::m5::methodName(plan.method)),
               number);
        // The height the crew types in: the benchmark's, or a junction's to the centimetre.
        const double typed = from.benchmark ? rounded(from.height)
                                            : std::round(from.height * 100) / 100;
        w.measurement(from.name, false, number,
                      {std::nullopt, std::nullopt, w.height(ValueType::Height, typed)});

        // True differences about the line's mean, summing to the nodes' difference.
        const int n = shape_.setups;
        std::vector<double> rises(static_cast<std::size_t>(n));
        double sum = 0;
        for (double& rise : rises) sum += rise = uniform(-kSetupWander, kSetupWander) * scale_;
        const double mean = (to.height - from.height - sum) / n;
        for (double& rise : rises) rise += mean;

        double trueHeight = from.height;
        double levelHeight = typed;  // the level's own, from its unrounded readings
        double sumRise = 0;
        double backSum = 0;
        double foreSum = 0;
        std::string back = from.name;
        const bool repeated = shape_.repeats > 0 && index % 3 == 1 &&
                              (index / 3) < shape_.repeats;
        for (int k = 0; k < n; ++k) {
            const double rise = rises[static_cast<std::size_t>(k)];
            const bool last = k + 1 == n;
            std::string fore = last ? endName
                               : (k + 1) % kUnnamedEvery == 0
                                   ? std::string()
                                   : "T" + std::to_string(number) + "-" + std::to_string(k + 1);
            const double low = std::max(kLowestReading * scale_, kLowestReading * scale_ + rise);
            const double high = std::min(kHighestReading * scale_, kHighestReading * scale_ + rise);
            const double staffBack = uniform(low, high);
            const double staffFore = staffBack - rise;
            const double sightBack = uniform(kShortestSight, kLongestSight) * scale_;
            double sightFore = sightBack + uniform(-kSightImbalance, kSightImbalance) * scale_;
            if (faults_.unbalanced && faultAt(index, k)) {
                sightFore = sightBack + kUnbalance * scale_;
                fault("line " + std::to_string(number) + " setup " + std::to_string(k + 1) +
                      ": foresight " + review::decimals(kUnbalance * scale_, 2) +
                      " longer than the backsight");
            }
            std::vector<double> backs;
            std::vector<double> fores;
            for (int r = 0; r < each; ++r) {
                backs.push_back(staffBack + dice_.normal(readingSd_));
                fores.push_back(staffFore + dice_.normal(readingSd_));
            }
            const bool offStaff = faults_.staff && faultAt(index, k);
            if (offStaff) fores.front() += *faults_.staff;
            const bool marked = faults_.errorMark && faultAt(index, k);
            if (marked)
                fault("line " + std::to_string(number) + " setup " + std::to_string(k + 1) +
                      " (Adr " + std::to_string(w.address()) + "): backsight marked e");
            // The order of the method; aBF and aBFFB turn it round every other setup.
            const auto readBack = [&](int r, bool mark) {
                w.measurement(back, true, number,
                              {w.reading(ValueType::BackReading, backs[static_cast<std::size_t>(r)]),
                               w.distance(ValueType::Distance, sightBack), std::nullopt},
                              mark);
            };
            const auto readFore = [&](int r) {
                if (repeated && k == 1 && r == 0) {
                    w.measurement(fore, true, number,
                                  {w.reading(ValueType::ForeReading,
                                             fores[0] + kRepeatedOff * scale_),
                                   w.distance(ValueType::Distance, sightFore), std::nullopt});
                    w.text(levels::m5::kMeasurementRepeated, number);
                }
                if (offStaff && r == 0)
                    fault("line " + std::to_string(number) + " setup " + std::to_string(k + 1) +
                          " (Adr " + std::to_string(w.address()) + "): foresight reading " +
                          (*faults_.staff >= 0 ? "+" : "") +
                          review::decimals(*faults_.staff, shape_.metric ? 5 : 4));
                w.measurement(fore, true, number,
                              {w.reading(ValueType::ForeReading, fores[static_cast<std::size_t>(r)]),
                               w.distance(ValueType::Distance, sightFore), std::nullopt});
            };
            if (each == 1) {
                readBack(0, marked);
                readFore(0);
            } else {
                readBack(0, marked);
                readFore(0);
                readFore(1);
                readBack(1, false);
            }
            double meanBack = 0;
            double meanFore = 0;
            for (int r = 0; r < each; ++r) {
                meanBack += backs[static_cast<std::size_t>(r)] / each;
                meanFore += fores[static_cast<std::size_t>(r)] / each;
            }
            const double instrument = levelHeight + meanBack;
            levelHeight += meanBack - meanFore;
            sumRise += meanBack - meanFore;
            backSum += sightBack;
            foreSum += sightFore;
            const double trueInstrument = trueHeight + staffBack;
            trueHeight += rise;
            w.measurement(fore, false, number,
                          {std::nullopt, std::nullopt, w.height(ValueType::Height, levelHeight)});
            if (!last) add(fore, trueHeight);
            if (k == n / 2) intermediate(number, trueInstrument, instrument);
            back = fore;
        }
        w.text(levels::m5::kEndLine, number);
        std::optional<ValueField> misclosure;
        for (const TrueHeight& benchmark : result_.benchmarks)
            if (benchmark.point == endName)
                misclosure = w.height(ValueType::Misclosure, levelHeight - benchmark.height);
        w.measurement(endName, false, number,
                      {w.height(ValueType::HeightSum, sumRise), misclosure,
                       w.height(ValueType::Height, levelHeight)});
        w.measurement(endName, false, number,
                      {w.distance(ValueType::BackDistances, backSum),
                       w.distance(ValueType::ForeDistances, foreSum),
                       w.height(ValueType::Height, levelHeight)});
    }

    void intermediate(int number, double trueInstrument, double levelInstrument) {
        for (int s = 0; s < shape_.intermediateSights; ++s) {
            const std::string point = "S" + std::to_string(number) + "-" + std::to_string(s + 1);
            const double staff = uniform(kLowestReading, kHighestReading) * scale_;
            const double read = staff + dice_.normal(readingSd_);
            const double sight = uniform(kShortestSight, kLongestSight) * scale_;
            FileWriter& w = *writer_;
            w.text(levels::m5::kIntermediateStart, number);
            w.measurement(point, true, number,
                          {w.reading(ValueType::IntermediateReading, read),
                           w.distance(ValueType::Distance, sight),
                           w.height(ValueType::Height, levelInstrument - read)});
            w.text(levels::m5::kIntermediateEnd, number);
            add(point, trueInstrument - staff);
        }
    }

    const LevelsShape& shape_;
    const FaultRequest& faults_;
    genjob::Dice dice_;
    double scale_;
    double readingSd_;
    std::vector<Node> nodes_;
    std::vector<LinePlan> lines_;
    int wrongBenchmarkLine_ = -1;
    std::optional<FileWriter> writer_;
    GeneratedLevels result_;
};

}  // namespace

GeneratedLevels generateLevels(const LevelsShape& shape, const FaultRequest& faults) {
    return Generator(shape, faults).run();
}

std::string heightLines(const std::vector<TrueHeight>& heights, bool metric) {
    std::string out;
    for (const TrueHeight& height : heights)
        out += height.point + ",,," + review::decimals(height.height, metric ? 5 : 4) + "\n";
    return out;
}

}  // namespace zendro::genlevels
