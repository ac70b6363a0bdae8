#include "headless/primitives.h"

#include "plugin/host/host_ids.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace headless {

namespace {

constexpr Real kPi = 3.14159265358979f;

struct Mesh {
    std::vector<Vector> points;
    std::vector<HostPolygon> polygons;
    std::vector<HostUvw> uvw;
};

Vector polygonNormal(const std::vector<Vector>& pts, const HostPolygon& p) {
    if (p.isTriangle()) {
        return cross(pts[std::size_t(p.b)] - pts[std::size_t(p.a)],
                     pts[std::size_t(p.c)] - pts[std::size_t(p.a)]);
    }
    return cross(pts[std::size_t(p.c)] - pts[std::size_t(p.a)],
                 pts[std::size_t(p.d)] - pts[std::size_t(p.b)]);
}

// Reverses the polygon (and its UVW corners) when its front does not face `outward`.
void orient(Mesh& mesh, std::size_t i, const Vector& outward) {
    HostPolygon& p = mesh.polygons[i];
    if (dot(polygonNormal(mesh.points, p), outward) >= 0) {
        return;
    }
    HostUvw& t = mesh.uvw[i];
    if (p.isTriangle()) {
        std::swap(p.a, p.c);
        p.d = p.c;
        std::swap(t.a, t.c);
        t.d = t.c;
    } else {
        std::swap(p.b, p.d);
        std::swap(t.b, t.d);
    }
}

Vector centre(const Mesh& mesh, const HostPolygon& p) {
    const auto& q = mesh.points;
    const Vector sum = q[std::size_t(p.a)] + q[std::size_t(p.b)] + q[std::size_t(p.c)] +
                       (p.isTriangle() ? Vector() : q[std::size_t(p.d)]);
    return sum / (p.isTriangle() ? 3.0f : 4.0f);
}

Mesh cube(const Vector& size) {
    const Vector h = size * 0.5f;
    Mesh m;
    for (int i = 0; i < 8; ++i) {
        m.points.push_back({(i & 1) ? h.x : -h.x, (i & 2) ? h.y : -h.y, (i & 4) ? h.z : -h.z});
    }
    const HostPolygon faces[6] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1},
                                  {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
    const HostUvw square{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    for (const HostPolygon& f : faces) {
        m.polygons.push_back(f);
        m.uvw.push_back(square);
        orient(m, m.polygons.size() - 1, centre(m, f));
    }
    return m;
}

Mesh sphere(Real radius, int32_t segments) {
    const int32_t around = std::max(3, segments);
    const int32_t rings = std::max(2, around / 2);
    Mesh m;
    m.points.push_back({0, radius, 0});
    for (int32_t r = 1; r < rings; ++r) {
        const Real theta = kPi * Real(r) / Real(rings);
        for (int32_t s = 0; s < around; ++s) {
            const Real phi = 2.0f * kPi * Real(s) / Real(around);
            m.points.push_back({radius * std::sin(theta) * std::sin(phi), radius * std::cos(theta),
                                -radius * std::sin(theta) * std::cos(phi)});
        }
    }
    m.points.push_back({0, -radius, 0});
    const int32_t south = int32_t(m.points.size()) - 1;
    const auto ringPoint = [&](int32_t r, int32_t s) { return 1 + (r - 1) * around + s % around; };
    const auto uv = [&](int32_t r, int32_t s) {
        return Vector(Real(s) / Real(around), Real(r) / Real(rings), 0);
    };
    for (int32_t s = 0; s < around; ++s) {
        const int32_t c = ringPoint(1, s + 1);
        m.polygons.push_back({0, ringPoint(1, s), c, c});
        m.uvw.push_back({uv(0, s), uv(1, s), uv(1, s + 1), uv(1, s + 1)});
        for (int32_t r = 1; r + 1 < rings; ++r) {
            m.polygons.push_back({ringPoint(r, s), ringPoint(r + 1, s), ringPoint(r + 1, s + 1),
                                  ringPoint(r, s + 1)});
            m.uvw.push_back({uv(r, s), uv(r + 1, s), uv(r + 1, s + 1), uv(r, s + 1)});
        }
        const int32_t last = rings - 1;
        m.polygons.push_back(
            {ringPoint(last, s), south, ringPoint(last, s + 1), ringPoint(last, s + 1)});
        m.uvw.push_back({uv(last, s), uv(rings, s), uv(last, s + 1), uv(last, s + 1)});
    }
    for (std::size_t i = 0; i < m.polygons.size(); ++i) {
        orient(m, i, centre(m, m.polygons[i]));
    }
    return m;
}

Mesh plane(Real width, Real height, int32_t widthSegments, int32_t heightSegments,
           int32_t orientation) {
    const int32_t ws = std::max(1, widthSegments);
    const int32_t hs = std::max(1, heightSegments);
    Vector facing;
    switch (orientation) {
    case PlaneOrientation::kPlusX:
        facing = {1, 0, 0};
        break;
    case PlaneOrientation::kMinusX:
        facing = {-1, 0, 0};
        break;
    case PlaneOrientation::kMinusY:
        facing = {0, -1, 0};
        break;
    case PlaneOrientation::kPlusZ:
        facing = {0, 0, 1};
        break;
    case PlaneOrientation::kMinusZ:
        facing = {0, 0, -1};
        break;
    default:
        facing = {0, 1, 0};
        break;
    }
    // (s, t) runs over the plane's width and height; the two axes across the facing axis.
    const auto place = [&](Real s, Real t) -> Vector {
        if (facing.x != 0) {
            return {0, t, s};
        }
        if (facing.y != 0) {
            return {s, 0, t};
        }
        return {s, t, 0};
    };
    Mesh m;
    for (int32_t j = 0; j <= hs; ++j) {
        for (int32_t i = 0; i <= ws; ++i) {
            m.points.push_back(
                place(width * (Real(i) / Real(ws) - 0.5f), height * (Real(j) / Real(hs) - 0.5f)));
        }
    }
    const auto at = [&](int32_t i, int32_t j) { return j * (ws + 1) + i; };
    const auto uv = [&](int32_t i, int32_t j) {
        return Vector(Real(i) / Real(ws), 1.0f - Real(j) / Real(hs), 0);
    };
    for (int32_t j = 0; j < hs; ++j) {
        for (int32_t i = 0; i < ws; ++i) {
            m.polygons.push_back({at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)});
            m.uvw.push_back({uv(i, j), uv(i, j + 1), uv(i + 1, j + 1), uv(i + 1, j)});
            orient(m, m.polygons.size() - 1, facing);
        }
    }
    return m;
}

std::unique_ptr<HObject> toObject(Mesh mesh, const HObject& source) {
    auto object = std::make_unique<HObject>(HostType::kPolygonObject);
    object->setName(source.name());
    object->setPoints(std::move(mesh.points));
    object->setPolygons(std::move(mesh.polygons));
    auto uvwTag = std::make_unique<HTag>(HostType::kUvwTag);
    *uvwTag->uvwData() = std::move(mesh.uvw);
    HostTag* pred = object->insertTag(std::move(uvwTag), nullptr);
    if (const HostTag* phong = source.tag(HostType::kPhongTag, 0)) {
        object->insertTag(static_cast<const HTag*>(phong)->copyTag(), pred);
    }
    object->setDisplayColour(source.displayColour());
    return object;
}

uint64_t edgeKey(int32_t a, int32_t b) {
    const auto lo = uint32_t(std::min(a, b));
    const auto hi = uint32_t(std::max(a, b));
    return (uint64_t(lo) << 32) | hi;
}

// One subdivision step of points, polygons and the carried per-polygon data.
struct Step {
    std::vector<Vector> points;
    std::vector<HostPolygon> polygons;
    // For each new polygon, the old polygon it came from.
    std::vector<int32_t> origin;
    std::vector<HostUvw> uvw;
};

Step subdivideOnce(const std::vector<Vector>& points, const std::vector<HostPolygon>& polygons,
                   const std::vector<HostUvw>* uvw) {
    Step out;
    out.points = points;
    std::unordered_map<uint64_t, int32_t> midpoints;
    const auto valid = [&](int32_t i) { return i >= 0 && std::size_t(i) < points.size(); };
    const auto midpoint = [&](int32_t a, int32_t b) {
        const auto [it, isNew] = midpoints.emplace(edgeKey(a, b), int32_t(out.points.size()));
        if (isNew) {
            out.points.push_back((points[std::size_t(a)] + points[std::size_t(b)]) * 0.5f);
        }
        return it->second;
    };
    const auto mid = [](const Vector& a, const Vector& b) { return (a + b) * 0.5f; };
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        const HostPolygon& p = polygons[i];
        if (!valid(p.a) || !valid(p.b) || !valid(p.c) || !valid(p.d)) {
            continue;
        }
        const HostUvw t = uvw != nullptr && i < uvw->size() ? (*uvw)[i] : HostUvw();
        const int32_t face = int32_t(out.points.size());
        if (p.isTriangle()) {
            out.points.push_back(
                (points[std::size_t(p.a)] + points[std::size_t(p.b)] + points[std::size_t(p.c)]) /
                3.0f);
            const int32_t ab = midpoint(p.a, p.b), bc = midpoint(p.b, p.c), ca = midpoint(p.c, p.a);
            const Vector tf = (t.a + t.b + t.c) / 3.0f;
            out.polygons.push_back({p.a, ab, face, ca});
            out.uvw.push_back({t.a, mid(t.a, t.b), tf, mid(t.c, t.a)});
            out.polygons.push_back({ab, p.b, bc, face});
            out.uvw.push_back({mid(t.a, t.b), t.b, mid(t.b, t.c), tf});
            out.polygons.push_back({ca, face, bc, p.c});
            out.uvw.push_back({mid(t.c, t.a), tf, mid(t.b, t.c), t.c});
            out.origin.insert(out.origin.end(), 3, int32_t(i));
            continue;
        }
        out.points.push_back((points[std::size_t(p.a)] + points[std::size_t(p.b)] +
                              points[std::size_t(p.c)] + points[std::size_t(p.d)]) /
                             4.0f);
        const int32_t ab = midpoint(p.a, p.b), bc = midpoint(p.b, p.c), cd = midpoint(p.c, p.d),
                      da = midpoint(p.d, p.a);
        const Vector tf = (t.a + t.b + t.c + t.d) / 4.0f;
        out.polygons.push_back({p.a, ab, face, da});
        out.uvw.push_back({t.a, mid(t.a, t.b), tf, mid(t.d, t.a)});
        out.polygons.push_back({ab, p.b, bc, face});
        out.uvw.push_back({mid(t.a, t.b), t.b, mid(t.b, t.c), tf});
        out.polygons.push_back({face, bc, p.c, cd});
        out.uvw.push_back({tf, mid(t.b, t.c), t.c, mid(t.c, t.d)});
        out.polygons.push_back({da, face, cd, p.d});
        out.uvw.push_back({mid(t.d, t.a), tf, mid(t.c, t.d), t.d});
        out.origin.insert(out.origin.end(), 4, int32_t(i));
    }
    return out;
}

} // namespace

