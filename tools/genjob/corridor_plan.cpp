#include "tools/genjob/corridor_plan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "tools/genjob/alignment.h"
#include "tools/genjob/dice.h"

namespace zendro::genjob {

namespace {

constexpr double kFeetPerMeter = 1.0 / 0.3048;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr std::uint16_t kFirstSideshot = 1001;
constexpr std::uint16_t kLastPointNumber = 0x7FFF;
constexpr std::size_t kMaxStations = 200;
constexpr std::size_t kPointsPerStation = 16;

// The lines of the cross section, left to right, at their offsets in feet.
struct CrossSectionLine {
    std::string_view code;
    double offsetFeet = 0;
};
constexpr std::array<CrossSectionLine, 7> kLines = {{{"FL", -32},
                                                     {"SH", -20},
                                                     {"EP", -12},
                                                     {"CL", 0},
                                                     {"EP", 12},
                                                     {"SH", 20},
                                                     {"FL", 32}}};

// What the crew notes on a point, by its feature.
constexpr std::array<std::string_view, 4> kEdgeComments = {"ASPH", "EDGE OF ASPHALT PAVEMENT",
                                                           "CRACKED", "PATCHED"};
constexpr std::array<std::string_view, 4> kCenterComments = {"PAINT", "WORN", "CRACKED",
                                                             "PATCHED"};
constexpr std::array<std::string_view, 4> kShoulderComments = {"GRAVEL", "ASPH", "WORN",
                                                               "GRAVEL"};
constexpr std::array<std::string_view, 4> kDitchComments = {"GRASS", "RIPRAP", "CONC",
                                                            "STANDING WATER"};
constexpr std::array<std::string_view, 4> kMiscComments = {"SEE NOTE", "LEANING", "CONC BASE",
                                                           "NO NUMBER"};
constexpr std::array<std::string_view, 8> kMiscCodes = {"TREE 12IN", "PP", "MH",  "SIGN",
                                                        "MB",        "CB", "GUY", "FH"};
// Taped off an edge of pavement run: the back of curb; off a shoulder run: the edge.
constexpr std::array<std::string_view, 3> kCurbTapes = {"TAPE BC", "TAPE BC", "TAPE BC,CURB 6IN"};
constexpr std::array<std::string_view, 1> kShoulderTapes = {"TAPE EP"};
constexpr std::array<std::string_view, 4> kStationCodes = {"CP PK NAIL,SET", "CP MAG NAIL",
                                                           "CP HUB & TACK", "CP REBAR CAP,SET"};
constexpr std::array<int, 7> kRodHeightsFeet = {500, 500, 500, 650, 650, 1000, 1250};  // hundredths

struct Station {
    std::uint16_t number = 0;
    double chainage = 0;
    TruePosition position;
};

// A shot point the next setup may check.
struct ShotPoint {
    std::uint16_t number = 0;
    TruePosition position;
};

double azimuthDegrees(const TruePosition& from, const TruePosition& to) {
    const double azimuth =
        std::atan2(to.east - from.east, to.north - from.north) / kRadiansPerDegree;
    return azimuth < 0 ? azimuth + 360.0 : azimuth;
}

class CorridorPlanner {
  public:
    explicit CorridorPlanner(const CorridorShape& shape)
        : shape_(shape),
          dice_(shape.job.seed),
          instrument_(shape.instrument, dice_),
          feetPerUnit_(shape.metric ? kFeetPerMeter : 1.0) {
        const InstrumentAccuracy& accuracy = shape.instrument;
        if (accuracy.angleSeconds < 0 || accuracy.zenithSeconds < 0 || accuracy.distanceConstant < 0 ||
            accuracy.distancePpm < 0) {
            throw std::invalid_argument("a standard deviation below 0");
        }
        if (shape.job.points < kMinPoints) {
            throw std::invalid_argument("a job needs 3 points or more");
        }
        plan_.jobName = shape.job.jobName;
        points_ = std::min(shape.job.points, kMaxFeatureEntries);
        stationCount_ = std::clamp<std::size_t>(points_ / kPointsPerStation + 2, kMinPoints,
                                                kMaxStations);
        stationCount_ = std::min(stationCount_, points_);
    }

    JobPlan run() {
        layOutStations();
        writeHeader();
        const std::size_t setups = stationCount_ - 1;
        const std::size_t sideshots = points_ - stationCount_;
        addPoint(1, "CP IRON PIN,FOUND", stations_[0].position);
        addPoint(2, "CP REBAR CAP,FOUND", stations_[1].position);
        for (std::size_t k = 0; k < setups; ++k) {
            const std::size_t share = sideshots / setups + (k < sideshots % setups ? 1 : 0);
            occupy(k, share);
        }
        addNote("END OF DAY, ALL CONTROL CHECKED, FILES DOWNLOADED AT OFFICE");
        return std::move(plan_);
    }

