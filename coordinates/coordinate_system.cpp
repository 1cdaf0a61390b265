#include "coordinates/coordinate_system.h"

#include <cctype>

#include "common/errors.h"
#include "common/program_module.h"
#include "common/text_forms.h"
#include "coordinates/projected_system.h"

namespace zendro::coordinates {
namespace {

std::string upperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string unitText(std::optional<LengthUnit> unit) {
    return unit ? std::string(unitName(*unit)) : "a unit other than feet or meters";
}

}  // namespace

// The system PROJ's module made; the module stays loaded with the program.
struct CoordinateSystem::State {
    std::unique_ptr<ProjectedSystem> system;
};

CoordinateSystem::CoordinateSystem(std::unique_ptr<State> state) : state_(std::move(state)) {}
CoordinateSystem::CoordinateSystem(CoordinateSystem&&) noexcept = default;
CoordinateSystem& CoordinateSystem::operator=(CoordinateSystem&&) noexcept = default;
CoordinateSystem::~CoordinateSystem() = default;

bool isEpsgCode(std::string_view code) {
    return code.size() > 5 && equalIgnoringCase(code.substr(0, 5), "EPSG:") &&
           code.find_first_not_of("0123456789", 5) == std::string_view::npos;
}

CoordinateSystem CoordinateSystem::fromCode(std::string_view code) {
    const std::string given = upperCase(code);
    if (!isEpsgCode(given)) throw ZendroError(given, "a coordinate system is given as EPSG:NNNN");
    const auto entry = reinterpret_cast<ProjectedSystemEntry>(programModuleEntry(
        ZENDRO_PROJ_MODULE_FROM_BIN, kProjectedSystemEntry, "the coordinate system module"));
    std::string error;
    auto state = std::make_unique<State>();
    state->system.reset(entry(given, error));
    if (!state->system) throw ZendroError(error);
    return CoordinateSystem(std::move(state));
}

const std::string& CoordinateSystem::code() const { return state_->system->code(); }
const std::string& CoordinateSystem::name() const { return state_->system->name(); }
std::optional<LengthUnit> CoordinateSystem::unit() const { return state_->system->unit(); }

GeographicPosition CoordinateSystem::toWgs84(double north, double east) const {
    GeographicPosition position;
    if (!state_->system->toWgs84(north, east, position.latitude, position.longitude))
        throw ZendroError(code(), "PROJ cannot transform the point at N " + std::to_string(north) +
                                      ", E " + std::to_string(east));
    return position;
}

void CoordinateSystem::checkJobUnit(LengthUnit jobUnit) const {
    if (unit() == jobUnit) return;
    throw ZendroError(code(), "the job is in " + std::string(unitName(jobUnit)) + " but " + name() +
                                  " is in " + unitText(unit()));
}

}  // namespace zendro::coordinates
