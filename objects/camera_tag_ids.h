// Parameter IDs and values of the camera tag. They are stored in users' documents: never
// renumber.
#pragma once

#include <cstdint>

constexpr int32_t CAMTAG_WHITE_BALANCE = 1917;
constexpr int32_t CAMTAG_AUTOFOCUS = 1925;
// Seconds.
constexpr int32_t CAMTAG_EXPOSURE_DURATION = 1926;
constexpr int32_t CAMTAG_FSTOP = 1927;
constexpr int32_t CAMTAG_FILM_ISO = 1942;
constexpr int32_t CAMTAG_EV_ADJUST = 1943;
constexpr int32_t CAMTAG_RESPONSE_FUNCTION = 1944;
constexpr int32_t CAMTAG_TONEMAPPING = 1945;
constexpr int32_t CAMTAG_SCALE = 1949;
constexpr int32_t CAMTAG_POST_SCALE = 1950;
constexpr int32_t CAMTAG_BURN = 1952;
constexpr int32_t CAMTAG_SUPER_SAMPLE_FACTOR = 1960;
constexpr int32_t CAMTAG_WATERMARK = 1961;
constexpr int32_t CAMTAG_DIFFRACTION = 1962;
constexpr int32_t CAMTAG_APERTURE_SHAPE = 1963;
constexpr int32_t CAMTAG_NUM_BLADES = 1967;
constexpr int32_t CAMTAG_BLADE_OFFSET = 1968;
constexpr int32_t CAMTAG_BLADE_CURVATURE_RADIUS = 1969;
constexpr int32_t CAMTAG_START_ANGLE = 1970;
constexpr int32_t CAMTAG_APERTURE_IMAGE = 1971;
constexpr int32_t CAMTAG_SPLAT_FILTER = 1977;
constexpr int32_t CAMTAG_DOWNSIZE_FILTER = 1978;
constexpr int32_t CAMTAG_OBSTACLE_MAP_ENABLE = 1979;
constexpr int32_t CAMTAG_OBSTACLE_MAP = 1980;
constexpr int32_t CAMTAG_SPLAT_RING = 1984;
constexpr int32_t CAMTAG_SPLAT_BLUR = 1985;
constexpr int32_t CAMTAG_DOWNSIZE_RING = 1986;
constexpr int32_t CAMTAG_DOWNSIZE_BLUR = 1987;
constexpr int32_t CAMTAG_RENDER_REGION = 1988;
// Render pixels.
constexpr int32_t CAMTAG_REGION_X1 = 1989;
constexpr int32_t CAMTAG_REGION_X2 = 1990;
constexpr int32_t CAMTAG_REGION_Y1 = 1991;
constexpr int32_t CAMTAG_REGION_Y2 = 1992;
constexpr int32_t CAMTAG_INFO_OVERLAY = 1994;

// Groups of the tag's description.
constexpr int32_t CAMTAG_CAMERA_RESPONSE_GROUP = 1941;
constexpr int32_t CAMTAG_SCALE_GROUP = 1951;
constexpr int32_t CAMTAG_GENERATED_GROUP = 1972;
constexpr int32_t CAMTAG_IMAGE_GROUP = 1973;
constexpr int32_t CAMTAG_REGION_GROUP = 1993;

// Values of CAMTAG_WHITE_BALANCE.
constexpr int32_t CAMTAG_WB_E = 1905;
constexpr int32_t CAMTAG_WB_D50 = 1906;
constexpr int32_t CAMTAG_WB_D55 = 1907;
constexpr int32_t CAMTAG_WB_D65 = 1908;
constexpr int32_t CAMTAG_WB_D75 = 1909;
constexpr int32_t CAMTAG_WB_A = 1910;
constexpr int32_t CAMTAG_WB_B = 1911;
constexpr int32_t CAMTAG_WB_C = 1912;
constexpr int32_t CAMTAG_WB_9300 = 1913;
constexpr int32_t CAMTAG_WB_F2 = 1914;
constexpr int32_t CAMTAG_WB_F7 = 1915;
constexpr int32_t CAMTAG_WB_F11 = 1916;

// Values of CAMTAG_FSTOP.
constexpr int32_t CAMTAG_F1 = 1928;
constexpr int32_t CAMTAG_F1_4 = 1929;
constexpr int32_t CAMTAG_F2 = 1930;
constexpr int32_t CAMTAG_F2_8 = 1931;
constexpr int32_t CAMTAG_F4 = 1932;
constexpr int32_t CAMTAG_F5_6 = 1933;
constexpr int32_t CAMTAG_F8 = 1934;
constexpr int32_t CAMTAG_F11 = 1935;
constexpr int32_t CAMTAG_F16 = 1936;
constexpr int32_t CAMTAG_F22 = 1937;
constexpr int32_t CAMTAG_F32 = 1938;
constexpr int32_t CAMTAG_F45 = 1939;
constexpr int32_t CAMTAG_F64 = 1940;

// Values of CAMTAG_TONEMAPPING.
constexpr int32_t CAMTAG_TM_LINEAR = 1946;
constexpr int32_t CAMTAG_TM_REINHARD = 1947;
constexpr int32_t CAMTAG_TM_CAMERA = 1948;

// Values of CAMTAG_DIFFRACTION.
constexpr int32_t CAMTAG_DIFFRACTION_NONE = 1981;
constexpr int32_t CAMTAG_DIFFRACTION_POST = 1982;
constexpr int32_t CAMTAG_DIFFRACTION_APERTURE = 1983;

// Values of CAMTAG_APERTURE_SHAPE.
constexpr int32_t CAMTAG_SHAPE_CIRCULAR = 1964;
constexpr int32_t CAMTAG_SHAPE_GENERATED = 1965;
constexpr int32_t CAMTAG_SHAPE_IMAGE = 1966;

// Values of CAMTAG_SPLAT_FILTER and CAMTAG_DOWNSIZE_FILTER.
constexpr int32_t CAMTAG_FILTER_MN_CUBIC = 1974;
constexpr int32_t CAMTAG_FILTER_BOX = 1975;
constexpr int32_t CAMTAG_FILTER_GAUSSIAN = 1976;
