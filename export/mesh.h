// Mesh extraction: the record one exported mesh is gathered into, and the deduplication of its
// vertices and texture coordinates.
#pragma once

#include "meshfile/zarvex_mesh.h"

#include <cstdint>
#include <vector>

class HostDocument;

// Finds or appends vertices and UVs of a mesh being gathered. Equality is exact equality of the
// floats (0 and -0 are equal), and a new entry gets the next index, so indices follow first use.
class MeshDeduplicator {
public:
    virtual ~MeshDeduplicator() = default;
    // Prepares for about `corners` look-ups.
    virtual void reserve(std::size_t corners) = 0;
    // The index in mesh.verts of the vertex with this position (and, when `smoothed`, this
    // normal in mesh.normals at the same index); a new vertex is appended to both lists.
    virtual uint32_t vertex(ZarvexMesh& mesh, const ZarvexVec3& position, const ZarvexVec3& normal,
                            bool smoothed) = 0;
    // The index in mesh.uv_pairs of this UV; a new one is appended.
    virtual uint32_t uv(ZarvexMesh& mesh, const ZarvexUVPair& uv) = 0;
};

// The deduplicator of the export: open-addressing hash tables of indices into the mesh's own
// lists, so a mesh of n corners costs O(n) expected time and no key copies.
class HashMeshDeduplicator final : public MeshDeduplicator {
public:
    void reserve(std::size_t corners) override;
    uint32_t vertex(ZarvexMesh& mesh, const ZarvexVec3& position, const ZarvexVec3& normal,
                    bool smoothed) override;
    uint32_t uv(ZarvexMesh& mesh, const ZarvexUVPair& uv) override;

private:
    struct Table {
        // Entry + 1; 0 marks an empty slot. The size is a power of two.
        std::vector<uint32_t> slots;
        std::size_t used = 0;
    };
    static void grow(Table& table, std::size_t wanted);
    Table vertices_;
    Table uvs_;
};

// One exported mesh: the counts and options in, the mesh out. Lives for one mesh.
struct MeshGatherer {
    HostDocument* document = nullptr;
    // Polygon count before gathering, triangle count after.
    int32_t triangleCount = 0;
    // Point count before gathering, unique vertex count after.
    int32_t vertexCount = 0;
    int32_t uvCount = 0;
    // The object carries a Phong tag.
    bool smoothed = false;
    // Host units to scene units.
    float scale = 1.0f;
    ZarvexMesh mesh;
    // Null: a HashMeshDeduplicator of the gatherer's own.
    MeshDeduplicator* deduplicator = nullptr;
};

// The normal as the mesh stores it: length 1, or (1, 0, 0) for a vector shorter than 1e-7.
ZarvexVec3 normalizedMeshNormal(ZarvexVec3 n);
