// Planted blunders: each changes the one record it reports, by the amount
// asked, and the job is otherwise the one made without it.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "common/errors.h"
#include "conversion/observation.h"
#include "tools/genjob/blunders.h"
#include "tools/genjob/corridor_plan.h"
#include "tools/genjob/job_files.h"

namespace zendro::testing {
namespace {

using field_format::RecordKind;

struct BlunderCase {
    std::string what;
    double amount = 0;
    std::string record;
    std::string change;
    std::size_t line = 0;
};

std::vector<BlunderCase> readCases() {
    std::ifstream in(ZENDRO_BLUNDER_CASES);
    std::vector<BlunderCase> cases;
    std::string text;
    for (std::size_t line = 1; std::getline(in, text); ++line) {
        if (text.empty() || text.front() == '#') continue;
        std::istringstream fields(text);
        BlunderCase c;
        c.line = line;
        fields >> c.what >> c.amount >> c.record >> std::ws;
        std::getline(fields, c.change);
        cases.push_back(c);
    }
    return cases;
}

genjob::JobPlan corridorJob() {
    genjob::CorridorShape shape;
    shape.job.jobName = "HWY7";
    shape.job.points = 40;
    shape.job.seed = 5;
    return genjob::planCorridor(shape);
}

bool isTaped(const genjob::JobPlan& plan, std::uint16_t point) {
    for (const genjob::PlannedPoint& p : plan.points) {
        if (p.number == point) return p.description.starts_with("TAPE");
    }
    return false;
}

// The first record the case names.
std::optional<std::size_t> recordOf(const genjob::JobPlan& plan, const std::string& name) {
    if (name == "drawn") return std::nullopt;
    const std::map<std::string, RecordKind> kinds = {
        {"setup", RecordKind::Setup},         {"reference", RecordKind::Reference},
        {"backsight", RecordKind::Backsight}, {"traverse", RecordKind::Traverse},
        {"sideshot", RecordKind::Sideshot},   {"note", RecordKind::NoteMarker},
        {"taped", RecordKind::Sideshot}};
    for (std::size_t i = 0; i < plan.observations.size(); ++i) {
        const genjob::Observation& o = plan.observations[i];
        if (o.kind == kinds.at(name) && (name == "taped") == isTaped(plan, o.point)) return i;
    }
    throw std::logic_error("the job has no " + name + " record");
}

const char* kKindNames[] = {"", "setup on", "", "backsight to", "traverse to", "sideshot to"};

TEST(Blunders, EachChangesTheRecordItReportsByTheAmountAsked) {
    const genjob::JobPlan clean = corridorJob();
    const std::string cleanBytes = genjob::observationFileBytes(clean);
    const std::vector<Observation> before = decodeObservations(cleanBytes);
    const std::vector<BlunderCase> cases = readCases();
    ASSERT_EQ(cases.size(), 12u);
    for (const BlunderCase& c : cases) {
        SCOPED_TRACE("blunder_cases.txt line " + std::to_string(c.line));
        genjob::BlunderRequest request;
        request.seed = 5;
        request.record = recordOf(clean, c.record);
        if (c.what == "angle") request.angleSeconds = c.amount;
        if (c.what == "distance") request.distance = c.amount;
        if (c.what == "height") request.height = c.amount;
        genjob::JobPlan plan = clean;
        if (c.change == "refused") {
            EXPECT_THROW(genjob::plantBlunders(plan, request), ZendroError);
            continue;
        }
        const std::vector<genjob::PlantedBlunder> planted = genjob::plantBlunders(plan, request);
        ASSERT_EQ(planted.size(), 1u);
        const std::size_t index = planted[0].record;
        if (request.record) {
            EXPECT_EQ(index, *request.record);
        }
        const std::string bytes = genjob::observationFileBytes(plan);
        const std::vector<Observation> after = decodeObservations(bytes);
        ASSERT_EQ(bytes.size(), cleanBytes.size());
        constexpr std::size_t kSize = field_format::kObservationRecordSize;
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (i == index) continue;
            EXPECT_EQ(bytes.substr(i * kSize, kSize), cleanBytes.substr(i * kSize, kSize))
                << "record " << i << " changed";
        }
        const Observation& was = before[index];
        const Observation& is = after[index];
        EXPECT_EQ(planted[0].text, "blunder: record " + std::to_string(index) + " (" +
                                       kKindNames[static_cast<int>(was.recordKind)] + " point " +
                                       std::to_string(was.pointNumber) + "): " + c.change);
        const double angle = c.what == "angle" ? c.amount / 3600.0 : 0;
        const double turned = std::remainder(is.horizontalDegrees - was.horizontalDegrees, 360.0);
        EXPECT_NEAR(turned, angle, 1e-9);
        EXPECT_NEAR(is.distance - was.distance, c.what == "distance" ? c.amount : 0, 1e-9);
        EXPECT_NEAR(is.height - was.height, c.what == "height" ? c.amount : 0, 1e-9);
        EXPECT_EQ(is.zenithDegrees, was.zenithDegrees);
        EXPECT_EQ(is.pointNumber, was.pointNumber);
        EXPECT_EQ(is.recordKind, was.recordKind);
    }
}

// A record number past the end of the job is refused with the job's size.
TEST(Blunders, ARecordPastTheEndIsRefused) {
    genjob::JobPlan plan = corridorJob();
    genjob::BlunderRequest request;
    request.angleSeconds = 10;
    request.record = plan.observations.size();
    try {
        genjob::plantBlunders(plan, request);
        FAIL() << "no error";
    } catch (const ZendroError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "--blunder-record " + std::to_string(plan.observations.size()) +
                      ": the job has " + std::to_string(plan.observations.size()) + " records");
    }
}

}  // namespace
}  // namespace zendro::testing
