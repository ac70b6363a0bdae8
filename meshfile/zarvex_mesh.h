// The binary mesh file: one polygon mesh per file, loaded by the renderer.
//
// Layout (all integers unsigned 32-bit, all reals IEEE-754 single precision, little-endian,
// packed without padding):
//   magic 6F 43 53 00, format version 1, num_uv_mappings,
//   used_materials:  count, then per entry a string,
//   uv_set_names:    count, then per entry a string and its 4-byte index,
//   verts:           count, then x y z per vertex,
//   normals:         count, then x y z per normal,
//   uv_pairs:        count, then u v per pair,
//   triangles:       count, then the seven integers of ZarvexTriangle per triangle.
// A string is its byte length (at most 1024) followed by exactly that many bytes, without a
// terminating zero. Nothing follows the last triangle.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>
#include <vector>

// A position or normal, already in scene axes and units.
struct ZarvexVec3 {
    float x;
    float y;
    float z;
};

// A texture coordinate.
struct ZarvexUVPair {
    float u;
    float v;
};

// One face: 28 bytes in the file, fields in this order.
struct ZarvexTriangle {
    std::uint32_t vertex_indices[3]; // into ZarvexMesh::verts
    std::uint32_t uv_indices[3];     // into ZarvexMesh::uv_pairs
    std::uint32_t tri_mat_index;     // into ZarvexMesh::used_materials
};

struct ZarvexMesh {
    // UV sets per vertex corner; the export always writes 1.
    std::uint32_t num_uv_mappings = 0;
    // Material names; a triangle's tri_mat_index points into this list.
    std::vector<std::string> used_materials;
    // Names of the UV sets with their indices; the export writes one entry ("default", 0).
    std::vector<std::pair<std::string, std::uint32_t>> uv_set_names;
    std::vector<ZarvexVec3> verts;
    // Either empty or exactly as many as verts.
    std::vector<ZarvexVec3> normals;
    // A multiple of num_uv_mappings when that is not 0.
    std::vector<ZarvexUVPair> uv_pairs;
    std::vector<ZarvexTriangle> triangles;
};

// The mesh file module's only exception; what() is the complete message.
class ZarvexMeshExcep : public std::exception {
public:
    explicit ZarvexMeshExcep(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Longest string a mesh file holds, in bytes.
constexpr std::uint32_t kMaxMeshStringLength = 1024;

// Writes `mesh` to the file at `path` (native 8-bit path text), replacing an existing file.
//
// Precondition: none; the mesh is checked first and never changed.
// Throws ZarvexMeshExcep with one of:
//   "Mesh uv_pairs.size() must be a multiple of mesh.num_uv_mappings" (num_uv_mappings not 0),
//   "Must be zero normals, or normals.size() must equal verts.size()",
//   "Failed to open file '<path>' for writing.",
//   "Vector too long." (a list longer than 2^32 - 1 entries),
//   "String too long." (a string longer than 1024 bytes),
//   "Error while writing to '<path>'." (the stream failed, including on flush or close).
// After a throw that follows the open, a partly written file may be left behind.
void writeMeshFile(const std::string& path, const ZarvexMesh& mesh);

// Reads the mesh file at `path` (native 8-bit path text) into `mesh`, replacing its contents.
//
// Every stored count is checked against the bytes left in the file before anything is
// allocated for it, and the file is never read past its end. On a throw `mesh` is unchanged.
// Throws ZarvexMeshExcep with one of:
//   "Failed to open file '<path>' for reading.",
//   "Invalid magic number.", "Invalid format version.",
//   "String too long." (a stored string length above 1024),
//   "Error while reading from '<path>'." (the file ends early, a count claims more entries than
//     the rest of the file can hold, or the stream fails),
//   the two mesh checks of writeMeshFile, with the same messages,
//   "Bad allocation while reading from file." (memory ran out).
// Trailing bytes after the last triangle are not read.
void readMeshFile(const std::string& path, ZarvexMesh& mesh);