  private:
    double feet(double lengthFeet) const { return lengthFeet / feetPerUnit_; }
    // A height given in hundredths of a foot, as the job's unit stores it.
    std::uint16_t height(int hundredthsOfFoot) const {
        return static_cast<std::uint16_t>(std::lround(hundredthsOfFoot / feetPerUnit_));
    }

    // The control point behind the start, then a station every 300 to 600 feet
    // along the road, off its edges on alternate sides.
    void layOutStations() {
        std::vector<double> chainages = {-feet(static_cast<double>(dice_.between(300, 500))), 0};
        while (chainages.size() < stationCount_) {
            chainages.push_back(chainages.back() +
                                feet(static_cast<double>(dice_.between(300, 600))));
        }
        alignment_.emplace(dice_, chainages.back() + feet(400), feetPerUnit_);
        double side = dice_.percent(50) ? 1 : -1;
        for (std::size_t i = 0; i < chainages.size(); ++i) {
            const double offset = side * feet(static_cast<double>(dice_.between(40, 60)));
            stations_.push_back({static_cast<std::uint16_t>(i + 1), chainages[i],
                                 alignment_->at(chainages[i], offset)});
            side = -side;
        }
    }

    void writeHeader() { noteRecords_ = appendJobStart(plan_, shape_.job.jobName); }

    // Setup k stands on station k + 2 and backsights the station before it.
    void occupy(std::size_t k, std::size_t share) {
        const Station& here = stations_[k + 1];
        const Station& back = stations_[k];
        const bool first = k == 0;
        const bool last = k + 2 == stations_.size();
        const std::uint16_t instrumentHeight = height(static_cast<int>(dice_.between(480, 560)));
        const double hi = instrumentHeight / 100.0;
        emit({RecordKind::Setup, here.number, instrumentHeight, 0, 0, 0});

        const std::uint16_t backsightHeight = height(static_cast<int>(dice_.between(500, 560)));
        const Sighting backsight = sight(here.position, hi, back.position, backsightHeight / 100.0);
        // The crew sets the circle near zero on the backsight.
        circleZero_ = backsight.azimuthDegrees -
                      (first ? 0.0 : static_cast<double>(dice_.between(0, 20)) / kTenthsPerDegree);
        if (first) {
            const std::int64_t known = std::llround(backsight.azimuthDegrees * 3600.0) * 10;
            emit({RecordKind::Reference, back.number, backsightHeight, packAngle(known), 0, 0});
        }
        const bool bothFaces = first || dice_.percent(35);
        const FacePair backsightFaces = instrument_.bothFaces(backsight, circleZero_);
        emitReading(RecordKind::Backsight, back.number, backsightHeight, backsightFaces.direct);
        if (first) emit({RecordKind::Ignored8, here.number, 0, 0, 0, 0});
        addNote("SETUP ON CP " + std::to_string(here.number) + " HI CHECKED TWICE, BS CP " +
                std::to_string(back.number) + " DIST OK");

        checkShot(here, hi);
        const double behind = first ? feet(100) : (here.chainage - back.chainage) / 2;
        const double ahead = last ? feet(150) : (stations_[k + 2].chainage - here.chainage) / 2;
        std::vector<ShotPoint> shots;
        shootSection(here, hi, here.chainage - behind, here.chainage + ahead, share, first, shots);
        previousShots_ = std::move(shots);

        if (!last) {
            const Station& next = stations_[k + 2];
            const std::uint16_t targetHeight = height(static_cast<int>(dice_.between(500, 560)));
            addPoint(next.number, std::string(dice_.pick(kStationCodes)), next.position);
            const FacePair faces = instrument_.bothFaces(
                sight(here.position, hi, next.position, targetHeight / 100.0), circleZero_);
            emitReading(RecordKind::Traverse, next.number, targetHeight, faces.direct);
            emitReading(RecordKind::Traverse, next.number, targetHeight, faces.reversed);
        }
        // The round closes on the backsight's reversed face.
        if (bothFaces) {
            emitReading(RecordKind::Backsight, back.number, backsightHeight,
                        backsightFaces.reversed);
        }
    }

    // The previous setup's shot nearest this station, shot again.
    void checkShot(const Station& here, double hi) {
        if (previousShots_.empty()) return;
        const ShotPoint* nearest = &previousShots_.front();
        const auto distance = [&](const ShotPoint& shot) {
            return std::hypot(shot.position.north - here.position.north,
                              shot.position.east - here.position.east);
        };
        for (const ShotPoint& shot : previousShots_) {
            if (distance(shot) < distance(*nearest)) nearest = &shot;
        }
        const std::uint16_t rod = rodHeight();
        emitReading(RecordKind::Sideshot, nearest->number, rod,
                    instrument_.direct(sight(here.position, hi, nearest->position, rod / 100.0),
                                       circleZero_));
        addNote("CHK SHOT ON " + std::to_string(nearest->number) + " FROM CP " +
                std::to_string(here.number));
    }

