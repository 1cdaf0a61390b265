#include "levels/level_network.h"

#include <cmath>
#include <deque>
#include <numeric>
#include <unordered_map>

#include "adjustment/sparse_least_squares.h"

namespace zendro::levels {
namespace {

using adjustment::DesignRow;

// A redundancy this small leaves nothing to check the observation by.
constexpr double kLeastRedundancy = 1e-9;
// Sights when no line recorded its lengths, for the weights alone.
constexpr double kNominalSetupMetres = 80;
constexpr double kMetresPerKilometre = 1000;
constexpr double kMillimetresPerMetre = 1000;

struct Node {
    std::string name;  // empty for a line's end without an id
    int unknown = -1;
    bool held = false;
    const Benchmark* benchmark = nullptr;
    std::optional<double> approximate;
    std::size_t parent = 0;  // union-find of the connected parts
};

// Where one point of a line sits in its section.
struct Position {
    std::string point;
    std::size_t section = 0;
    double rise = 0;      // from the section's start
    double fraction = 0;  // of the section's weight measure
};

class Network {
  public:
    Network(const std::vector<ReducedLine>& lines, const Benchmarks& benchmarks,
            const NetworkSettings& settings)
        : lines_(lines), benchmarks_(benchmarks), settings_(settings) {}

    NetworkResult run() {
        countPoints();
        perLengthVariance();
        for (std::size_t i = 0; i < lines_.size(); ++i) sectionsOf(i);
        if (result_.sections.empty()) return std::move(result_);
        result_.adjusted = true;
        datumAndUnknowns();
        approximate();
        solve();
        if (!result_.adjusted) return std::move(result_);
        heights();
        return std::move(result_);
    }

  private:
    static std::string pointAt(const ReducedLine& line, std::size_t k) {
        return k == 0 ? line.line->startPoint : line.rows[k - 1].forePoint;
    }

    void countPoints() {
        for (const ReducedLine& line : lines_)
            for (std::size_t k = 0; k <= line.rows.size(); ++k) {
                const std::string point = pointAt(line, k);
                if (!point.empty()) ++seen_[point];
            }
    }

    // The variance of one unit of length run once: twice that of the
    // double-run kilometre the level's accuracy is stated for.
    void perLengthVariance() {
        const double metres = metresPer(settings_.unit);
        const double sigmaKm = settings_.sigmaKm / kMillimetresPerMetre / metres;
        perLength_ = 2 * sigmaKm * sigmaKm / (kMetresPerKilometre / metres);
        double length = 0;
        std::size_t setups = 0;
        for (const ReducedLine& line : lines_) {
            length += line.length();
            setups += line.rows.size();
        }
        meanSetup_ = setups > 0 && length > 0 ? length / static_cast<double>(setups)
                                              : kNominalSetupMetres / metres;
    }

    bool isNode(const ReducedLine& line, std::size_t k) const {
        const std::string point = pointAt(line, k);
        if (k == 0 || k == line.rows.size()) return true;
        if (point.empty()) return false;
        return benchmarks_.contains(point) || seen_.at(point) > 1;
    }

    std::size_t nodeFor(const ReducedLine& line, std::size_t k) {
        std::string point = pointAt(line, k);
        std::string key = point;
        if (point.empty())  // a line's end without an id joins nothing
            key = "\x1f" + line.line->file + "\x1f" + std::to_string(line.line->number) + "\x1f" +
                  std::to_string(k) + "\x1f" + std::to_string(nodes_.size());
        const auto [found, added] = nodeOf_.emplace(key, nodes_.size());
        if (added) {
            Node node;
            node.name = point;
            node.parent = nodes_.size();
            if (const auto known = benchmarks_.find(point); known != benchmarks_.end()) {
                node.benchmark = &known->second;
                node.held = !known->second.sigma;
            }
            nodes_.push_back(std::move(node));
        }
        return found->second;
    }

    // Each line cut at its nodes into sections; each of its points placed
    // in its section by its share of the section's weight measure.
    void sectionsOf(std::size_t index) {
        const ReducedLine& line = lines_[index];
        std::vector<Position>& positions = positions_.emplace_back();
        if (line.rows.empty()) return;
        struct Pending {
            std::string point;
            double rise = 0;
            double measure = 0;
        };
        std::vector<Pending> pending{{pointAt(line, 0), 0, 0}};
        std::size_t from = nodeFor(line, 0);
        std::size_t firstRow = 0;
        double rise = 0;
        double length = 0;
        for (std::size_t k = 1; k <= line.rows.size(); ++k) {
            const BookRow& row = line.rows[k - 1];
            rise += row.difference;
            if (row.backDistance && row.foreDistance) length += *row.backDistance + *row.foreDistance;
            const std::size_t setups = k - firstRow;
            if (!isNode(line, k)) {
                pending.push_back({pointAt(line, k), rise, weightMeasure(length, setups)});
                continue;
            }
            const std::size_t to = nodeFor(line, k);
            Section section;
            section.from = nodes_[from].name;
            section.to = nodes_[to].name;
            section.line = &line;
            section.first = line.rows[firstRow].source;
            section.last = row.source;
            section.rise = rise;
            section.length = length;
            section.setups = setups;
            const double measure = weightMeasure(length, setups);
            section.sigma = std::sqrt(perLength_ * measure);
            for (const Pending& point : pending)
                positions.push_back({point.point, result_.sections.size(), point.rise,
                                     measure > 0 ? point.measure / measure : 0});
            ends_.push_back({from, to});
            unite(from, to);
            result_.sections.push_back(std::move(section));
            from = to;
            firstRow = k;
            rise = 0;
            length = 0;
            pending.assign(1, {pointAt(line, k), 0, 0});
        }
        // The line's last point ends its last section.
        positions.push_back({pointAt(line, line.rows.size()), result_.sections.size() - 1,
                             result_.sections.back().rise, 1});
    }

