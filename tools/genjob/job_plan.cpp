#include "tools/genjob/job_plan.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

#include "tools/genjob/dice.h"

namespace zendro::genjob {

namespace {

// Record kinds of the HVD file, by the short names the plan uses.
constexpr RecordKind kSetup = RecordKind::Setup;
constexpr RecordKind kReference = RecordKind::Reference;
constexpr RecordKind kBacksight = RecordKind::Backsight;
constexpr RecordKind kTraverse = RecordKind::Traverse;
constexpr RecordKind kSideshot = RecordKind::Sideshot;
constexpr RecordKind kNoteMarker = RecordKind::NoteMarker;
constexpr RecordKind kDeleted = RecordKind::Deleted;

constexpr std::int64_t kDegree = kTenthsPerDegree;
constexpr std::int64_t kMinute = 600;
constexpr std::int64_t kSecond = 10;
constexpr std::uint16_t kFirstSideshot = 1001;
constexpr std::uint16_t kLastPointNumber = 0x7FFF;  // description records stop at 32767
constexpr std::size_t kMaxStations = 200;
// The converter passes over the first five note markers of a job; the job's
// first four notes (RTX entries 1 to 4) go with them.
constexpr std::size_t kHeaderMarkers = 5;
constexpr std::array<const char*, 3> kHeaderNotes = {"CREW J SMITH R DIAZ", "WEATHER CLEAR 65F",
                                                     "INSTR SN 40123 PRISM -30"};

constexpr std::array<std::string_view, 9> kComments = {
    "ASPH",     "CONC",     "GRAVEL", "CRACKED", "EDGE OF ASPHALT PAVEMENT",
    "SEE NOTE", "CHK SHOT", "WORN",   "PATCHED"};
constexpr std::array<std::string_view, 10> kMiscCodes = {
    "TREE 12IN", "PP", "MH", "SIGN", "MB", "CB", "GUY", "FH", "IRON PIN FND", "HUB"};
constexpr std::array<std::string_view, 5> kTapedCodes = {"TAPE BC", "TAPE BC", "TAPE EP",
                                                         "TAPE TW,WALL FACE", "TAPE BC,CURB 6IN"};
constexpr std::array<std::string_view, 4> kStationCodes = {"CP PK NAIL,SET", "CP MAG NAIL",
                                                           "CP HUB & TACK", "CP REBAR CAP,SET"};
constexpr std::array<std::uint16_t, 7> kRodHeights = {500, 500, 500, 650, 650, 1000, 1250};

// The feature codes of the cross sections, one point at a time: the edge of
// pavement, the centerline and the shoulder run as chains ("+EP" first, "EP"
// between, "-EP" last), curve points carry "*", some edge points are also a
// flow line ("EP~FL"), and now and then a lone feature is picked up.
class FeatureStream {
  public:
    explicit FeatureStream(Dice& dice) : dice_(dice) {}

    // The next point's description. `pointsLeft` counts this point too; once it
    // is no more than the open chains, every open chain is ended.
    std::string next(std::size_t pointsLeft, bool secondFeatureAllowed) {
        const bool closing = pointsLeft <= openLines();
        for (;;) {
            if (lineIndex_ == lines_.size()) {
                lineIndex_ = 0;
                startCrossSection();
                if (!closing && dice_.percent(15)) return miscPoint();
            }
            Line& line = lines_[lineIndex_++];
            if (!line.open) {
                if (closing || !dice_.percent(65)) continue;
                line.open = true;
                line.left = static_cast<int>(dice_.between(2, 10));
                return decorate(line, "+", secondFeatureAllowed);
            }
            if (closing || line.left == 0) {
                line.open = false;
                return decorate(line, "-", secondFeatureAllowed);
            }
            --line.left;
            return decorate(line, "", secondFeatureAllowed);
        }
    }

    std::size_t openLines() const {
        return static_cast<std::size_t>(
            std::count_if(lines_.begin(), lines_.end(), [](const Line& l) { return l.open; }));
    }

