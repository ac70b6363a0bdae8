// Type IDs and message codes of the host. They are the host's values, stored in its documents.
#pragma once

#include <cstdint>

namespace HostType {
constexpr int32_t kPolygonObject = 5100;
constexpr int32_t kLight = 5102;
constexpr int32_t kCamera = 5103;
constexpr int32_t kNull = 5140;
constexpr int32_t kCube = 5159;
constexpr int32_t kSphere = 5160;
constexpr int32_t kPlane = 5168;
constexpr int32_t kPhongTag = 5612;
constexpr int32_t kTextureTag = 5616;
constexpr int32_t kUvwTag = 5671;
constexpr int32_t kPolygonSelectionTag = 5673;
constexpr int32_t kStandardMaterial = 5703;
constexpr int32_t kBitmapShader = 5833;
constexpr int32_t kRenderData = 110304;
} // namespace HostType

namespace HostMessage {
// Sent to a document or node after its data changed.
constexpr int32_t kUpdate = 7;
// A button of a node's description was pressed; the data names the button's parameter ID.
constexpr int32_t kDescriptionCommand = 18;
// The host asks for the image of a bitmap button.
constexpr int32_t kBitmapButtonImage = 27;
} // namespace HostMessage

// --- Host types and parameters the scene writers read.
namespace HostType {
// The base type every shader is of; a link parameter that accepts only shaders names it.
constexpr int32_t kShaderBase = 5707;
} // namespace HostType

// Parameters of the camera object (reals).
namespace HostCameraParam {
// Focal length and film width in millimetres.
constexpr int32_t kFocalLength = 500;
constexpr int32_t kFilmWidth = 1006;
// In host units.
constexpr int32_t kFocusDistance = 1010;
// Film offsets as fractions of the film width and height.
constexpr int32_t kFilmOffsetX = 1118;
constexpr int32_t kFilmOffsetY = 1119;
} // namespace HostCameraParam

// Parameters of the light object.
namespace HostLightParam {
constexpr int32_t kColour = 90000;
constexpr int32_t kBrightness = 90001;
} // namespace HostLightParam

// Parameters of the bitmap shader (type 5833).
namespace HostShaderParam {
constexpr int32_t kBitmapFile = 1000;
} // namespace HostShaderParam

// The host's world preferences.
namespace HostPreference {
// The document unit: 1 km, 2 m, 3 cm, 4 mm; other values are other units.
constexpr int32_t kUnit = 10000;
} // namespace HostPreference
