#include "headless/object_defaults.h"

#include "plugin/host/host_ids.h"

namespace headless {

namespace {
// The light type parameter: 0 is a point light.
constexpr int32_t kLightType = 90002;
} // namespace

void writeCameraAndLightDefaults(int32_t type, HostContainer& data) {
    if (type == HostType::kCamera) {
        // A 36 mm lens on 36 mm film, focused 2000 units ahead, film centred.
        data.setReal(HostCameraParam::kFocalLength, 36.0f);
        data.setReal(HostCameraParam::kFilmWidth, 36.0f);
        data.setReal(HostCameraParam::kFocusDistance, 2000.0f);
        data.setReal(HostCameraParam::kFilmOffsetX, 0.0f);
        data.setReal(HostCameraParam::kFilmOffsetY, 0.0f);
    } else if (type == HostType::kLight) {
        data.setVector(HostLightParam::kColour, Vector(1, 1, 1));
        data.setReal(HostLightParam::kBrightness, 1.0f);
        data.setInt(kLightType, 0);
    }
}

} // namespace headless
