// Geometry data of the host: UVW coordinates, polygon selections, and the parameter IDs of the
// host's geometry tags, primitives, generators and deformers. The IDs are the host's and stored in
// its documents.
#pragma once

#include "plugin/host/types.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// The texture coordinates of one polygon's four corners (u, v, w each; w is unused by the export).
struct HostUvw {
    Vector a, b, c, d;
    bool operator==(const HostUvw& o) const { return a == o.a && b == o.b && c == o.c && d == o.d; }
};

// A set of polygon indices, kept sorted, so that iterating it visits the polygons in range order.
class HostPolygonSelection {
public:
    void select(int32_t index) {
        const auto at = std::lower_bound(indices_.begin(), indices_.end(), index);
        if (at == indices_.end() || *at != index) {
            indices_.insert(at, index);
        }
    }
    void deselect(int32_t index) {
        const auto at = std::lower_bound(indices_.begin(), indices_.end(), index);
        if (at != indices_.end() && *at == index) {
            indices_.erase(at);
        }
    }
    bool isSelected(int32_t index) const {
        return std::binary_search(indices_.begin(), indices_.end(), index);
    }
    void clear() { indices_.clear(); }
    bool empty() const { return indices_.empty(); }
    int32_t count() const { return int32_t(indices_.size()); }
    // Ascending.
    const std::vector<int32_t>& indices() const { return indices_; }
    bool operator==(const HostPolygonSelection& o) const { return indices_ == o.indices_; }

private:
    std::vector<int32_t> indices_;
};

// Phong tag (5612): the smoothing of its object's normals.
namespace PhongTagParam {
// Bool: smooth only across edges whose faces meet at no more than the angle below.
constexpr int32_t kAngleLimit = 1000;
// Real, radians.
constexpr int32_t kAngle = 1001;
} // namespace PhongTagParam

// Texture tag (5616).
namespace TextureTagParam {
constexpr int32_t kOffsetU = 1000;
constexpr int32_t kOffsetV = 1001;
constexpr int32_t kLengthU = 1002;
constexpr int32_t kLengthV = 1003;
// Integer, one of TextureProjection.
constexpr int32_t kProjection = 1004;
// Text: the name of the polygon selection the tag is limited to; empty for the whole object.
constexpr int32_t kRestriction = 1006;
// Link to the material.
constexpr int32_t kMaterial = 1010;
} // namespace TextureTagParam

namespace TextureProjection {
constexpr int32_t kSpherical = 0;
constexpr int32_t kCylindrical = 1;
constexpr int32_t kFlat = 2;
constexpr int32_t kCubic = 3;
// The object's own UVW tag: the host generates nothing for it.
constexpr int32_t kUvw = 6;
} // namespace TextureProjection

// Polygon selection tag (5673): its selection set is the tag's data; its name is the node name.

// Primitives; their caches follow these parameters.
namespace CubeParam {
// Vector: edge lengths along x, y and z.
constexpr int32_t kSize = 1100;
} // namespace CubeParam

namespace SphereParam {
// Real.
constexpr int32_t kRadius = 1110;
// Integer: segments around the axis (at least 3); half as many from pole to pole.
constexpr int32_t kSegments = 1111;
} // namespace SphereParam

namespace PlaneParam {
constexpr int32_t kWidth = 1230;
constexpr int32_t kHeight = 1231;
constexpr int32_t kWidthSegments = 1232;
constexpr int32_t kHeightSegments = 1233;
// Integer, one of PlaneOrientation: the axis the plane's front faces.
constexpr int32_t kOrientation = 1300;
} // namespace PlaneParam

namespace PlaneOrientation {
constexpr int32_t kPlusX = 0;
constexpr int32_t kMinusX = 1;
constexpr int32_t kPlusY = 2;
constexpr int32_t kMinusY = 3;
constexpr int32_t kPlusZ = 4;
constexpr int32_t kMinusZ = 5;
} // namespace PlaneOrientation

// The subdivision generator: its cache is its first child's polygons, each split into quads
// (a quadrangle into four, a triangle into three) as often as the level says. The child becomes
// its input (state bit 512).
namespace SubdivisionGeneratorParam {
// Integer, 0 to 6.
constexpr int32_t kLevel = 1000;
} // namespace SubdivisionGeneratorParam

// The twist deformer: deforms its parent's polygons by turning every point about the parent's
// y axis by an angle proportional to its height.
namespace TwistDeformerParam {
// Real, radians per unit of height.
constexpr int32_t kAnglePerUnit = 1000;
} // namespace TwistDeformerParam

namespace HostType {
constexpr int32_t kSubdivisionGenerator = 5191;
constexpr int32_t kTwistDeformer = 5192;
} // namespace HostType

// Object copy flags.
namespace HostCopy {
// Without the caches; the copy is evaluated anew.
constexpr int32_t kNoCaches = 16;
// Keep the links between copied nodes pointing into the copy.
constexpr int32_t kTranslateLinks = 256;
} // namespace HostCopy

// Modeling commands.
namespace HostModeling {
// The object's current state (its caches, deformed) as a new editable polygon object.
constexpr int32_t kCurrentStateToObject = 230;
} // namespace HostModeling

// Undo record kinds.
enum class HostUndo { NewNode = 0, ChangeNode = 1, DeleteNode = 2 };
