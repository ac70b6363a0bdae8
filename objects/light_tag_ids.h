// Parameter IDs and values of the light tag. They are stored in users' documents: never
// renumber.
#pragma once

#include <cstdint>

constexpr int32_t LIGHTTAG_SPECTRUM = 1215;
constexpr int32_t LIGHTTAG_SPECTRUM_PEAK = 1216;
constexpr int32_t LIGHTTAG_SPECTRUM_RGB = 1217;
constexpr int32_t LIGHTTAG_SPECTRUM_BLACKBODY = 1218;
constexpr int32_t LIGHTTAG_SPECTRUM_UNIFORM = 1219;
constexpr int32_t LIGHTTAG_BLACKBODY_GROUP = 1220;
constexpr int32_t LIGHTTAG_RGB_GROUP = 1221;
constexpr int32_t LIGHTTAG_UNIFORM_GROUP = 1222;
constexpr int32_t LIGHTTAG_PEAK_GROUP = 1223;
constexpr int32_t LIGHTTAG_TEMPERATURE = 1224;
constexpr int32_t LIGHTTAG_GAIN = 1225;
constexpr int32_t LIGHTTAG_UNIFORM_VALUE = 1226;
constexpr int32_t LIGHTTAG_COLOUR = 1227;
constexpr int32_t LIGHTTAG_GAMMA = 1228;
constexpr int32_t LIGHTTAG_PEAK_MIN = 1231;
constexpr int32_t LIGHTTAG_PEAK_WIDTH = 1232;
constexpr int32_t LIGHTTAG_PEAK_VALUE = 1233;
constexpr int32_t LIGHTTAG_BASE_VALUE = 1234;
constexpr int32_t LIGHTTAG_MEASURE = 1300;
constexpr int32_t LIGHTTAG_MEASURE_VALUE = 1301;
constexpr int32_t LIGHTTAG_MEASURE_LUMINOUS_FLUX = 1302;
constexpr int32_t LIGHTTAG_MEASURE_LUMINOUS_INTENSITY = 1304;
constexpr int32_t LIGHTTAG_MEASURE_LUMINANCE = 1305;
constexpr int32_t LIGHTTAG_MEASURE_LUMINOUS_EMITTANCE = 1306;
constexpr int32_t LIGHTTAG_USE_IES = 1307;
constexpr int32_t LIGHTTAG_IES_FILE = 1308;
constexpr int32_t LIGHTTAG_PREVIEW = 1309;
constexpr int32_t LIGHTTAG_PREVIEW_IMAGE = 1310;
constexpr int32_t LIGHTTAG_PREVIEW_PATH = 1311;
constexpr int32_t LIGHTTAG_EMISSION_SCALE = 1312;
constexpr int32_t LIGHTTAG_LAYER = 1313;