    // `count` points between chainages `from` and `to`: runs of points along
    // some lines of the cross section, a taped point and a lone feature.
    void shootSection(const Station& here, double hi, double from, double to, std::size_t count,
                      bool first, std::vector<ShotPoint>& shots) {
        std::size_t misc = count >= 6 && dice_.percent(40) ? 1 : 0;
        bool tape = count >= 7 && (dice_.percent(25) || !madeTaped_);
        std::size_t onLines = count - misc - (tape ? 1 : 0);
        if (onLines < 2) {
            misc += onLines;
            onLines = 0;
            tape = false;
        }
        const std::size_t lines = std::clamp<std::size_t>(onLines / 3, 1, kLines.size());
        for (std::size_t i = 0; i < lines && onLines > 0; ++i) {
            const std::size_t size = onLines / lines + (i < onLines % lines ? 1 : 0);
            const CrossSectionLine& line = kLines[nextLine_];
            nextLine_ = (nextLine_ + 1) % kLines.size();
            const bool taping = tape && size >= 3 && (line.code == "EP" || line.code == "SH");
            if (taping) tape = false;
            shootLine(here, hi, line, from, to, size, taping, first && i == 0, shots);
        }
        if (tape) ++misc;  // no run to tape from: a lone feature instead
        for (std::size_t i = 0; i < misc; ++i) {
            const double chainage = from + (to - from) * static_cast<double>(dice_.between(5, 95)) / 100;
            const double offset = (dice_.percent(50) ? 1 : -1) *
                                  feet(static_cast<double>(dice_.between(36, 60)));
            std::string text(dice_.pick(kMiscCodes));
            if (dice_.percent(25)) (text += ',') += dice_.pick(kMiscComments);
            shoot(here, hi, nextPointNumber(), std::move(text), alignment_->at(chainage, offset),
                  std::nullopt, shots);
        }
    }

    // One chain along the road: "+EP" at its first point, "EP" between and
    // "-EP" at its last, walked back and forth on alternate lines.
    void shootLine(const Station& here, double hi, const CrossSectionLine& line, double from,
                   double to, std::size_t size, bool taping, bool withDeleted,
                   std::vector<ShotPoint>& shots) {
        const bool forward = (runs_++ % 2) == 0;
        const std::size_t pointsToCome = points_ - plan_.points.size();
        const bool flowLine = line.code == "EP" && line.offsetFeet > 0 && !taping && size >= 2 &&
                              entries_ + pointsToCome + size <= kMaxFeatureEntries &&
                              (dice_.percent(30) || !madeTwoFeature_);
        if (flowLine) madeTwoFeature_ = true;
        const double spacing = (to - from) / static_cast<double>(size);
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t along = forward ? i : size - 1 - i;
            const double jitter = spacing * static_cast<double>(dice_.between(-20, 20)) / 100.0;
            const double chainage = from + spacing * (static_cast<double>(along) + 0.5) + jitter;
            const double offset =
                feet(line.offsetFeet + static_cast<double>(dice_.between(-30, 30)) / 100.0);
            const std::string_view marker = i == 0 ? "+" : i + 1 == size ? "-" : "";
            const bool curve = alignment_->inCurve(chainage);
            std::string text = std::string(marker) + std::string(line.code) + (curve ? "*" : "");
            if (flowLine) text += "~" + std::string(marker) + "FL" + (curve ? "*" : "");
            if (dice_.percent(15) || !madeComment_) {
                madeComment_ = true;
                const std::string comment = "," + std::string(commentFor(line.code));
                const auto tilde = text.find('~');
                if (tilde != std::string::npos && dice_.percent(50)) {
                    text.insert(tilde, comment);
                } else {
                    text += comment;
                }
            }
            const TruePosition position = alignment_->at(chainage, offset);
            std::optional<std::int64_t> deletedError;
            if (withDeleted && i == 1) deletedError = 7 * 600;  // prism on the wrong point
            shoot(here, hi, nextPointNumber(), std::move(text), position, deletedError, shots);
            if (taping && i == 1) tapeFromLastTwo(line.code == "EP" ? dice_.pick(kCurbTapes)
                                                                    : dice_.pick(kShoulderTapes));
        }
    }

