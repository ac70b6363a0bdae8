// Parameter IDs and values of the instance object. They are stored in users' documents: never
// renumber.
#pragma once

#include <cstdint>

constexpr int32_t INSTANCE_LINK = 10000;
constexpr int32_t INSTANCE_MANUAL_BOUNDS = 10001;
constexpr int32_t INSTANCE_BOUNDS_SIZE = 10003;
constexpr int32_t INSTANCE_BOUNDS_CENTER = 10004;
// Stored only; nothing reads it.
constexpr int32_t INSTANCE_FLAG_10005 = 10005;
constexpr int32_t INSTANCE_BOUNDS_GROUP = 10010;
constexpr int32_t INSTANCE_DISPLAY = 10011;

// Values of INSTANCE_DISPLAY.
constexpr int32_t INSTANCE_DISPLAY_BOXES = 10012;
constexpr int32_t INSTANCE_DISPLAY_EDGES = 10013;
constexpr int32_t INSTANCE_DISPLAY_EDGES_2 = 10014;