  private:
    struct Line {
        std::string_view code;
        bool open = false;
        int left = 0;  // points still to come between here and the chain's end
    };

    void startCrossSection() {
        ++crossSections_;
        if (curveLeft_ > 0) {
            --curveLeft_;
        } else if (dice_.percent(12) || (!madeCurve_ && crossSections_ == 3)) {
            curveLeft_ = static_cast<int>(dice_.between(2, 5));
            madeCurve_ = true;
        }
    }

    std::string miscPoint() {
        std::string text(dice_.pick(kMiscCodes));
        if (dice_.percent(20)) (text += ',') += dice_.pick(kComments);
        return text;
    }

    std::string decorate(const Line& line, std::string_view marker, bool secondFeatureAllowed) {
        std::string text(marker);
        text += line.code;
        const bool curve = curveLeft_ > 0 && line.code != "SH";
        if (curve) text += '*';
        if (line.code == "EP" && secondFeatureAllowed) addFlowLine(line, marker, curve, text);
        if (dice_.percent(15) || (!madeComment_ && crossSections_ >= 2)) {
            madeComment_ = true;
            std::string comment = "," + std::string(dice_.pick(kComments));
            const auto tilde = text.find('~');
            if (tilde != std::string::npos && dice_.percent(50)) {
                text.insert(tilde, comment);  // the comment of the first feature
            } else {
                text += comment;
            }
        }
        return text;
    }

    // A flow line runs along part of an edge-of-pavement chain, as its second feature.
    void addFlowLine(const Line& edge, std::string_view edgeMarker, bool curve, std::string& text) {
        std::string_view flowMarker;
        if (flowOpen_) {
            if (edgeMarker == "-" || flowLeft_ == 0) {
                flowOpen_ = false;
                flowMarker = "-";
            } else {
                --flowLeft_;
            }
        } else if (edgeMarker != "-" && edge.left >= 3 &&
                   (dice_.percent(20) || (!madeTwoFeature_ && crossSections_ >= 2))) {
            flowOpen_ = true;
            madeTwoFeature_ = true;
            flowLeft_ = static_cast<int>(dice_.between(1, std::min(4, edge.left - 2)));
            flowMarker = "+";
        } else {
            return;
        }
        text += '~';
        text += flowMarker;
        text += "FL";
        if (curve) text += '*';
    }

    Dice& dice_;
    std::array<Line, 3> lines_ = {Line{"EP"}, Line{"CL"}, Line{"SH"}};
    std::size_t lineIndex_ = lines_.size();
    std::size_t crossSections_ = 0;
    int curveLeft_ = 0;
    bool flowOpen_ = false;
    int flowLeft_ = 0;
    bool madeCurve_ = false;
    bool madeComment_ = false;
    bool madeTwoFeature_ = false;
};

// One measured shot, angles in tenths of a second.
struct Shot {
    std::uint16_t point = 0;
    std::uint16_t heightHundredths = 0;
    std::int64_t horizontal = 0;
    std::int64_t zenith = 0;
    std::uint32_t distance = 0;  // ten-thousandths
    bool taped = false;          // measured with a tape, not the instrument
};

struct Setup {
    std::uint16_t station = 0;
    std::uint16_t instrumentHeight = 0;
    Shot backsight;
    std::vector<Shot> sideshots;
    bool hasForesight = false;
    Shot foresight;
};

class Planner {
  public:
    explicit Planner(const JobShape& shape) : shape_(shape), dice_(shape.seed), features_(dice_) {
        if (shape.points < kMinPoints) throw std::invalid_argument("a job needs 3 points or more");
        plan_.jobName = shape.jobName;
        points_ = std::min(shape.points, kMaxFeatureEntries);
        stations_ = std::clamp<std::size_t>(points_ / 15 + 2, kMinPoints, kMaxStations);
        stations_ = std::min(stations_, points_);
    }

