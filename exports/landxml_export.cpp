// LandXML 1.2: the points as CgPoints, each chain a PlanFeature holding the
// Chain of its point names, and the readings as a Survey of instrument setups,
// each with its check shots in ControlChecks. Angles are in decimal degrees.
// A position is written once, in its CgPoint: everything else refers to it by
// pntRef (a large job has hundreds of thousands of readings).
//
// Every reading in the Survey is one the instrument took, so a reader can
// rebuild each point from its setup: a taped offset's record holds the tape's
// distance and direction, not a polar shot, and is described beside the
// CgPoints instead (its station, reference, distance and direction); an
// orientation by angle alone is the setup's Backsight, not a reading.

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "common/run_observer.h"
#include "common/survey_geometry.h"
#include "common/version.h"
#include "conversion/header_clock.h"
#include "conversion/shot_rules.h"
#include "exports/format_writers.h"
#include "exports/number_text.h"
#include "exports/utf8_text.h"
#include "exports/xml_writer.h"

namespace zendro::exports {
namespace {

using field_format::RecordKind;

constexpr const char* kNamespace = "http://www.landxml.org/schema/LandXML-1.2";
constexpr std::size_t kNoSetup = static_cast<std::size_t>(-1);

// The readings taken from one setup record up to the next.
struct SetupReadings {
    std::size_t setupRecord = 0;
    std::vector<std::size_t> readings;
    // The orientation the setup's readings are reduced with: its last
    // backsight or reference record on the direct face, else on the reversed.
    std::optional<std::size_t> direct;
    std::optional<std::size_t> reversed;
    std::optional<std::size_t> orientation() const { return direct ? direct : reversed; }
};

bool isMeasured(RecordKind kind) {
    return kind == RecordKind::Backsight || kind == RecordKind::Traverse ||
           kind == RecordKind::Sideshot;
}

const char* purposeOf(RecordKind kind) {
    switch (kind) {
        case RecordKind::Backsight: return "backsight";
        case RecordKind::Traverse: return "traverse";
        default: return "sideshot";
    }
}

// Readings before the first setup have no station to hang on and are left
// out, as are the records of taped points.
std::vector<SetupReadings> setupsOf(const std::vector<Observation>& records,
                                    const JobMeaning& meaning) {
    std::vector<SetupReadings> setups;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const RecordKind kind = records[i].recordKind;
        if (kind == RecordKind::Setup) {
            setups.push_back({i, {}, std::nullopt, std::nullopt});
            continue;
        }
        if (setups.empty()) continue;
        SetupReadings& setup = setups.back();
        const bool orients = kind == RecordKind::Backsight || kind == RecordKind::Reference;
        if (orients) (records[i].isReversed() ? setup.reversed : setup.direct) = i;
        const PointMeaning* target = meaning.find(records[i].pointNumber);
        if (isMeasured(kind) && !(target != nullptr && target->taped)) setup.readings.push_back(i);
    }
    return setups;
}

// When the file is written: SOURCE_DATE_EPOCH's instant when it is set, as
// the conversion's headers take it (a bad value is the conversion's to warn
// about), else the local time.
HeaderDateTime writtenAt() {
    NullObserver quiet;
    return defaultHeaderClock(quiet)();
}

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

std::string setupId(std::size_t setupIndex) { return "setup" + std::to_string(setupIndex + 1); }

// "northing easting elevation".
std::string pointText(const ExportPoint& point) {
    return lengthText(point.north) + " " + lengthText(point.east) + " " +
           lengthText(point.elevation);
}

class LandXmlWriter {
  public:
    explicit LandXmlWriter(const ExportInput& input)
        : input_(input), contents_(input.contents), xml_(input.fileName, expectedBytes(input)) {
        for (std::size_t i = 0; i < contents_.points.size(); ++i)
            indexOfPoint_.emplace(contents_.points[i].number, i);
    }

