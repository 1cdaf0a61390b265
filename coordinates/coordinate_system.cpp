#include "coordinates/coordinate_system.h"

#include <proj.h>

#include <cctype>
#include <cmath>

#include "common/errors.h"
#include "common/text_forms.h"

namespace zendro::coordinates {
namespace {

struct ContextDeleter {
    void operator()(PJ_CONTEXT* context) const { proj_context_destroy(context); }
};
struct ObjectDeleter {
    void operator()(PJ* object) const { proj_destroy(object); }
};
using Context = std::unique_ptr<PJ_CONTEXT, ContextDeleter>;
using Object = std::unique_ptr<PJ, ObjectDeleter>;

std::string upperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string lastError(PJ_CONTEXT* context) {
    const char* text = proj_context_errno_string(context, proj_context_errno(context));
    return text != nullptr ? text : "unknown PROJ error";
}

std::string unitText(std::optional<LengthUnit> unit) {
    return unit ? std::string(unitName(*unit)) : "a unit other than feet or meters";
}

}  // namespace

struct CoordinateSystem::State {
    Context context;
    Object toGeographic;  // east, north in; longitude, latitude out
    std::string code;
    std::string name;
    std::optional<LengthUnit> unit;  // none for another unit
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
    auto state = std::make_unique<State>();
    state->code = upperCase(code);
    const std::string& given = state->code;
    if (!isEpsgCode(given))
        throw ZendroError(given, "a coordinate system is given as EPSG:NNNN");

    state->context.reset(proj_context_create());
    PJ_CONTEXT* context = state->context.get();
    proj_log_level(context, PJ_LOG_NONE);
    const Object crs(proj_create(context, given.c_str()));
    if (!crs) throw ZendroError(given, "PROJ does not know this coordinate system");
    if (proj_get_type(crs.get()) != PJ_TYPE_PROJECTED_CRS)
        throw ZendroError(given, "not a projected coordinate system (northing and easting)");
    const char* name = proj_get_name(crs.get());
    state->name = name != nullptr ? name : given;

    const Object axes(proj_crs_get_coordinate_system(context, crs.get()));
    double metersPerUnit = 0;
    if (!axes || proj_cs_get_axis_info(context, axes.get(), 0, nullptr, nullptr, nullptr,
                                       &metersPerUnit, nullptr, nullptr, nullptr) == 0)
        throw ZendroError(given, "PROJ gives no unit for this coordinate system");
    state->unit = unitOfMetres(metersPerUnit);

    const Object transform(
        proj_create_crs_to_crs(context, given.c_str(), "EPSG:4326", nullptr));
    if (!transform) throw ZendroError(given, "no transformation to WGS 84: " + lastError(context));
    // Fix the axis order to east, north and longitude, latitude, whatever the
    // systems' own definitions say.
    state->toGeographic.reset(proj_normalize_for_visualization(context, transform.get()));
    if (!state->toGeographic)
        throw ZendroError(given, "no transformation to WGS 84: " + lastError(context));
    return CoordinateSystem(std::move(state));
}

const std::string& CoordinateSystem::code() const { return state_->code; }
const std::string& CoordinateSystem::name() const { return state_->name; }
std::optional<LengthUnit> CoordinateSystem::unit() const { return state_->unit; }

GeographicPosition CoordinateSystem::toWgs84(double north, double east) const {
    const PJ_COORD grid = proj_coord(east, north, 0, 0);
    const PJ_COORD geographic = proj_trans(state_->toGeographic.get(), PJ_FWD, grid);
    if (!std::isfinite(geographic.v[0]) || !std::isfinite(geographic.v[1]))
        throw ZendroError(state_->code, "PROJ cannot transform the point at N " +
                                            std::to_string(north) + ", E " + std::to_string(east));
    return {geographic.v[1], geographic.v[0]};
}

void CoordinateSystem::checkJobUnit(LengthUnit jobUnit) const {
    if (state_->unit == jobUnit) return;
    throw ZendroError(state_->code, "the job is in " + std::string(unitName(jobUnit)) + " but " +
                                        state_->name + " is in " + unitText(state_->unit));
}

}  // namespace zendro::coordinates
