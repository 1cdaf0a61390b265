// The module that knows coordinate systems through PROJ (see projected_system.h).

#include <proj.h>

#include <cmath>
#include <memory>
#include <string>
#include <type_traits>

#include "common/errors.h"
#include "coordinates/projected_system.h"

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

std::string lastError(PJ_CONTEXT* context) {
    const char* text = proj_context_errno_string(context, proj_context_errno(context));
    return text != nullptr ? text : "unknown PROJ error";
}

class ProjSystem final : public ProjectedSystem {
  public:
    explicit ProjSystem(const std::string& code) : code_(code) {
        context_.reset(proj_context_create());
        PJ_CONTEXT* context = context_.get();
        proj_log_level(context, PJ_LOG_NONE);
        const Object crs(proj_create(context, code_.c_str()));
        if (!crs) throw ZendroError(code_, "PROJ does not know this coordinate system");
        if (proj_get_type(crs.get()) != PJ_TYPE_PROJECTED_CRS)
            throw ZendroError(code_, "not a projected coordinate system (northing and easting)");
        const char* name = proj_get_name(crs.get());
        name_ = name != nullptr ? name : code_;

        const Object axes(proj_crs_get_coordinate_system(context, crs.get()));
        double metersPerUnit = 0;
        if (!axes || proj_cs_get_axis_info(context, axes.get(), 0, nullptr, nullptr, nullptr,
                                           &metersPerUnit, nullptr, nullptr, nullptr) == 0)
            throw ZendroError(code_, "PROJ gives no unit for this coordinate system");
        unit_ = unitOfMetres(metersPerUnit);

        const Object transform(
            proj_create_crs_to_crs(context, code_.c_str(), "EPSG:4326", nullptr));
        if (!transform)
            throw ZendroError(code_, "no transformation to WGS 84: " + lastError(context));
        // Fix the axis order to east, north and longitude, latitude, whatever the
        // systems' own definitions say.
        toGeographic_.reset(proj_normalize_for_visualization(context, transform.get()));
        if (!toGeographic_)
            throw ZendroError(code_, "no transformation to WGS 84: " + lastError(context));
    }

    const std::string& code() const override { return code_; }
    const std::string& name() const override { return name_; }
    std::optional<LengthUnit> unit() const override { return unit_; }

    bool toWgs84(double north, double east, double& latitude, double& longitude) const override {
        const PJ_COORD geographic =
            proj_trans(toGeographic_.get(), PJ_FWD, proj_coord(east, north, 0, 0));
        if (!std::isfinite(geographic.v[0]) || !std::isfinite(geographic.v[1])) return false;
        longitude = geographic.v[0];
        latitude = geographic.v[1];
        return true;
    }

  private:
    Context context_;
    Object toGeographic_;  // east, north in; longitude, latitude out
    std::string code_;
    std::string name_;
    std::optional<LengthUnit> unit_;
};

}  // namespace
}  // namespace zendro::coordinates

extern "C" __attribute__((visibility("default"))) zendro::coordinates::ProjectedSystem*
zendroProjectedSystem(const std::string& code, std::string& error) {
    static_assert(std::is_same_v<decltype(&zendroProjectedSystem),
                                 zendro::coordinates::ProjectedSystemEntry>);
    try {
        return new zendro::coordinates::ProjSystem(code);
    } catch (const std::exception& failure) {
        error = zendro::failureMessage(code, failure);
        return nullptr;
    }
}