    std::string write() {
        xml_.startElement("LandXML");
        xml_.attribute("xmlns", kNamespace);
        const HeaderDateTime now = writtenAt();
        xml_.attribute("date", std::to_string(now.year) + "-" + twoDigits(now.month) + "-" +
                                   twoDigits(now.day));
        xml_.attribute("time", twoDigits(now.hour) + ":" + twoDigits(now.minute) + ":" +
                                   twoDigits(now.second));
        xml_.attribute("version", "1.2");
        writeUnits();
        writeCoordinateSystem();
        const std::string summary = utf8Of(contents_.summary(input_.job.jobName));
        xml_.startElement("Project");
        xml_.attribute("name", utf8Of(input_.job.jobName));
        xml_.attribute("desc", summary);
        xml_.endElement();
        xml_.startElement("Application");
        xml_.attribute("name", "ZENDRO");
        xml_.attribute("version", kVersion);
        xml_.attribute("desc", summary);
        xml_.endElement();
        writePoints();
        writeChains();
        writeSurvey();
        return xml_.finish();
    }

  private:
    // Generous: room reserved and never written costs no memory.
    static std::size_t expectedBytes(const ExportInput& input) {
        const review::JobReview& review = *input.job.review;
        return 4096 + 256 * input.contents.points.size() + 256 * review.records.size() +
               384 * review.plan.checkShots.size();
    }

    void writeUnits() {
        xml_.startElement("Units");
        if (input_.job.options->metric()) {
            xml_.startElement("Metric");
            xml_.attribute("areaUnit", "squareMeter");
            xml_.attribute("linearUnit", "meter");
            xml_.attribute("volumeUnit", "cubicMeter");
            xml_.attribute("temperatureUnit", "celsius");
            xml_.attribute("pressureUnit", "milliBars");
            xml_.attribute("elevationUnit", "meter");
        } else {
            xml_.startElement("Imperial");
            xml_.attribute("areaUnit", "squareFoot");
            xml_.attribute("linearUnit", std::string(namesOf(input_.job.options->unit).landXml));
            xml_.attribute("volumeUnit", "cubicYard");
            xml_.attribute("temperatureUnit", "fahrenheit");
            xml_.attribute("pressureUnit", "inHG");
            xml_.attribute("elevationUnit", "feet");
        }
        xml_.attribute("angularUnit", "decimal degrees");
        xml_.attribute("directionUnit", "decimal degrees");
        xml_.endElement();
        xml_.endElement();
    }

    void writeCoordinateSystem() {
        const coordinates::CoordinateSystem* system = input_.job.system;
        if (system == nullptr) return;
        xml_.startElement("CoordinateSystem");
        const std::string& code = system->code();
        xml_.attribute("epsgCode", code.substr(code.find(':') + 1));
        xml_.attribute("name", system->name());
        xml_.endElement();
    }

    void writePoints() {
        xml_.startElement("CgPoints");
        xml_.attribute("name", utf8Of(input_.job.jobName));
        xml_.attribute("desc", utf8Of(contents_.summary(input_.job.jobName)));
        for (const ExportPoint& point : contents_.points) {
            xml_.startElement("CgPoint");
            xml_.attribute("name", point.name);
            if (!point.description.empty()) xml_.attribute("code", utf8Of(point.description));
            if (!point.comment.empty()) xml_.attribute("desc", utf8Of(point.comment));
            xml_.text(pointText(point));
            xml_.endElement();
        }
        writeTapedOffsets();
        writeLevelledHeights();
        xml_.endElement();
    }

    // The heights the job's level runs gave its points, each with its file:
    // the adjusted positions hold these points to them.
    void writeLevelledHeights() {
        const std::vector<coordinates::LevelledHeight>* levelled = input_.job.levelled;
        if (levelled == nullptr || levelled->empty()) return;
        xml_.startElement("Feature");
        xml_.attribute("name", "level run heights");
        for (const coordinates::LevelledHeight& height : *levelled) {
            xml_.startElement("Feature");
            xml_.attribute("name", std::to_string(height.number));
            xml_.attribute("code", "levelled");
            // To the level's own resolution: tenths of a millimetre are its point.
            const int places = isMetric(input_.job.options->unit) ? 5 : 4;
            writeProperty("height", fixedText(height.height, places));
            writeProperty("standardDeviation", fixedText(height.sd, places));
            writeProperty("source", height.kind);
            writeProperty("file", utf8Of(height.file));
            xml_.endElement();
        }
        xml_.endElement();
    }

