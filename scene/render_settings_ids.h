// Parameter IDs and values of the render-settings node. They are stored in users' documents:
// never renumber.
#pragma once

#include <cstdint>

constexpr int32_t RENDERSET_SUN_OBJECT = 1301;
constexpr int32_t RENDERSET_TURBIDITY = 1303;
constexpr int32_t RENDERSET_ADVANCED = 1319;
constexpr int32_t RENDERSET_MAX_DEPTH = 1330;
constexpr int32_t RENDERSET_MAX_NUM_CONSEC_REJECTIONS = 1331;
constexpr int32_t RENDERSET_HALT_TIME = 1332;
constexpr int32_t RENDERSET_SAVE_RAW_IMAGE = 1333;
constexpr int32_t RENDERSET_INTEGRATOR = 1334;
constexpr int32_t RENDERSET_CUSTOM_SCALE = 1340;
constexpr int32_t RENDERSET_LARGE_MUTATION_PROB = 1350;
constexpr int32_t RENDERSET_MAX_CHANGE = 1351;
constexpr int32_t RENDERSET_LOGGING = 1352;
// Seconds, stored as reals and written as whole numbers.
constexpr int32_t RENDERSET_DISPLAY_PERIOD = 1353;
constexpr int32_t RENDERSET_IMAGE_SAVE_PERIOD = 1354;
constexpr int32_t RENDERSET_SAVE_UNTONEMAPPED_EXR = 1355;
constexpr int32_t RENDERSET_SAVE_TONEMAPPED_EXR = 1356;
constexpr int32_t RENDERSET_NUM_THREADS = 1357;
constexpr int32_t RENDERSET_CACHE_TREES = 1358;
// Stored only; nothing reads it.
constexpr int32_t RENDERSET_UNUSED_1359 = 1359;
constexpr int32_t RENDERSET_HYBRID = 1361;
constexpr int32_t RENDERSET_BIH_TRI_THRESHOLD = 1362;
constexpr int32_t RENDERSET_ENVIRONMENT = 1368;
constexpr int32_t RENDERSET_EXTRA_ATMOSPHERIC = 1381;
constexpr int32_t RENDERSET_HALT_SAMPLES_PER_PIXEL = 1382;
constexpr int32_t RENDERSET_AUTO_THREADS = 1383;
// A link that accepts only material helper objects.
constexpr int32_t RENDERSET_BACKGROUND_HELPER = 1384;
constexpr int32_t RENDERSET_UNIT = 1386;
// Stored only; nothing reads it.
constexpr int32_t RENDERSET_UNUSED_1392 = 1392;

// Groups of the node's description.
constexpr int32_t RENDERSET_BACKGROUND_GROUP = 1366;
constexpr int32_t RENDERSET_SUN_SKY_GROUP = 1367;

// Values of RENDERSET_INTEGRATOR.
constexpr int32_t RENDERSET_INTEGRATOR_PT = 1335;
constexpr int32_t RENDERSET_INTEGRATOR_BIDIR = 1336;
constexpr int32_t RENDERSET_INTEGRATOR_MLT = 1337;
constexpr int32_t RENDERSET_INTEGRATOR_BIDIR_MLT = 1338;

// Values of RENDERSET_ENVIRONMENT.
constexpr int32_t RENDERSET_ENV_SUN_SKY = 1364;
constexpr int32_t RENDERSET_ENV_BACKGROUND_MATERIAL = 1365;
constexpr int32_t RENDERSET_ENV_NONE = 1379;

// Values of RENDERSET_UNIT: metres per host unit 1000, 1, 0.01, 0.001 or RENDERSET_CUSTOM_SCALE.
constexpr int32_t RENDERSET_UNIT_KM = 1387;
constexpr int32_t RENDERSET_UNIT_M = 1388;
constexpr int32_t RENDERSET_UNIT_CM = 1389;
constexpr int32_t RENDERSET_UNIT_MM = 1390;
constexpr int32_t RENDERSET_UNIT_CUSTOM = 1391;