    double weightMeasure(double length, std::size_t setups) const {
        if (settings_.weighting == LevelWeighting::Setups || length <= 0)
            return static_cast<double>(setups) * meanSetup_;
        return length;
    }

    std::size_t root(std::size_t node) {
        while (nodes_[node].parent != node) node = nodes_[node].parent = nodes_[nodes_[node].parent].parent;
        return node;
    }
    void unite(std::size_t a, std::size_t b) { nodes_[root(a)].parent = root(b); }

    // A part of the network with no benchmark is held at its first line's
    // start height (from the file), so that it still adjusts in itself.
    void datumAndUnknowns() {
        std::unordered_map<std::size_t, bool> anchored;
        for (std::size_t i = 0; i < nodes_.size(); ++i)
            if (nodes_[i].benchmark != nullptr) anchored[root(i)] = true;
        for (std::size_t s = 0; s < ends_.size(); ++s) {
            const std::size_t start = ends_[s].first;
            const std::size_t part = root(start);
            if (anchored[part]) continue;
            anchored[part] = true;
            nodes_[start].held = true;
            nodes_[start].approximate = result_.sections[s].line->startHeight;
            result_.datum.push_back(nodes_[start].name);
        }
        for (Node& node : nodes_) {
            if (node.held) {
                if (node.benchmark != nullptr) node.approximate = node.benchmark->height;
                continue;
            }
            node.unknown = static_cast<int>(result_.unknowns++);
        }
    }

    // Heights to linearize at: carried along the sections from what is known.
    void approximate() {
        std::vector<std::vector<std::size_t>> touching(nodes_.size());
        for (std::size_t s = 0; s < ends_.size(); ++s) {
            touching[ends_[s].first].push_back(s);
            touching[ends_[s].second].push_back(s);
        }
        std::deque<std::size_t> queue;
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            if (!nodes_[i].approximate && nodes_[i].benchmark != nullptr)
                nodes_[i].approximate = nodes_[i].benchmark->height;
            if (nodes_[i].approximate) queue.push_back(i);
        }
        while (!queue.empty()) {
            const std::size_t node = queue.front();
            queue.pop_front();
            for (const std::size_t s : touching[node]) {
                const auto [from, to] = ends_[s];
                const double rise = result_.sections[s].rise;
                const std::size_t other = node == from ? to : from;
                if (nodes_[other].approximate) continue;
                nodes_[other].approximate = *nodes_[node].approximate + (node == from ? rise : -rise);
                queue.push_back(other);
            }
        }
    }

