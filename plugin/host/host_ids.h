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
