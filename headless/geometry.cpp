// Geometry the headless host computes for its objects and tags: Phong normals that honour the
// smoothing angle, UVW coordinates of the texture projections, object copies and bounding boxes.
#include "headless/document.h"
#include "headless/nodes.h"
#include "plugin/host/host_ids.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace headless {

namespace {

constexpr Real kPi = 3.14159265358979f;

// The polygon's normal, with its area as length: the cross product of the diagonals for a
// quadrangle, of two edges for a triangle.
Vector faceNormal(const std::vector<Vector>& points, const HostPolygon& p) {
    const auto at = [&](int32_t i) {
        return i >= 0 && std::size_t(i) < points.size() ? points[std::size_t(i)] : Vector();
    };
    if (p.isTriangle()) {
        return cross(at(p.b) - at(p.a), at(p.c) - at(p.a)) * 0.5f;
    }
    return cross(at(p.c) - at(p.a), at(p.d) - at(p.b)) * 0.5f;
}

// Links in `data` to nodes that were copied now point at their copies.
void translateLinks(HostContainer& data, const std::unordered_map<uint64_t, uint64_t>& copied) {
    for (const auto& [id, value] : data.values()) {
        const HostLink* link = value.get<HostLink>();
        if (link == nullptr) {
            continue;
        }
        const auto it = copied.find(link->node);
        if (it != copied.end()) {
            data.set(id, HostValue(HostLink{it->second}));
        }
    }
}

void translateTreeLinks(HObject* first, const std::unordered_map<uint64_t, uint64_t>& copied) {
    forEachObject(first, [&](HostObject* o) {
        translateLinks(o->data(), copied);
        for (const auto& tag : static_cast<HObject*>(o)->tags()) {
            translateLinks(tag->data(), copied);
        }
    });
}

} // namespace

// --- Phong normals ---

std::vector<Vector> HObject::phongNormals() const {
    const HostTag* phong = tag(HostType::kPhongTag, 0);
    if (phong == nullptr) {
        return {};
    }
    const bool limited = phong->data().getBool(PhongTagParam::kAngleLimit, false);
    const Real angle = phong->data().getReal(PhongTagParam::kAngle, 0.0f);
    const Real cosLimit = std::cos(std::min(std::max(angle, 0.0f), kPi));

    const std::size_t n = polygons_.size();
    std::vector<Vector> faces(n);
    std::vector<Vector> units(n);
    for (std::size_t i = 0; i < n; ++i) {
        faces[i] = faceNormal(points_, polygons_[i]);
        units[i] = normalized(faces[i]);
    }

    // The polygons around each point, as one flat list (counting sort by point).
    const std::size_t pointCount = points_.size();
    std::vector<uint32_t> start(pointCount + 1, 0);
    const auto corners = [](const HostPolygon& p, int32_t out[4]) {
        out[0] = p.a;
        out[1] = p.b;
        out[2] = p.c;
        out[3] = p.d;
        return p.isTriangle() ? 3 : 4;
    };
    for (std::size_t i = 0; i < n; ++i) {
        int32_t c[4];
        const int k = corners(polygons_[i], c);
        for (int j = 0; j < k; ++j) {
            if (c[j] >= 0 && std::size_t(c[j]) < pointCount) {
                ++start[std::size_t(c[j]) + 1];
            }
        }
    }
    for (std::size_t i = 0; i < pointCount; ++i) {
        start[i + 1] += start[i];
    }
    std::vector<uint32_t> around(start[pointCount]);
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        int32_t c[4];
        const int k = corners(polygons_[i], c);
        for (int j = 0; j < k; ++j) {
            if (c[j] >= 0 && std::size_t(c[j]) < pointCount) {
                around[fill[std::size_t(c[j])]++] = uint32_t(i);
            }
        }
    }

    // Without a limit every corner of a point shares one normal; with one, a corner gathers only
    // the polygons around its point that face no further from its own polygon than the angle.
    std::vector<Vector> shared;
    if (!limited) {
        shared.resize(pointCount);
        for (std::size_t v = 0; v < pointCount; ++v) {
            Vector sum;
            for (uint32_t k = start[v]; k < start[v + 1]; ++k) {
                sum += faces[around[k]];
            }
            shared[v] = normalized(sum);
        }
    }
    std::vector<Vector> normals(n * 4);
    for (std::size_t i = 0; i < n; ++i) {
        int32_t c[4];
        const HostPolygon& p = polygons_[i];
        corners(p, c);
        c[3] = p.d;
        for (int j = 0; j < 4; ++j) {
            const int32_t v = c[j];
            if (v < 0 || std::size_t(v) >= pointCount) {
                normals[i * 4 + std::size_t(j)] = units[i];
                continue;
            }
            if (!limited) {
                normals[i * 4 + std::size_t(j)] = shared[std::size_t(v)];
                continue;
            }
            Vector sum;
            for (uint32_t k = start[std::size_t(v)]; k < start[std::size_t(v) + 1]; ++k) {
                const uint32_t other = around[k];
                if (other == i || dot(units[other], units[i]) >= cosLimit - 1e-6f) {
                    sum += faces[other];
                }
            }
            normals[i * 4 + std::size_t(j)] = normalized(sum);
        }
    }
    return normals;
}

