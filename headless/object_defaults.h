// Initial parameter values of the host's own camera and light objects.
#pragma once

#include "plugin/host/container.h"

#include <cstdint>

namespace headless {

// Writes the initial values of a host object of `type` into `data`; other types are left alone.
void writeCameraAndLightDefaults(int32_t type, HostContainer& data);

} // namespace headless