    void shoot(const Station& here, double hi, std::uint16_t number, std::string text,
               const TruePosition& position, std::optional<std::int64_t> deletedError,
               std::vector<ShotPoint>& shots) {
        const std::uint16_t rod = rodHeight();
        const Reading reading =
            instrument_.direct(sight(here.position, hi, position, rod / 100.0), circleZero_);
        if (deletedError) {
            Reading wrong = reading;
            wrong.horizontal += *deletedError;
            emitReading(RecordKind::Deleted, number, rod, wrong);
            addNote("SHOT " + std::to_string(number) + " DELETED, PRISM ON WRONG POINT, RESHOT");
        }
        addPoint(number, std::move(text), position);
        emitReading(RecordKind::Sideshot, number, rod, reading);
        shots.push_back({number, position});
    }

    // A point taped square off the last shot, measured from the two shots
    // before it as the converter places it: the last shot is the station, the
    // one before gives the zero direction, and the record's circle reading
    // says which way (0 for straight back, 270 for the left).
    std::string_view commentFor(std::string_view code) {
        if (code == "EP") return dice_.pick(kEdgeComments);
        if (code == "CL") return dice_.pick(kCenterComments);
        if (code == "SH") return dice_.pick(kShoulderComments);
        return dice_.pick(kDitchComments);
    }

    void tapeFromLastTwo(std::string_view code) {
        const TruePosition& station = plan_.truth[plan_.truth.size() - 1].position;
        const TruePosition& reference = plan_.truth[plan_.truth.size() - 2].position;
        const bool left = dice_.percent(85);
        const double turn = left ? 270.0 : 180.0;
        const auto distance = static_cast<std::uint32_t>(
            std::lround(static_cast<double>(dice_.between(100, 800)) / feetPerUnit_) * 100);
        const double azimuth = (azimuthDegrees(station, reference) + turn) * kRadiansPerDegree;
        const double length = distance / 10000.0;
        const TruePosition at{station.north + length * std::cos(azimuth),
                              station.east + length * std::sin(azimuth), station.elevation};
        const std::uint16_t number = nextPointNumber();
        const std::string text(code);
        madeTaped_ = true;
        addPoint(number, text, at);
        emit({RecordKind::Sideshot, number, 0, packAngle((left ? 270 : 0) * kTenthsPerDegree),
              packAngle(90 * kTenthsPerDegree), distance});
        addNote("TAPED OFFSET TO " + text.substr(5) + ", 90 DEG FROM LAST TWO SHOTS");
    }

    std::uint16_t rodHeight() {
        return height(kRodHeightsFeet[static_cast<std::size_t>(dice_.between(0, 6))]);
    }

    std::uint16_t nextPointNumber() {
        const std::uint16_t number = nextSideshot_;
        nextSideshot_ = nextSideshot_ == kLastPointNumber ? kFirstSideshot
                                                          : static_cast<std::uint16_t>(number + 1);
        return number;
    }

    void emit(const Observation& observation) { plan_.observations.push_back(observation); }

    void emitReading(RecordKind kind, std::uint16_t point, std::uint16_t targetHeight,
                     const Reading& reading) {
        emit({kind, point, targetHeight, packAngle(reading.horizontal), packAngle(reading.zenith),
              reading.distance});
    }

    void addPoint(std::uint16_t number, std::string description, const TruePosition& position) {
        entries_ += description.find('~') == std::string::npos ? 1u : 2u;
        plan_.points.push_back({number, std::move(description)});
        plan_.truth.push_back({number, position});
    }

    void addNote(std::string text) {
        const std::size_t records = blocksForText(text.size());
        if (noteRecords_ + records > kMaxNoteRecords) return;
        noteRecords_ += records;
        emit({RecordKind::NoteMarker, 0, 0, 0, 0, 0});
        plan_.notes.push_back(std::move(text));
    }

    const CorridorShape& shape_;
    Dice dice_;
    Instrument instrument_;
    double feetPerUnit_ = 1;
    std::optional<Alignment> alignment_;
    JobPlan plan_;
    std::size_t points_ = 0;
    std::size_t stationCount_ = 0;
    std::vector<Station> stations_;
    std::vector<ShotPoint> previousShots_;
    double circleZero_ = 0;  // the azimuth the current setup's circle reads 0 at
    std::size_t entries_ = 0;
    std::size_t noteRecords_ = 0;
    std::size_t nextLine_ = 0;
    std::size_t runs_ = 0;
    std::uint16_t nextSideshot_ = kFirstSideshot;
    bool madeTaped_ = false;
    bool madeTwoFeature_ = false;
    bool madeComment_ = false;
};

}  // namespace

JobPlan planCorridor(const CorridorShape& shape) { return CorridorPlanner(shape).run(); }

}  // namespace zendro::genjob