    // How each taped point was placed, as the OBS file's taped block does: a
    // distance along a direction turned right from the reference point, from
    // the station point.
    void writeTapedOffsets() {
        bool any = false;
        for (const ExportPoint& point : contents_.points) {
            if (point.taped == nullptr || !point.taped->distance) continue;
            if (!any) {
                xml_.startElement("Feature");
                xml_.attribute("name", "taped offsets");
                any = true;
            }
            const TapedOffset& tape = *point.taped;
            xml_.startElement("Feature");
            xml_.attribute("name", point.name);
            xml_.attribute("code", "taped");
            if (tape.station) writeProperty("station", std::to_string(*tape.station));
            if (tape.reference) writeProperty("reference", std::to_string(*tape.reference));
            writeProperty("distance", lengthText(*tape.distance));
            writeProperty("directionRightOfReference", std::to_string(*tape.directionDegrees));
            xml_.endElement();
        }
        if (any) xml_.endElement();
    }

    void writeChains() {
        if (contents_.chains.empty()) return;  // PlanFeatures holds at least one
        xml_.startElement("PlanFeatures");
        xml_.attribute("name", "chains");
        std::string names;
        for (const ExportChain& chain : contents_.chains) {
            xml_.startElement("PlanFeature");
            xml_.attribute("name", utf8Of(chain.name));
            xml_.attribute("desc", utf8Of(chain.feature));
            xml_.startElement("CoordGeom");
            if (!chain.vertices.empty()) {
                names.clear();
                for (const std::size_t vertex : chain.vertices) {
                    if (!names.empty()) names += ' ';
                    names += contents_.points[vertex].name;  // a number: never a space
                }
                xml_.startElement("Chain");
                xml_.text(names);
                xml_.endElement();
            }
            xml_.endElement();
            xml_.endElement();
        }
        xml_.endElement();
    }

    const ExportPoint* positioned(std::int64_t number) const {
        const auto found = indexOfPoint_.find(number);
        return found == indexOfPoint_.end() ? nullptr : &contents_.points[found->second];
    }

    // A reference to the point's CgPoint, or the name alone of a point that
    // has no position.
    void writeSurveyPoint(const char* element, std::int64_t number) {
        xml_.startElement(element);
        xml_.attribute(positioned(number) != nullptr ? "pntRef" : "name", std::to_string(number));
        xml_.endElement();
    }

    // What the instrument read. The enclosing InstrumentSetup names the setup.
    void writeReadingAttributes(const Observation& reading, const char* purpose) {
        xml_.attribute("purpose", purpose);
        xml_.attribute("targetHeight", lengthText(reading.height));
        xml_.attribute("horizAngle", fixedText(reading.horizontalDegrees, kAngleDecimals));
        xml_.attribute("zenithAngle", fixedText(reading.zenithDegrees, kAngleDecimals));
        if (reading.distance != 0) xml_.attribute("slopeDistance", lengthText(reading.distance));
        xml_.attribute("directFace", reading.isReversed() ? "false" : "true");
    }

