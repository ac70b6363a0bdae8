// Mesh extraction: a polygon object becomes a triangle mesh in the scene's axes and units, with
// deduplicated vertices (and smoothed normals), deduplicated UVs baked from the texture tags, and
// a material per triangle chosen by the polygon selections.
#include "export/exporter.h"

#include "objects/material_helper_ids.h"
#include "plugin/host/application.h"
#include "plugin/host/document.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/material.h"
#include "plugin/host/polygon_object.h"
#include "plugin/host/tag.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

// --- Deduplication ---

namespace {

// The bits of a float, with -0 folded onto 0 so that equal values hash alike.
uint32_t floatBits(float f) {
    if (f == 0.0f) {
        f = 0.0f;
    }
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

uint64_t mix(uint64_t h, uint32_t v) {
    h ^= v;
    h *= 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 29);
}

bool same(const ZarvexVec3& a, const ZarvexVec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

uint64_t hashVec(uint64_t h, const ZarvexVec3& v) {
    return mix(mix(mix(h, floatBits(v.x)), floatBits(v.y)), floatBits(v.z));
}

// Spreads every input bit over the low bits that choose the slot: floats of whole numbers have
// long runs of zero bits, which a multiply alone leaves in the low bits.
uint64_t finish(uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

constexpr std::size_t kMinSlots = 64;

} // namespace

void HashMeshDeduplicator::grow(Table& table, std::size_t wanted) {
    std::size_t size = kMinSlots;
    while (size < wanted * 2) {
        size *= 2;
    }
    if (size > table.slots.size()) {
        table.slots.assign(size, 0);
        table.used = 0;
    }
}

void HashMeshDeduplicator::reserve(std::size_t corners) {
    // Tables are sized before any entry is stored, so nothing needs rehashing here.
    if (vertices_.used == 0) {
        grow(vertices_, corners);
    }
    if (uvs_.used == 0) {
        grow(uvs_, corners);
    }
}

namespace {

// Finds the slot of the entry `equal` accepts, or the empty slot where it goes. The table keeps
// at most half of its slots used.
template <class Equal>
uint32_t& probe(std::vector<uint32_t>& slots, uint64_t hash, const Equal& equal) {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = std::size_t(hash) & mask;; i = (i + 1) & mask) {
        uint32_t& slot = slots[i];
        if (slot == 0 || equal(slot - 1)) {
            return slot;
        }
    }
}

template <class Hash>
void rehash(std::vector<uint32_t>& slots, std::size_t entries, const Hash& hashOf) {
    std::size_t size = slots.empty() ? kMinSlots : slots.size() * 2;
    while (size < entries * 2 + 2) {
        size *= 2;
    }
    slots.assign(size, 0);
    const std::size_t mask = size - 1;
    for (std::size_t e = 0; e < entries; ++e) {
        std::size_t i = std::size_t(hashOf(e)) & mask;
        while (slots[i] != 0) {
            i = (i + 1) & mask;
        }
        slots[i] = uint32_t(e + 1);
    }
}

} // namespace

uint32_t HashMeshDeduplicator::vertex(ZarvexMesh& mesh, const ZarvexVec3& position,
                                      const ZarvexVec3& normal, bool smoothed) {
    const auto hashOf = [&](const ZarvexVec3& p, const ZarvexVec3* n) {
        const uint64_t h = hashVec(0x243F6A8885A308D3ull, p);
        return finish(n != nullptr ? hashVec(h, *n) : h);
    };
    if ((vertices_.used + 1) * 2 > vertices_.slots.size()) {
        rehash(vertices_.slots, mesh.verts.size(), [&](std::size_t e) {
            return hashOf(mesh.verts[e], smoothed ? &mesh.normals[e] : nullptr);
        });
        vertices_.used = mesh.verts.size();
    }
    uint32_t& slot =
        probe(vertices_.slots, hashOf(position, smoothed ? &normal : nullptr), [&](uint32_t e) {
            return same(mesh.verts[e], position) && (!smoothed || same(mesh.normals[e], normal));
        });
    if (slot != 0) {
        return slot - 1;
    }
    const auto index = uint32_t(mesh.verts.size());
    mesh.verts.push_back(position);
    if (smoothed) {
        mesh.normals.push_back(normal);
    }
    slot = index + 1;
    ++vertices_.used;
    return index;
}

uint32_t HashMeshDeduplicator::uv(ZarvexMesh& mesh, const ZarvexUVPair& uv) {
    const auto hashOf = [](const ZarvexUVPair& t) {
        return finish(mix(mix(0x13198A2E03707344ull, floatBits(t.u)), floatBits(t.v)));
    };
    if ((uvs_.used + 1) * 2 > uvs_.slots.size()) {
        rehash(uvs_.slots, mesh.uv_pairs.size(),
               [&](std::size_t e) { return hashOf(mesh.uv_pairs[e]); });
        uvs_.used = mesh.uv_pairs.size();
    }
    uint32_t& slot = probe(uvs_.slots, hashOf(uv), [&](uint32_t e) {
        return mesh.uv_pairs[e].u == uv.u && mesh.uv_pairs[e].v == uv.v;
    });
    if (slot != 0) {
        return slot - 1;
    }
    const auto index = uint32_t(mesh.uv_pairs.size());
    mesh.uv_pairs.push_back(uv);
    slot = index + 1;
    ++uvs_.used;
    return index;
}

ZarvexVec3 normalizedMeshNormal(ZarvexVec3 n) {
    const float l = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (l < 1e-7f) {
        return {1.0f, 0.0f, 0.0f};
    }
    if (std::fabs(l - 1.0f) >= 1e-7f) {
        return {n.x / l, n.y / l, n.z / l};
    }
    return n;
}

// --- Texture tags and polygon groups ---

namespace {

const char* const kDefaultMaterialName = "defaultMat";
const char* const kDefaultLightMaterialName = "defaultLight";

// The object above `o`: its parent or, for the top object of a cache, the generator owning it.
HostObject* ancestorOf(const HostObject* o) {
    return o->up() != nullptr ? o->up() : o->cacheOwner();
}

std::string restrictionOf(const HostTag* tag) {
    return tag->data().getString(TextureTagParam::kRestriction);
}

// A polygon group: the polygons of one selection tag (in index order), or the remainder.
struct PolygonGroup {
    HostTag* selection = nullptr;
    std::vector<int32_t> polygons;
};

// Every polygon selection tag in tag order, then the polygons no selection tag selects (all of
// them when none selects anything).
std::vector<PolygonGroup> polygonGroups(const HostObject* object, int32_t polygonCount) {
    std::vector<PolygonGroup> groups;
    std::vector<uint8_t> selected(std::size_t(std::max(polygonCount, 0)), 0);
    for (HostTag* t = object->firstTag(); t != nullptr; t = t->next()) {
        HostPolygonSelection* selection =
            t->type() == HostType::kPolygonSelectionTag ? t->polygonSelection() : nullptr;
        if (selection == nullptr) {
            continue;
        }
        PolygonGroup group;
        group.selection = t;
        for (const int32_t p : selection->indices()) {
            if (p >= 0 && p < polygonCount) {
                group.polygons.push_back(p);
                selected[std::size_t(p)] = 1;
            }
        }
        groups.push_back(std::move(group));
    }
    PolygonGroup rest;
    for (int32_t p = 0; p < polygonCount; ++p) {
        if (selected[std::size_t(p)] == 0) {
            rest.polygons.push_back(p);
        }
    }
    groups.push_back(std::move(rest));
    return groups;
}

std::string materialNameOf(const HostTextureTag* tag) {
    const HostMaterial* material = tag != nullptr ? tag->material() : nullptr;
    return material != nullptr ? material->name() : std::string();
}

} // namespace

std::vector<HostTextureTag*> ZarvexSceneExporter::collectTextureTags(HostObject* object) const {
    std::vector<HostTextureTag*> reversed;
    if (object == nullptr) {
        return reversed;
    }
    HostTag* last = nullptr;
    for (HostTag* t = object->firstTag(); t != nullptr; t = t->next()) {
        last = t;
    }
    // From the last tag back to the first, up to and including the nearest unrestricted one:
    // tags before it are covered by it.
    for (HostTag* t = last; t != nullptr; t = t->prev()) {
        HostTextureTag* texture = t->type() == HostType::kTextureTag ? t->toTextureTag() : nullptr;
        if (texture == nullptr) {
            continue;
        }
        reversed.push_back(texture);
        if (restrictionOf(texture).empty()) {
            break;
        }
    }
    if (!reversed.empty()) {
        return std::vector<HostTextureTag*>(reversed.rbegin(), reversed.rend());
    }
    for (HostObject* a = ancestorOf(object); a != nullptr; a = ancestorOf(a)) {
        HostTextureTag* found = nullptr;
        for (HostTag* t = a->firstTag(); t != nullptr; t = t->next()) {
            if (t->type() == HostType::kTextureTag && t->toTextureTag() != nullptr) {
                found = t->toTextureTag();
            }
        }
        if (found != nullptr) {
            return {found};
        }
    }
    return {};
}

HostTextureTag* ZarvexSceneExporter::findTextureTag(const std::vector<HostTextureTag*>& tags,
                                                    const HostTag* selection) const {
    if (selection != nullptr) {
        const std::string name = selection->name();
        for (HostTextureTag* t : tags) {
            if (restrictionOf(t) == name) {
                return t;
            }
        }
    }
    for (HostTextureTag* t : tags) {
        if (restrictionOf(t).empty()) {
            return t;
        }
    }
    return nullptr;
}

const MaterialHelperRecord* ZarvexSceneExporter::helperForMaterial(const HostMaterial* material) {
    if (material == nullptr) {
        return nullptr;
    }
    // Records are only ever appended, so the index catches up with the new ones; the first
    // record per material wins as in a scan from the front.
    if (helpersIndexed_ > materialHelpers_.size()) {
        helperByMaterial_.clear();
        helpersIndexed_ = 0;
    }
    HostDocument* active = host().activeDocument();
    for (; helpersIndexed_ < materialHelpers_.size(); ++helpersIndexed_) {
        const MaterialHelperRecord& record = materialHelpers_[helpersIndexed_];
        HostNode* defined = record.helper != nullptr
                                ? record.helper->data().getLink(MATHELPER_MATERIAL, active)
                                : nullptr;
        if (HostMaterial* m = defined != nullptr ? defined->toMaterial() : nullptr) {
            helperByMaterial_.emplace(m, helpersIndexed_);
        }
    }
    const auto it = helperByMaterial_.find(material);
    return it != helperByMaterial_.end() ? &materialHelpers_[it->second] : nullptr;
}

std::vector<const MaterialHelperRecord*>
ZarvexSceneExporter::collectUsedHelpers(HostObject* object) {
    std::vector<const MaterialHelperRecord*> used;
    HostPolygonObject* polygons = object != nullptr ? object->toPolygonObject() : nullptr;
    if (polygons == nullptr) {
        return used;
    }
    const std::vector<HostTextureTag*> tags = collectTextureTags(object);
    for (const PolygonGroup& group : polygonGroups(object, int32_t(polygons->polygons().size()))) {
        HostTextureTag* tag = findTextureTag(tags, group.selection);
        const MaterialHelperRecord* record = helperForMaterial(tag ? tag->material() : nullptr);
        if (record != nullptr && std::find(used.begin(), used.end(), record) == used.end()) {
            used.push_back(record);
        }
    }
    return used;
}

// --- UV baking ---

int32_t ZarvexSceneExporter::bakeTextureUVs(HostObject* object, HostTag* target,
                                            const std::vector<HostTextureTag*>& textureTags) {
    HostPolygonObject* polygons = object != nullptr ? object->toPolygonObject() : nullptr;
    std::vector<HostUvw>* out = target != nullptr ? target->uvwData() : nullptr;
    if (polygons == nullptr || out == nullptr) {
        return 1;
    }
    const auto count = int32_t(polygons->polygons().size());
    if (int32_t(out->size()) < count) {
        out->resize(std::size_t(count));
    }
    HostTag* own = object->tag(HostType::kUvwTag, 0);
    const std::vector<HostUvw>* source = own != nullptr ? own->uvwData() : nullptr;
    if (source == nullptr) {
        source = out;
    }
    HostDocument* doc = object->document();
    HostView* view = doc != nullptr ? doc->activeView() : nullptr;
    for (const PolygonGroup& group : polygonGroups(object, count)) {
        HostTextureTag* tag = findTextureTag(textureTags, group.selection);
        if (tag == nullptr) {
            continue;
        }
        std::vector<HostUvw> generated;
        HostObject* tagObject = tag->object();
        const bool haveGenerated = tag->generateUvw(*polygons, object->globalMatrix(),
                                                    tagObject != nullptr ? tagObject->globalMatrix()
                                                                         : object->globalMatrix(),
                                                    view, generated);
        const HostContainer& d = tag->data();
        const float offsetU = d.getReal(TextureTagParam::kOffsetU);
        const float offsetV = d.getReal(TextureTagParam::kOffsetV);
        const float lengthU = d.getReal(TextureTagParam::kLengthU);
        const float lengthV = d.getReal(TextureTagParam::kLengthV);
        const float su = lengthU != 0 ? 1.0f / lengthU : 1.0f;
        const float sv = lengthV != 0 ? 1.0f / lengthV : 1.0f;
        const auto map = [&](Vector t) {
            return Vector((t.x - offsetU) * su, (t.y - offsetV) * sv, t.z);
        };
        for (const int32_t p : group.polygons) {
            const std::size_t i = std::size_t(p);
            HostUvw uvw;
            if (haveGenerated && i < generated.size()) {
                uvw = generated[i];
            } else if (i < source->size()) {
                uvw = (*source)[i];
            }
            (*out)[i] = {map(uvw.a), map(uvw.b), map(uvw.c), map(uvw.d)};
        }
    }
    return 1;
}

// --- Gathering and writing ---

const MaterialHelperRecord*
ZarvexSceneExporter::helperInList(const std::vector<MaterialHelperRecord>& helpers,
                                  const HostMaterial* material) {
    if (&helpers == &materialHelpers_) {
        return helperForMaterial(material);
    }
    if (material == nullptr) {
        return nullptr;
    }
    HostDocument* active = host().activeDocument();
    for (const MaterialHelperRecord& record : helpers) {
        if (record.helper != nullptr &&
            record.helper->data().getLink(MATHELPER_MATERIAL, active) == material) {
            return &record;
        }
    }
    return nullptr;
}

int32_t ZarvexSceneExporter::gatherMesh(MeshGatherer& gatherer, HostObject* object,
                                        const std::vector<MaterialHelperRecord>* helpers) {
    ZarvexMesh& mesh = gatherer.mesh;
    HostPolygonObject* polygonObject = object != nullptr ? object->toPolygonObject() : nullptr;
    std::unique_ptr<HostTag> uvwTag = host().createTag(HostType::kUvwTag);
    std::vector<HostUvw>* uvw = uvwTag ? uvwTag->uvwData() : nullptr;
    if (polygonObject == nullptr || uvw == nullptr) {
        return 0;
    }
    const std::vector<Vector>& points = polygonObject->points();
    const std::vector<HostPolygon>& polygons = polygonObject->polygons();
    uvw->assign(polygons.size(), HostUvw());

    const std::vector<HostTextureTag*> textureTags = collectTextureTags(object);
    host().console("Found materials:");
    for (const HostTextureTag* t : textureTags) {
        host().console("\"" + materialNameOf(t) + "\"");
    }
    bakeTextureUVs(object, uvwTag.get(), textureTags);

    std::vector<Vector> phong;
    bool smoothed = gatherer.smoothed;
    if (smoothed) {
        phong = polygonObject->phongNormals();
        // Without normals from the host the mesh is written unsmoothed.
        smoothed = phong.size() == polygons.size() * 4;
    }

    HashMeshDeduplicator ownDeduplicator;
    MeshDeduplicator& dedup =
        gatherer.deduplicator != nullptr ? *gatherer.deduplicator : ownDeduplicator;
    dedup.reserve(std::max(points.size(), polygons.size()));
    mesh.triangles.reserve(polygons.size() * 2);

    // Corners of one point mostly share their vertex and often their UV: the entry last found
    // for a point is checked first. An entry equal to the key is the only one, so this finds
    // exactly what the look-up would, without hashing.
    constexpr uint32_t kNone = 0xFFFFFFFFu;
    std::vector<uint32_t> vertexOfPoint(points.size(), kNone);
    std::vector<uint32_t> uvOfPoint(points.size(), kNone);

    const float scale = gatherer.scale;
    const auto pointAt = [&](int32_t i) {
        return i >= 0 && std::size_t(i) < points.size() ? points[std::size_t(i)] : Vector();
    };
    const auto sameVec = [](const ZarvexVec3& a, const ZarvexVec3& b) {
        return a.x == b.x && a.y == b.y && a.z == b.z;
    };
    // Corner k (0 a, 1 b, 2 c, 3 d) of polygon p: its vertex and UV indices.
    const auto corner = [&](std::size_t p, int32_t point, int k, uint32_t& vertex, uint32_t& uv,
                            const Vector& t) {
        const Vector q = pointAt(point);
        const ZarvexVec3 position{scale * q.x, scale * q.z, scale * q.y};
        ZarvexVec3 normal{1.0f, 0.0f, 0.0f};
        if (smoothed) {
            const Vector& n = phong[p * 4 + std::size_t(k)];
            normal = normalizedMeshNormal({n.x, n.z, n.y});
        }
        const bool known = point >= 0 && std::size_t(point) < points.size();
        const uint32_t cachedVertex = known ? vertexOfPoint[std::size_t(point)] : kNone;
        if (cachedVertex != kNone && sameVec(mesh.verts[cachedVertex], position) &&
            (!smoothed || sameVec(mesh.normals[cachedVertex], normal))) {
            vertex = cachedVertex;
        } else {
            vertex = dedup.vertex(mesh, position, normal, smoothed);
            if (known) {
                vertexOfPoint[std::size_t(point)] = vertex;
            }
        }
        const ZarvexUVPair pair{t.x, 1.0f - t.y};
        const uint32_t cachedUv = known ? uvOfPoint[std::size_t(point)] : kNone;
        if (cachedUv != kNone && mesh.uv_pairs[cachedUv].u == pair.u &&
            mesh.uv_pairs[cachedUv].v == pair.v) {
            uv = cachedUv;
        } else {
            uv = dedup.uv(mesh, pair);
            if (known) {
                uvOfPoint[std::size_t(point)] = uv;
            }
        }
    };

    for (const PolygonGroup& group : polygonGroups(object, int32_t(polygons.size()))) {
        std::string name;
        if (helpers == nullptr) {
            name = kDefaultLightMaterialName;
        } else {
            HostTextureTag* tag = findTextureTag(textureTags, group.selection);
            const MaterialHelperRecord* record =
                helperInList(*helpers, tag != nullptr ? tag->material() : nullptr);
            name = record != nullptr ? record->name : kDefaultMaterialName;
        }
        auto found = std::find(mesh.used_materials.begin(), mesh.used_materials.end(), name);
        const auto material = uint32_t(found - mesh.used_materials.begin());
        if (found == mesh.used_materials.end()) {
            mesh.used_materials.push_back(name);
        }
        for (const int32_t index : group.polygons) {
            const std::size_t p = std::size_t(index);
            const HostPolygon& poly = polygons[p];
            const HostUvw& t = (*uvw)[p];
            uint32_t va, vb, vc, ta, tb, tc;
            corner(p, poly.a, 0, va, ta, t.a);
            corner(p, poly.b, 1, vb, tb, t.b);
            corner(p, poly.c, 2, vc, tc, t.c);
            // The reversed corner order keeps each face's orientation after the axis swap.
            mesh.triangles.push_back({{vc, vb, va}, {tc, tb, ta}, material});
            if (poly.c != poly.d) {
                uint32_t vd, td;
                corner(p, poly.d, 3, vd, td, t.d);
                mesh.triangles.push_back({{va, vd, vc}, {ta, td, tc}, material});
            }
        }
    }
    gatherer.triangleCount = int32_t(mesh.triangles.size());
    gatherer.vertexCount = int32_t(mesh.verts.size());
    gatherer.uvCount = int32_t(mesh.uv_pairs.size());
    if (!smoothed) {
        mesh.normals.clear();
    }
    return 1;
}

namespace {

std::string secondsWithThreeDecimals(int32_t ms) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", double(float(ms) / 1000.0f));
    return buffer;
}

} // namespace