bool isPrimitive(int32_t type) {
    return type == HostType::kCube || type == HostType::kSphere || type == HostType::kPlane;
}

void writeInitialParameters(HObject& object) {
    HostContainer& d = object.data();
    switch (object.type()) {
    case HostType::kCube:
        d.setVector(CubeParam::kSize, {kDefaultCubeSize, kDefaultCubeSize, kDefaultCubeSize});
        break;
    case HostType::kSphere:
        d.setReal(SphereParam::kRadius, kDefaultSphereRadius);
        d.setInt(SphereParam::kSegments, kDefaultSphereSegments);
        break;
    case HostType::kPlane:
        d.setReal(PlaneParam::kWidth, kDefaultPlaneSize);
        d.setReal(PlaneParam::kHeight, kDefaultPlaneSize);
        d.setInt(PlaneParam::kWidthSegments, kDefaultPlaneSegments);
        d.setInt(PlaneParam::kHeightSegments, kDefaultPlaneSegments);
        d.setInt(PlaneParam::kOrientation, kDefaultPlaneOrientation);
        break;
    case HostType::kSubdivisionGenerator:
        d.setInt(SubdivisionGeneratorParam::kLevel, 1);
        break;
    case HostType::kTwistDeformer:
        d.setReal(TwistDeformerParam::kAnglePerUnit, 0.0f);
        break;
    default:
        break;
    }
}