    void writeSetup(const SetupReadings& setup, const std::string& id,
                    const std::vector<const review::CheckShotMeasure*>& checks) {
        const std::vector<Observation>& records = input_.job.review->records;
        const Observation& station = records[setup.setupRecord];
        xml_.startElement("InstrumentSetup");
        xml_.attribute("id", id);
        xml_.attribute("stationName", std::to_string(station.pointNumber));
        xml_.attribute("instrumentHeight", lengthText(station.height));
        writeSurveyPoint("InstrumentPoint", station.pointNumber);
        if (const std::optional<std::size_t> orientation = setup.orientation()) {
            // The circle as read on the backsight, on the direct face; with
            // both points placed, the azimuth it stands for.
            const Observation& backsight = records[*orientation];
            xml_.startElement("Backsight");
            const ExportPoint* from = positioned(station.pointNumber);
            const ExportPoint* to = positioned(backsight.pointNumber);
            if (from != nullptr && to != nullptr && (from->north != to->north || from->east != to->east)) {
                xml_.attribute("azimuth",
                               fixedText(geometry::azimuthDegrees({from->north, from->east},
                                                                  {to->north, to->east}),
                                         kAngleDecimals));
            }
            xml_.attribute("targetHeight", lengthText(backsight.height));
            xml_.attribute("circle",
                           fixedText(shot_rules::reducedToDirectFace(backsight).horizontalDegrees,
                                     kAngleDecimals));
            writeSurveyPoint("BacksightPoint", backsight.pointNumber);
            xml_.endElement();
        }
        for (const std::size_t index : setup.readings) {
            const Observation& reading = records[index];
            xml_.startElement("RawObservation");
            writeReadingAttributes(reading, purposeOf(reading.recordKind));
            writeSurveyPoint("TargetPoint", reading.pointNumber);
            xml_.endElement();
        }
        writeControlChecks(checks);
        xml_.endElement();
    }

    // Each check shot of a setup: the point it rechecked and what it found
    // against the point's first position. Its reading is the setup's
    // RawObservation of that record, so its measurements are not repeated.
    void writeControlChecks(const std::vector<const review::CheckShotMeasure*>& checks) {
        if (checks.empty()) return;
        xml_.startElement("ControlChecks");
        for (const review::CheckShotMeasure* check : checks) {
            xml_.startElement("TestObservation");
            xml_.attribute("purpose", "check");
            writeSurveyPoint("TargetPoint", check->point);
            xml_.startElement("Feature");
            xml_.attribute("name", "check shot");
            writeProperty("firstRecord", std::to_string(check->firstRecord + 1));
            writeProperty("record", std::to_string(check->record + 1));
            writeProperty("horizontalDifference", lengthText(check->horizontal));
            writeProperty("elevationDifference", lengthText(check->elevation));
            xml_.endElement();
            xml_.endElement();
        }
        xml_.endElement();
    }

    void writeProperty(const char* label, const std::string& value) {
        xml_.startElement("Property");
        xml_.attribute("label", label);
        xml_.attribute("value", value);
        xml_.endElement();
    }

    // The check shots of each setup, in the order the review found them; a
    // check shot read before the first setup has no setup and is left out.
    std::vector<std::vector<const review::CheckShotMeasure*>> checksOfSetups(
        const std::vector<SetupReadings>& setups) const {
        const std::vector<Observation>& records = input_.job.review->records;
        std::vector<std::size_t> setupOfRecord(records.size(), kNoSetup);
        for (std::size_t i = 0; i < setups.size(); ++i) {
            for (const std::size_t reading : setups[i].readings) setupOfRecord[reading] = i;
        }
        std::vector<std::vector<const review::CheckShotMeasure*>> checks(setups.size());
        for (const review::CheckShotMeasure& check : input_.job.review->plan.checkShots) {
            if (check.record < records.size() && setupOfRecord[check.record] != kNoSetup)
                checks[setupOfRecord[check.record]].push_back(&check);
        }
        return checks;
    }

    void writeSurvey() {
        const std::vector<SetupReadings> setups =
            setupsOf(input_.job.review->records, input_.job.review->meaning);
        xml_.startElement("Survey");
        xml_.startElement("SurveyHeader");
        xml_.attribute("name", utf8Of(input_.job.jobName));
        xml_.attribute("desc", utf8Of(contents_.summary(input_.job.jobName)));
        xml_.endElement();
        const auto checks = checksOfSetups(setups);
        for (std::size_t i = 0; i < setups.size(); ++i) writeSetup(setups[i], setupId(i), checks[i]);
        xml_.endElement();
    }

    const ExportInput& input_;
    const ExportContents& contents_;
    XmlWriter xml_;
    std::unordered_map<std::int64_t, std::size_t> indexOfPoint_;
};

}  // namespace

std::string landXmlBytes(const ExportInput& input) { return LandXmlWriter(input).write(); }

}  // namespace zendro::exports