    JobPlan run() {
        writeHeader();
        const std::size_t sideshots = points_ - stations_;
        const std::size_t setups = stations_ - 1;
        sideshotsLeft_ = sideshots;
        addPoint(1, "CP IRON PIN,FOUND");
        addPoint(2, "CP REBAR CAP,FOUND");
        for (std::size_t k = 0; k < setups; ++k) {
            const std::size_t share = sideshots / setups + (k < sideshots % setups ? 1 : 0);
            firstPass(static_cast<std::uint16_t>(k + 2), share, k + 1 < setups);
        }
        addNote(kNoteMarker, "END OF DAY, ALL CONTROL CHECKED, FILES DOWNLOADED AT OFFICE");
        repeatRounds();
        return std::move(plan_);
    }

  private:
    void writeHeader() { noteRecords_ = appendJobStart(plan_, shape_.jobName); }

    void firstPass(std::uint16_t station, std::size_t share, bool foresight) {
        Setup setup;
        setup.station = station;
        setup.instrumentHeight = static_cast<std::uint16_t>(dice_.between(480, 560));
        emitSetup(setup);

        const bool first = station == 2;
        if (first) {
            // Orient on the first control point by its known azimuth, then measure it.
            const std::int64_t azimuth = dice_.between(0, 359 * kDegree) / kSecond * kSecond;
            emit({kReference, 1, 500, packAngle(azimuth), 0, 0});
            setup.backsight = {1, 500, 0, nearLevel(kDegree), legDistance()};
        } else {
            const Setup& previous = setups_.back();
            setup.backsight = {static_cast<std::uint16_t>(station - 1),
                               previous.foresight.heightHundredths, dice_.between(0, 20),
                               180 * kDegree - previous.foresight.zenith + dice_.between(-50, 50),
                               jitter(previous.foresight.distance, 30)};
        }
        emitShot(kBacksight, setup.backsight);
        if (dice_.percent(30)) emitShot(kBacksight, reversed(setup.backsight));
        if (first) emit({RecordKind::Ignored8, station, 0, 0, 0, 0});
        addNote(kNoteMarker, "SETUP ON CP " + std::to_string(station) +
                                 " HI CHECKED TWICE, BS CP " +
                                 std::to_string(setup.backsight.point) + " DIST OK");

        plainRun_ = 0;
        for (std::size_t i = 0; i < share; ++i) {
            setup.sideshots.push_back(nextSideshot());
            if (first && i == 1 && !madeDeleted_) {
                // Shot on the wrong point: the crew deleted it and shot again.
                Shot wrong = setup.sideshots.back();
                wrong.horizontal += 7 * kMinute;
                emitShot(kDeleted, wrong);
                madeDeleted_ = true;
                addNote(kNoteMarker, "SHOT " + std::to_string(wrong.point) +
                                         " DELETED, PRISM ON WRONG POINT, RESHOT");
            }
            emitShot(kSideshot, setup.sideshots.back());
            if (lastWasTaped_) {
                addNote(kNoteMarker, "TAPED OFFSET TO " +
                                         plan_.points.back().description.substr(5) +
                                         ", 90 DEG FROM LAST TWO SHOTS");
            }
        }

        if (foresight) {
            setup.hasForesight = true;
            const auto next = static_cast<std::uint16_t>(station + 1);
            setup.foresight = {next, 500,
                               180 * kDegree + dice_.between(-25 * kDegree, 25 * kDegree),
                               nearLevel(kDegree), legDistance()};
            addPoint(next, std::string(dice_.pick(kStationCodes)));
            emitShot(kTraverse, setup.foresight);
            emitShot(kTraverse, reversed(setup.foresight));
        }
        setups_.push_back(std::move(setup));
    }

    // Every setup again, re-observing its shots, until the job has its records.
    void repeatRounds() {
        if (shape_.recordsPerPoint == 0 || setups_.empty()) return;
        const std::size_t target = points_ * shape_.recordsPerPoint;
        while (plan_.observations.size() < target) {
            for (const Setup& setup : setups_) {
                if (plan_.observations.size() >= target) return;
                emitSetup(setup);
                emitShot(kBacksight, vary(setup.backsight));
                for (const Shot& shot : setup.sideshots) emitShot(kSideshot, vary(shot));
                if (setup.hasForesight) {
                    emitShot(kTraverse, vary(setup.foresight));
                    emitShot(kTraverse, reversed(vary(setup.foresight)));
                }
            }
        }
    }