// --- Copies and bounds ---

std::unique_ptr<HObject>
HObject::copyTree(std::vector<std::pair<uint64_t, uint64_t>>& copied) const {
    auto twin = std::make_unique<HObject>(type());
    if (!copyNodeTo(*twin)) {
        return nullptr;
    }
    for (uint32_t bit = 1; bit != 0; bit <<= 1) {
        if (hasBit(bit) && bit != HostBit::kGeneratorInput) {
            twin->setBit(bit, true);
        }
    }
    twin->local_ = local_;
    twin->renderVisibility_ = renderVisibility_;
    twin->editorVisibility_ = editorVisibility_;
    twin->enabled_ = enabled_;
    twin->points_ = points_;
    twin->polygons_ = polygons_;
    twin->setDisplayColour(displayColour());
    copied.emplace_back(uid(), twin->uid());
    HostTag* pred = nullptr;
    for (const auto& t : tags_) {
        std::unique_ptr<HTag> tagCopy = static_cast<const HTag&>(*t).copyTag();
        if (!tagCopy) {
            return nullptr;
        }
        copied.emplace_back(t->uid(), tagCopy->uid());
        pred = twin->insertTag(std::move(tagCopy), pred);
    }
    HObject* last = nullptr;
    for (HObject* child = children_.first; child != nullptr; child = child->next_) {
        std::unique_ptr<HObject> childCopy = child->copyTree(copied);
        if (!childCopy) {
            return nullptr;
        }
        last = twin->insertChild(std::move(childCopy), last);
    }
    return twin;
}

std::unique_ptr<HostObject> HObject::copy(int32_t flags) const {
    // Caches are never copied: evaluation builds them for the copy.
    std::vector<std::pair<uint64_t, uint64_t>> copied;
    std::unique_ptr<HObject> twin = copyTree(copied);
    if (!twin) {
        return nullptr;
    }
    if ((flags & HostCopy::kTranslateLinks) != 0) {
        const std::unordered_map<uint64_t, uint64_t> map(copied.begin(), copied.end());
        translateTreeLinks(twin.get(), map);
    }
    return twin;
}