std::unique_ptr<HObject> buildPrimitive(const HObject& primitive) {
    const HostContainer& d = primitive.data();
    switch (primitive.type()) {
    case HostType::kCube:
        return toObject(
            cube(d.getVector(CubeParam::kSize,
                             Vector(kDefaultCubeSize, kDefaultCubeSize, kDefaultCubeSize))),
            primitive);
    case HostType::kSphere:
        return toObject(sphere(d.getReal(SphereParam::kRadius, kDefaultSphereRadius),
                               d.getInt(SphereParam::kSegments, kDefaultSphereSegments)),
                        primitive);
    case HostType::kPlane:
        return toObject(plane(d.getReal(PlaneParam::kWidth, kDefaultPlaneSize),
                              d.getReal(PlaneParam::kHeight, kDefaultPlaneSize),
                              d.getInt(PlaneParam::kWidthSegments, kDefaultPlaneSegments),
                              d.getInt(PlaneParam::kHeightSegments, kDefaultPlaneSegments),
                              d.getInt(PlaneParam::kOrientation, kDefaultPlaneOrientation)),
                        primitive);
    default:
        return nullptr;
    }
}

std::unique_ptr<HObject> subdivide(const HObject& input, int32_t level) {
    const HostTag* uvwTag = input.tag(HostType::kUvwTag, 0);
    std::vector<HostUvw> uvw;
    if (uvwTag != nullptr) {
        uvw = *const_cast<HostTag*>(uvwTag)->uvwData();
    }
    std::vector<Vector> points = input.points();
    std::vector<HostPolygon> polygons = input.polygons();
    // origin[i]: the input polygon that polygon i comes from.
    std::vector<int32_t> origin(polygons.size());
    for (std::size_t i = 0; i < origin.size(); ++i) {
        origin[i] = int32_t(i);
    }
    for (int32_t l = 0; l < std::min(std::max(level, 0), kMaxSubdivisionLevel); ++l) {
        Step step = subdivideOnce(points, polygons, &uvw);
        for (int32_t& o : step.origin) {
            o = origin[std::size_t(o)];
        }
        points = std::move(step.points);
        polygons = std::move(step.polygons);
        origin = std::move(step.origin);
        uvw = std::move(step.uvw);
    }

    auto object = std::make_unique<HObject>(HostType::kPolygonObject);
    object->setName(input.name());
    object->setPoints(std::move(points));
    object->setPolygons(std::move(polygons));
    object->setDisplayColour(input.displayColour());
    HostTag* pred = nullptr;
    for (const auto& t : input.tags()) {
        std::unique_ptr<HTag> copy = static_cast<const HTag&>(*t).copyTag();
        if (HostPolygonSelection* selection = copy->polygonSelection()) {
            const HostPolygonSelection old = *selection;
            selection->clear();
            for (std::size_t i = 0; i < origin.size(); ++i) {
                if (old.isSelected(origin[i])) {
                    selection->select(int32_t(i));
                }
            }
        } else if (std::vector<HostUvw>* data = copy->uvwData()) {
            *data = uvw;
        }
        pred = object->insertTag(std::move(copy), pred);
    }
    return object;
}

void twist(std::vector<Vector>& points, Real anglePerUnit) {
    for (Vector& p : points) {
        const Real a = anglePerUnit * p.y;
        const Real c = std::cos(a), s = std::sin(a);
        p = {c * p.x + s * p.z, p.y, -s * p.x + c * p.z};
    }
}

} // namespace headless