int32_t ZarvexSceneExporter::exportMesh(MeshGatherer& gatherer, HostDocument* doc,
                                        const HostFilename& modelsDir, HostFilename meshFile,
                                        HostObject* object, float scale,
                                        const std::vector<MaterialHelperRecord>* helpers) {
    if (object == nullptr) {
        return 0;
    }
    const int32_t start = host().timerMs();
    HostPolygonObject* polygons = object->toPolygonObject();
    gatherer.document = doc;
    gatherer.smoothed = object->tag(HostType::kPhongTag, 0) != nullptr;
    gatherer.triangleCount = polygons ? int32_t(polygons->polygons().size()) : 0;
    gatherer.vertexCount = polygons ? int32_t(polygons->points().size()) : 0;
    gatherer.scale = scale;
    if (!host().fileExists(modelsDir, true)) {
        host().createDirectory(modelsDir);
    }
    gatherMesh(gatherer, object, helpers);
    gatherer.mesh.uv_set_names.emplace_back("default", 0);
    gatherer.mesh.num_uv_mappings = 1;
    const int32_t processing = host().timerMs() - start;

    meshFile.setSuffix("zvmesh");
    const HostFilename path = modelsDir + meshFile;
    try {
        writeMeshFile(host().nativePath(path), gatherer.mesh);
    } catch (const ZarvexMeshExcep& e) {
        // One mesh that cannot be written is left out; the export goes on.
        host().console(e.what());
        return 0;
    } catch (const std::exception& e) {
        host().console(std::string("Mesh not written: ") + e.what());
        return 0;
    }
    const int32_t exportTime = host().timerMs() - start;
    host().console("--Exported mesh: " + object->name() + ", " +
                   std::to_string(gatherer.triangleCount) + " Tris, " +
                   std::to_string(gatherer.vertexCount) + " Vertices, " +
                   std::to_string(gatherer.uvCount) +
                   " UVs. Processing Time: " + secondsWithThreeDecimals(processing) +
                   "s. Export Time: " + secondsWithThreeDecimals(exportTime) + "s");
    return 1;
}
