// Plug-in IDs. They are stored in users' documents and registered with the host: never renumber.
#pragma once

#include <cstdint>

namespace PluginId {
constexpr int32_t kLightTag = 1020892;
constexpr int32_t kExitPortalTag = 1021223;
constexpr int32_t kCameraTag = 1022083;
constexpr int32_t kSubdivisionTag = 1022667;
constexpr int32_t kExportAndRun = 1021741;
constexpr int32_t kShowAbout = 1020894;
constexpr int32_t kConvertMaterials = 1021852;
constexpr int32_t kImportZvm = 1022469;
constexpr int32_t kQuickRender = 1023920;
constexpr int32_t kCreateInstances = 1023984;
constexpr int32_t kCreateMaterialHelper = 1024157;
constexpr int32_t kInstance = 1022273;
constexpr int32_t kMaterialGroup = 1023293;
constexpr int32_t kMaterialHelper = 1020893;
constexpr int32_t kRenderSettings = 1020896;
constexpr int32_t kMenuSpacer1 = 1022283;
constexpr int32_t kMenuSpacer2 = 1022284;
constexpr int32_t kZslShader = 1023863;
} // namespace PluginId