    void solve() {
        std::vector<DesignRow> rows;
        rows.reserve(result_.sections.size() + benchmarks_.size());
        for (std::size_t s = 0; s < result_.sections.size(); ++s) {
            const auto [from, to] = ends_[s];
            DesignRow row;
            row.add(nodes_[from].unknown, -1);
            row.add(nodes_[to].unknown, 1);
            row.misclosure = result_.sections[s].rise - (*nodes_[to].approximate - *nodes_[from].approximate);
            row.sigma = result_.sections[s].sigma;
            rows.push_back(row);
        }
        // Weighted benchmarks: their heights observed.
        for (Node& node : nodes_) {
            if (node.unknown < 0 || node.benchmark == nullptr) continue;
            Section section;
            section.to = node.name;
            section.rise = node.benchmark->height;
            section.sigma = *node.benchmark->sigma;
            result_.sections.push_back(section);
            ends_.push_back({nodeOf_.at(node.name), nodeOf_.at(node.name)});
            DesignRow row;
            row.add(node.unknown, 1);
            row.misclosure = node.benchmark->height - *node.approximate;
            row.sigma = section.sigma;
            rows.push_back(row);
        }
        std::vector<double> redundancy(rows.size(), 1.0);
        if (result_.unknowns > 0) {
            solver_ = std::make_unique<adjustment::SparseLeastSquares>(static_cast<int>(result_.unknowns));
            Eigen::VectorXd x;
            try {
                x = solver_->solve(rows);
            } catch (const adjustment::SingularUnknown&) {
                // Every part has a datum: only values beyond any level's get here.
                result_.adjusted = false;
                result_.failure = "the normal equations cannot be solved: look for a height or "
                                  "reading far out of range in the findings";
                return;
            }
            for (Node& node : nodes_)
                if (node.unknown >= 0) *node.approximate += x[node.unknown];
            redundancy = solver_->redundancies(rows);
        }
        result_.sumOfSquares = 0;
        for (std::size_t s = 0; s < result_.sections.size(); ++s) {
            Section& section = result_.sections[s];
            const auto [from, to] = ends_[s];
            const double adjusted = section.line == nullptr
                                        ? *nodes_[to].approximate
                                        : *nodes_[to].approximate - *nodes_[from].approximate;
            section.residual = adjusted - section.rise;
            section.redundancy = redundancy[s];
            result_.sumOfSquares += std::pow(section.residual / section.sigma, 2);
            if (section.redundancy > kLeastRedundancy)
                section.standardized =
                    section.residual / (section.sigma * std::sqrt(section.redundancy));
        }
        result_.degreesOfFreedom =
            static_cast<int>(result_.sections.size()) - static_cast<int>(result_.unknowns);
        if (result_.degreesOfFreedom > 0) {
            result_.varianceFactor = result_.sumOfSquares / result_.degreesOfFreedom;
            result_.bounds = adjustment::chiSquareBounds(result_.degreesOfFreedom);
            result_.testPassed = result_.sumOfSquares >= result_.bounds->lower &&
                                 result_.sumOfSquares <= result_.bounds->upper;
        }
        double worst = settings_.blunderLimit;
        for (std::size_t s = 0; s < result_.sections.size(); ++s) {
            const auto& w = result_.sections[s].standardized;
            if (w && std::abs(*w) > worst) {
                worst = std::abs(*w);
                result_.blunder = s;
            }
        }
    }

    double cofactor(std::size_t a, std::size_t b) const {
        if (nodes_[a].unknown < 0 || nodes_[b].unknown < 0) return 0;
        return solver_->cofactor(nodes_[a].unknown, nodes_[b].unknown);
    }

    // Every point in the order the lines reach it, once.
    void heights() {
        std::unordered_map<std::string, bool> listed;
        const auto add = [&](const std::string& point, double height, double variance,
                             HeightSource source) {
            if (point.empty() || listed[point]) return;
            listed[point] = true;
            result_.heights.push_back({point, height, std::sqrt(std::max(variance, 0.0)), source});
        };
        for (std::size_t l = 0; l < lines_.size(); ++l) {
            const ReducedLine& line = lines_[l];
            const std::vector<Position>& positions = positions_[l];
            for (std::size_t k = 0; k < positions.size(); ++k) {
                const Position& at = positions[k];
                const Section& section = result_.sections[at.section];
                const auto [a, b] = ends_[at.section];
                const double t = at.fraction;
                const double height = *nodes_[a].approximate + at.rise + t * section.residual;
                const double variance = (1 - t) * (1 - t) * cofactor(a, a) + t * t * cofactor(b, b) +
                                        2 * t * (1 - t) * cofactor(a, b) +
                                        section.sigma * section.sigma * t * (1 - t);
                add(at.point, height, variance, sourceOf(at.point, t, a, b));
                if (k >= line.rows.size()) continue;
                // The setup from this point: its intermediate sights.
                const BookRow& row = line.rows[k];
                for (const IntermediateRow& sight : line.intermediates) {
                    if (sight.setup != k) continue;
                    const double sights = row.backDistance.value_or(0) + sight.distance.value_or(0);
                    add(sight.point, height + row.back - sight.reading,
                        variance + perLength_ * sights, HeightSource::Intermediate);
                }
            }
        }
    }

    HeightSource sourceOf(const std::string& point, double t, std::size_t a, std::size_t b) const {
        const Node* node = t == 0 ? &nodes_[a] : t == 1 ? &nodes_[b] : nullptr;
        if (node == nullptr || node->name != point) return HeightSource::TurningPoint;
        if (node->benchmark != nullptr)
            return node->held ? HeightSource::HeldBenchmark : HeightSource::WeightedBenchmark;
        return node->held ? HeightSource::Datum : HeightSource::Adjusted;
    }

    const std::vector<ReducedLine>& lines_;
    const Benchmarks& benchmarks_;
    const NetworkSettings& settings_;
    std::unordered_map<std::string, std::size_t> seen_;
    std::unordered_map<std::string, std::size_t> nodeOf_;
    std::vector<Node> nodes_;
    std::vector<std::pair<std::size_t, std::size_t>> ends_;  // per section
    std::vector<std::vector<Position>> positions_;         // per line
    double perLength_ = 0;
    double meanSetup_ = 0;
    std::unique_ptr<adjustment::SparseLeastSquares> solver_;
    NetworkResult result_;
};

}  // namespace

NetworkResult adjustNetwork(const std::vector<ReducedLine>& lines, const Benchmarks& benchmarks,
                            const NetworkSettings& settings) {
    return Network(lines, benchmarks, settings).run();
}

}  // namespace zendro::levels
