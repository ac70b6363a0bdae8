// Parameter IDs of the exit portal tag. They are stored in users' documents: never renumber.
#pragma once

#include <cstdint>

// Bool, on for a new tag: the tagged object is exported as an exit portal. Off: its mesh is
// still written, but it is placed neither as an exit portal nor as a model.
constexpr int32_t EXITPORTAL_ENABLED = 1100;
