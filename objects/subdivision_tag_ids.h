// Parameter IDs of the subdivision tag. They are stored in users' documents: never renumber.
// Each value goes into the tagged object's mesh element under the name given.
#pragma once

#include <cstdint>

// Integer, 3 for a new tag: max_num_subdivisions.
constexpr int32_t SUBDIV_MAX_SUBDIVISIONS = 1501;
// Real, not set on a new tag (reads 0): subdivide_pixel_threshold.
constexpr int32_t SUBDIV_PIXEL_THRESHOLD = 1502;
// Real, 0.1 for a new tag: subdivide_curvature_threshold.
constexpr int32_t SUBDIV_CURVATURE_THRESHOLD = 1503;
// Bool, not set on a new tag (reads off): subdivision_smoothing.
constexpr int32_t SUBDIV_SMOOTHING = 1504;
// Bool, not set on a new tag (reads off): view_dependent_subdivision.
constexpr int32_t SUBDIV_VIEW_DEPENDENT = 1505;
// Real, 0 for a new tag: displacement_error_threshold.
constexpr int32_t SUBDIV_DISPLACEMENT_ERROR_THRESHOLD = 1506;
// Bools, off for a new tag: wrap_u and wrap_v.
constexpr int32_t SUBDIV_WRAP_U = 1507;
constexpr int32_t SUBDIV_WRAP_V = 1508;
