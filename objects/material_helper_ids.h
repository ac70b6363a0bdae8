// Parameter IDs and values of the material helper object. They are stored in users' documents:
// never renumber.
#pragma once

#include <cstdint>

constexpr int32_t MATHELPER_MATERIAL = 1001;
constexpr int32_t MATHELPER_TYPE = 1002;

// Values of MATHELPER_TYPE.
constexpr int32_t MATHELPER_TYPE_DIFFUSE = 1003;
constexpr int32_t MATHELPER_TYPE_PHONG = 1004;
constexpr int32_t MATHELPER_TYPE_SPECULAR = 1005;
constexpr int32_t MATHELPER_TYPE_GLOSSY_TRANSPARENT = 1006;
constexpr int32_t MATHELPER_TYPE_DIFFUSE_TRANSMITTER = 1023;
constexpr int32_t MATHELPER_TYPE_BLEND = 1030;
constexpr int32_t MATHELPER_TYPE_OREN_NAYAR = 1101;
constexpr int32_t MATHELPER_TYPE_INCLUDE = 1132;