    Shot nextSideshot() {
        const std::size_t pointsLeft = sideshotsLeft_--;
        const std::uint16_t number = nextPointNumber();
        const bool roomForTape = pointsLeft > features_.openLines() + 1;
        if (plainRun_ >= 2 && roomForTape && (dice_.percent(8) || !madeTaped_)) {
            madeTaped_ = true;
            lastWasTaped_ = true;
            plainRun_ = 0;
            addPoint(number, std::string(dice_.pick(kTapedCodes)));
            // Taped square off the last shot: left, right, or straight back.
            const std::int64_t direction = dice_.percent(10) ? 0 : dice_.percent(50) ? 90 : 270;
            return {number,
                    0,
                    direction * kDegree,
                    90 * kDegree,
                    static_cast<std::uint32_t>(dice_.between(50, 800) * 100),
                    true};
        }
        lastWasTaped_ = false;
        // Room for a second feature only while every point still to come, traverse
        // stations included, fits too.
        const std::size_t pointsToCome = points_ - plan_.points.size();  // this one included
        const bool secondAllowed = entries_ + pointsToCome + 1 <= kMaxFeatureEntries;
        std::string description = features_.next(pointsLeft, secondAllowed);
        const bool plain = description.find('~') == std::string::npos;
        plainRun_ = plain ? plainRun_ + 1 : 0;
        addPoint(number, description);

        std::int64_t horizontal = dice_.between(0, 360 * kDegree - 1);
        if (dice_.percent(70)) horizontal = horizontal / kSecond * kSecond;  // whole seconds
        const std::int64_t farthest = dice_.percent(5) ? 600000 : 250000;    // in thousandths
        return {number, kRodHeights[static_cast<std::size_t>(dice_.between(0, 6))], horizontal,
                nearLevel(2 * kDegree + 30 * kMinute),
                static_cast<std::uint32_t>(dice_.between(2000, farthest) * 10)};
    }

    std::uint16_t nextPointNumber() {
        const std::uint16_t number = nextSideshot_;
        nextSideshot_ = nextSideshot_ == kLastPointNumber ? kFirstSideshot
                                                          : static_cast<std::uint16_t>(number + 1);
        return number;
    }

    // A direct-face zenith angle within `spread` of level.
    std::int64_t nearLevel(std::int64_t spread) {
        return 90 * kDegree + dice_.between(-spread, spread);
    }

    std::uint32_t legDistance() {
        return static_cast<std::uint32_t>(dice_.between(300000, 2500000) * 10);
    }

    std::uint32_t jitter(std::uint32_t distance, std::int64_t most) {
        return static_cast<std::uint32_t>(
            std::max<std::int64_t>(0, std::int64_t{distance} + dice_.between(-most, most)));
    }

    // The same shot on the instrument's reversed face.
    Shot reversed(const Shot& shot) {
        Shot r = shot;
        r.horizontal = shot.horizontal + 180 * kDegree + dice_.between(-30, 30);
        r.zenith = 360 * kDegree - shot.zenith + dice_.between(-30, 30);
        r.distance = jitter(shot.distance, 20);
        return r;
    }

    // The same shot measured again a little differently.
    Shot vary(const Shot& shot) {
        Shot v = shot;
        if (shot.taped) return v;
        v.horizontal += dice_.between(-30, 30);
        v.zenith += dice_.between(-30, 30);
        v.distance = jitter(shot.distance, 50);
        return v;
    }

    void emit(const Observation& observation) { plan_.observations.push_back(observation); }

    void emitShot(RecordKind kind, const Shot& shot) {
        emit({kind, shot.point, shot.heightHundredths, packAngle(shot.horizontal),
              packAngle(shot.zenith), shot.distance});
    }

