// Parameter IDs of the shader-language shader. They are stored in users' documents: never
// renumber.
#pragma once

#include <cstdint>

constexpr int32_t ZSL_TEXTURE_1 = 1400;
constexpr int32_t ZSL_TEXTURE_2 = 1401;
constexpr int32_t ZSL_TEXTURE_3 = 1402;
constexpr int32_t ZSL_CODE = 1405;
