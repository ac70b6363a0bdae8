// The geometry of the headless host's parametric objects: the cube, sphere and plane primitives,
// the subdivision generator and the twist deformer (their parameters are in
// plugin/host/geometry.h).
#pragma once

#include "headless/nodes.h"

#include <memory>

namespace headless {

// Defaults of the primitives' parameters.
constexpr Real kDefaultCubeSize = 200;
constexpr Real kDefaultSphereRadius = 100;
constexpr int32_t kDefaultSphereSegments = 24;
constexpr Real kDefaultPlaneSize = 400;
constexpr int32_t kDefaultPlaneSegments = 20;
constexpr int32_t kDefaultPlaneOrientation = PlaneOrientation::kPlusY;
constexpr int32_t kMaxSubdivisionLevel = 6;

// True for the types whose cache buildPrimitive makes.
bool isPrimitive(int32_t type);

// Writes the parameters a new object of its type starts with (primitives, the subdivision
// generator, the twist deformer); other types are left alone.
void writeInitialParameters(HObject& object);

// The polygon object a primitive's parameters describe, centred on the primitive's origin, with a
// UVW tag of its own mapping, the primitive's Phong tag copied, and the primitive's name. The
// front faces point outward (the cross product of a polygon's diagonals). Null for other types.
std::unique_ptr<HObject> buildPrimitive(const HObject& primitive);

// `input` (a polygon object) with every polygon split into quads `level` times: a quadrangle into
// four through its edge midpoints and centre, a triangle into three. UVW and polygon selection
// tags are carried over to the new polygons; other tags are copied.
std::unique_ptr<HObject> subdivide(const HObject& input, int32_t level);

// Turns every point of `points` about the y axis by `anglePerUnit` times its height.
void twist(std::vector<Vector>& points, Real anglePerUnit);

} // namespace headless