    void emitSetup(const Setup& setup) {
        emit({kSetup, setup.station, setup.instrumentHeight, 0, 0, 0});
    }

    void addPoint(std::uint16_t number, std::string description) {
        entries_ += description.find('~') == std::string::npos ? 1u : 2u;
        plan_.points.push_back({number, std::move(description)});
    }

    // A note marker in the observations and its note in the notes file, while
    // the notes table has room.
    void addNote(RecordKind markerKind, std::string text) {
        const std::size_t records = blocksForText(text.size());
        if (noteRecords_ + records > kMaxNoteRecords) return;
        noteRecords_ += records;
        emit({markerKind, 0, 0, 0, 0, 0});
        plan_.notes.push_back(std::move(text));
    }

    const JobShape& shape_;
    Dice dice_;
    FeatureStream features_;
    JobPlan plan_;
    std::size_t points_ = 0;
    std::size_t stations_ = 0;
    std::size_t sideshotsLeft_ = 0;
    std::size_t entries_ = 0;
    std::size_t noteRecords_ = 0;
    std::size_t plainRun_ = 0;
    std::uint16_t nextSideshot_ = kFirstSideshot;
    std::vector<Setup> setups_;
    bool lastWasTaped_ = false;
    bool madeTaped_ = false;
    bool madeDeleted_ = false;
};

std::size_t countIf(const std::vector<PlannedPoint>& points, auto predicate) {
    return static_cast<std::size_t>(std::count_if(points.begin(), points.end(), predicate));
}

bool hasText(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

}  // namespace

std::size_t appendJobStart(JobPlan& plan, const std::string& jobName) {
    for (RecordKind kind :
         {RecordKind::DistanceUnit, RecordKind::AngleUnit, RecordKind::AzimuthSystem,
          RecordKind::AngleDirection, RecordKind::VerticalSystem}) {
        plan.observations.push_back({kind, 1, 0, 0, 0, 0});
    }
    // The collector's job-start stamp; the converter ignores it.
    plan.observations.push_back({RecordKind::Ignored7, 0, 0, packAngleParts(20, 3, 14, 0),
                                 packAngleParts(8, 15, 0, 0), 0});
    plan.notes.push_back(jobName + " TOPO");
    for (const char* text : kHeaderNotes) plan.notes.emplace_back(text);
    for (std::size_t i = 0; i < kHeaderMarkers; ++i)
        plan.observations.push_back({kNoteMarker, 0, 0, 0, 0, 0});
    return 1 + kHeaderNotes.size();
}

JobCounts JobPlan::counts() const {
    JobCounts c;
    c.twoFeature =
        countIf(points, [](const PlannedPoint& p) { return hasText(p.description, "~"); });
    c.featureEntries = points.size() + c.twoFeature;
    c.taped = countIf(points, [](const PlannedPoint& p) { return hasText(p.description, "TAPE"); });
    c.curvePoints =
        countIf(points, [](const PlannedPoint& p) { return hasText(p.description, "*"); });
    c.withComment =
        countIf(points, [](const PlannedPoint& p) { return hasText(p.description, ","); });
    for (const PlannedPoint& point : points) {
        std::string_view rest = point.description;
        for (;;) {
            const auto tilde = rest.find('~');
            const std::string_view feature = rest.substr(0, tilde);
            if (feature.starts_with('+')) ++c.chainStarts;
            if (feature.starts_with('-')) ++c.chainEnds;
            if (tilde == std::string_view::npos) break;
            rest.remove_prefix(tilde + 1);
        }
    }
    c.noteMarkers = static_cast<std::size_t>(
        std::count_if(observations.begin(), observations.end(),
                      [](const Observation& o) { return o.kind == kNoteMarker; }));
    for (const std::string& note : notes) c.noteRecords += blocksForText(note.size());
    return c;
}

JobPlan planJob(const JobShape& shape) { return Planner(shape).run(); }

}  // namespace zendro::genjob