void HObject::dimension(Vector& center, Vector& radius) const {
    // The current state: the deformed or generated geometry when there is one.
    const HObject* source = this;
    if (deformCache_.first != nullptr) {
        source = deformCache_.first;
    } else if (cache_.first != nullptr) {
        source = cache_.first->deformCache_.first ? cache_.first->deformCache_.first : cache_.first;
    }
    if (source->points_.empty()) {
        center = Vector();
        radius = Vector();
        return;
    }
    constexpr Real big = std::numeric_limits<Real>::max();
    Vector lo(big, big, big);
    Vector hi(-big, -big, -big);
    // Points of a cache are in its own coordinates, which sit at its local matrix.
    const HostMatrix m = source == this ? HostMatrix() : source->local_;
    for (const Vector& raw : source->points_) {
        const Vector p = m.transformPoint(raw);
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    center = (lo + hi) * 0.5f;
    radius = (hi - lo) * 0.5f;
}

// --- Tags ---

std::vector<HostUvw>* HTag::uvwData() {
    return type() == HostType::kUvwTag ? &uvw_ : nullptr;
}

HostPolygonSelection* HTag::polygonSelection() {
    return type() == HostType::kPolygonSelectionTag ? &selection_ : nullptr;
}

std::unique_ptr<HTag> HTag::copyTag() const {
    auto twin = std::make_unique<HTag>(type());
    if (!copyNodeTo(*twin)) {
        return nullptr;
    }
    twin->uvw_ = uvw_;
    twin->selection_ = selection_;
    return twin;
}

namespace {

struct Box {
    Vector lo, hi;
    Vector size() const {
        const Vector s = hi - lo;
        // A flat box still maps: its thin side counts as one unit.
        return {s.x > 0 ? s.x : 1.0f, s.y > 0 ? s.y : 1.0f, s.z > 0 ? s.z : 1.0f};
    }
};

// The angle around the y axis as u in [0, 1): 0 on the -z side, growing towards +x.
Real aroundY(const Vector& p) {
    const Real u = std::atan2(p.x, -p.z) / (2.0f * kPi);
    return u < 0 ? u + 1.0f : u;
}

Vector projectSpherical(const Vector& p, const Box&) {
    const Real l = length(p);
    const Real latitude = l > 0 ? std::asin(std::max(-1.0f, std::min(1.0f, p.y / l))) : 0.0f;
    return {aroundY(p), 0.5f - latitude / kPi, 0.0f};
}

Vector projectCylindrical(const Vector& p, const Box& box) {
    return {aroundY(p), (box.hi.y - p.y) / box.size().y, 0.0f};
}

Vector projectFlat(const Vector& p, const Box& box) {
    const Vector s = box.size();
    return {(p.x - box.lo.x) / s.x, (box.hi.y - p.y) / s.y, 0.0f};
}

// The two axes of the side the polygon faces most.
Vector projectCubic(const Vector& p, const Box& box, const Vector& faceNormal) {
    const Vector s = box.size();
    const Real ax = std::fabs(faceNormal.x), ay = std::fabs(faceNormal.y),
               az = std::fabs(faceNormal.z);
    if (ax >= ay && ax >= az) {
        return {(p.z - box.lo.z) / s.z, (box.hi.y - p.y) / s.y, 0.0f};
    }
    if (ay >= az) {
        return {(p.x - box.lo.x) / s.x, (p.z - box.lo.z) / s.z, 0.0f};
    }
    return {(p.x - box.lo.x) / s.x, (box.hi.y - p.y) / s.y, 0.0f};
}

} // namespace

bool HTag::generateUvw(const HostPolygonObject& object, const HostMatrix& objectGlobal,
                       const HostMatrix& tagObjectGlobal, const HostView*,
                       std::vector<HostUvw>& uvw) const {
    if (type() != HostType::kTextureTag) {
        return false;
    }
    const int32_t projection = data().getInt(TextureTagParam::kProjection, TextureProjection::kUvw);
    if (projection != TextureProjection::kSpherical &&
        projection != TextureProjection::kCylindrical && projection != TextureProjection::kFlat &&
        projection != TextureProjection::kCubic) {
        return false;
    }
    // Projections work in the coordinates of the object that carries the tag.
    const HostMatrix toTag = inverse(tagObjectGlobal) * objectGlobal;
    const std::vector<Vector>& source = object.points();
    std::vector<Vector> points(source.size());
    constexpr Real big = std::numeric_limits<Real>::max();
    Box box{{big, big, big}, {-big, -big, -big}};
    for (std::size_t i = 0; i < source.size(); ++i) {
        const Vector p = toTag.transformPoint(source[i]);
        points[i] = p;
        box.lo = {std::min(box.lo.x, p.x), std::min(box.lo.y, p.y), std::min(box.lo.z, p.z)};
        box.hi = {std::max(box.hi.x, p.x), std::max(box.hi.y, p.y), std::max(box.hi.z, p.z)};
    }
    const auto at = [&](int32_t i) {
        return i >= 0 && std::size_t(i) < points.size() ? points[std::size_t(i)] : Vector();
    };
    const std::vector<HostPolygon>& polygons = object.polygons();
    std::vector<HostUvw> out(polygons.size());
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        const HostPolygon& p = polygons[i];
        const Vector n = faceNormal(points, p);
        const auto map = [&](int32_t index) {
            const Vector q = at(index);
            switch (projection) {
            case TextureProjection::kSpherical:
                return projectSpherical(q, box);
            case TextureProjection::kCylindrical:
                return projectCylindrical(q, box);
            case TextureProjection::kFlat:
                return projectFlat(q, box);
            default:
                return projectCubic(q, box, n);
            }
        };
        out[i] = {map(p.a), map(p.b), map(p.c), map(p.d)};
    }
    uvw = std::move(out);
    return true;
}

} // namespace headless
