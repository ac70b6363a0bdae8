#include "largest_allocation.h"
#include "meshfile/zarvex_mesh.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

class MeshFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "tolvane-meshfile-XXXXXX";
        ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        for (const std::string& file : created_) {
            std::remove(file.c_str());
        }
        rmdir(dir_.c_str());
    }

    std::string path(const std::string& name) {
        created_.push_back(dir_ + "/" + name);
        return created_.back();
    }

    static Bytes readBytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static void writeBytes(const std::string& file, const Bytes& bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    // The message readMeshFile or writeMeshFile throws, or "" when it does not throw.
    static std::string readError(const std::string& file, ZarvexMesh& mesh) {
        try {
            readMeshFile(file, mesh);
        } catch (const ZarvexMeshExcep& e) {
            return e.what();
        }
        return "";
    }
    static std::string readError(const std::string& file) {
        ZarvexMesh mesh;
        return readError(file, mesh);
    }
    static std::string writeError(const std::string& file, const ZarvexMesh& mesh) {
        try {
            writeMeshFile(file, mesh);
        } catch (const ZarvexMeshExcep& e) {
            return e.what();
        }
        return "";
    }

    std::string dir_;
    std::vector<std::string> created_;
};

ZarvexMesh emptyExportMesh() {
    ZarvexMesh mesh;
    mesh.num_uv_mappings = 1;
    mesh.uv_set_names = {{"default", 0}};
    return mesh;
}

// Two materials, normals, two UV sets per corner and two triangles.
ZarvexMesh fullMesh() {
    ZarvexMesh mesh;
    mesh.num_uv_mappings = 2;
    mesh.used_materials = {"defaultMat", "Chrome", ""};
    mesh.uv_set_names = {{"default", 0}, {"detail", 1}};
    mesh.verts = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1.5f, -2.25f, 1e30f}};
    mesh.normals = {{0, 0, 1}, {0, 0, -1}, {0.6f, 0.8f, 0}, {-0.0f, 1, 0}};
    mesh.uv_pairs = {{0, 0}, {1, 0}, {0, 1}, {0.5f, 0.25f}};
    mesh.triangles = {{{0, 1, 2}, {0, 1, 2}, 0}, {{1, 3, 2}, {3, 2, 1}, 2}};
    return mesh;
}

void expectSameMesh(const ZarvexMesh& a, const ZarvexMesh& b) {
    EXPECT_EQ(a.num_uv_mappings, b.num_uv_mappings);
    EXPECT_EQ(a.used_materials, b.used_materials);
    EXPECT_EQ(a.uv_set_names, b.uv_set_names);
    ASSERT_EQ(a.verts.size(), b.verts.size());
    for (std::size_t i = 0; i < a.verts.size(); ++i) {
        EXPECT_EQ(a.verts[i].x, b.verts[i].x);
        EXPECT_EQ(a.verts[i].y, b.verts[i].y);
        EXPECT_EQ(a.verts[i].z, b.verts[i].z);
    }
    ASSERT_EQ(a.normals.size(), b.normals.size());
    for (std::size_t i = 0; i < a.normals.size(); ++i) {
        EXPECT_EQ(a.normals[i].x, b.normals[i].x);
        EXPECT_EQ(a.normals[i].y, b.normals[i].y);
        EXPECT_EQ(a.normals[i].z, b.normals[i].z);
    }
    ASSERT_EQ(a.uv_pairs.size(), b.uv_pairs.size());
    for (std::size_t i = 0; i < a.uv_pairs.size(); ++i) {
        EXPECT_EQ(a.uv_pairs[i].u, b.uv_pairs[i].u);
        EXPECT_EQ(a.uv_pairs[i].v, b.uv_pairs[i].v);
    }
    ASSERT_EQ(a.triangles.size(), b.triangles.size());
    for (std::size_t i = 0; i < a.triangles.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(a.triangles[i].vertex_indices[k], b.triangles[i].vertex_indices[k]);
            EXPECT_EQ(a.triangles[i].uv_indices[k], b.triangles[i].uv_indices[k]);
        }
        EXPECT_EQ(a.triangles[i].tri_mat_index, b.triangles[i].tri_mat_index);
    }
}

void appendU32(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<unsigned char>(value >> shift));
    }
}

TEST_F(MeshFileTest, EmptyExportMeshIsFiftyOneBytes) {
    const std::string file = path("empty.zvmesh");
    writeMeshFile(file, emptyExportMesh());
    const Bytes expected = {
        0x6F, 0x43, 0x53, 0x00, // magic
        1,    0,    0,    0,    // version
        1,    0,    0,    0,    // num_uv_mappings
        0,    0,    0,    0,    // used_materials
        1,    0,    0,    0,    // uv_set_names
        7,    0,    0,    0,    'd', 'e', 'f', 'a', 'u', 'l', 't', 0, 0, 0, 0, 0, 0, 0, 0, // verts
        0,    0,    0,    0, // normals
        0,    0,    0,    0, // uv_pairs
        0,    0,    0,    0, // triangles
    };
    EXPECT_EQ(readBytes(file), expected);
    ZarvexMesh back;
    readMeshFile(file, back);
    expectSameMesh(back, emptyExportMesh());
}

TEST_F(MeshFileTest, SingleTriangleLaysOutItsListsInOrder) {
    ZarvexMesh mesh = emptyExportMesh();
    mesh.used_materials = {"defaultMat"};
    mesh.verts = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    mesh.uv_pairs = {{0.5f, 0.25f}};
    mesh.triangles = {{{0, 1, 2}, {0, 0, 0}, 0}};
    const std::string file = path("triangle.zvmesh");
    writeMeshFile(file, mesh);
    const Bytes bytes = readBytes(file);
    ASSERT_EQ(bytes.size(), 51u + 14u + 36u + 8u + 28u);
    // used_materials: count 1, length 10, "defaultMat".
    EXPECT_EQ(Bytes(bytes.begin() + 12, bytes.begin() + 30),
              (Bytes{1, 0, 0, 0, 10, 0, 0, 0, 'd', 'e', 'f', 'a', 'u', 'l', 't', 'M', 'a', 't'}));
    // The first vertex: 1.0f, 2.0f, 3.0f little-endian.
    EXPECT_EQ(Bytes(bytes.begin() + 53, bytes.begin() + 65),
              (Bytes{0, 0, 0x80, 0x3F, 0, 0, 0, 0x40, 0, 0, 0x40, 0x40}));
    // The triangle is the last 28 bytes: seven integers in field order.
    Bytes triangle;
    for (std::uint32_t value : {0u, 1u, 2u, 0u, 0u, 0u, 0u}) {
        appendU32(triangle, value);
    }
    EXPECT_EQ(Bytes(bytes.end() - 28, bytes.end()), triangle);
}

TEST_F(MeshFileTest, RoundTripsEveryList) {
    const std::string file = path("full.zvmesh");
    writeMeshFile(file, fullMesh());
    ZarvexMesh back = emptyExportMesh(); // contents to be replaced
    back.verts.resize(10);
    readMeshFile(file, back);
    expectSameMesh(back, fullMesh());
}

TEST_F(MeshFileTest, StringsUpTo1024BytesAreAllowed) {
    ZarvexMesh mesh = emptyExportMesh();
    mesh.used_materials = {std::string(1024, 'm')};
    const std::string file = path("long.zvmesh");
    EXPECT_EQ(writeError(file, mesh), "");
    ZarvexMesh back;
    readMeshFile(file, back);
    EXPECT_EQ(back.used_materials, mesh.used_materials);

    mesh.used_materials = {std::string(1025, 'm')};
    EXPECT_EQ(writeError(path("toolong.zvmesh"), mesh), "String too long.");
    mesh = emptyExportMesh();
    mesh.uv_set_names = {{std::string(1025, 'u'), 0}};
    EXPECT_EQ(writeError(path("toolong2.zvmesh"), mesh), "String too long.");
}

TEST_F(MeshFileTest, WriterChecksTheMeshBeforeOpeningTheFile) {
    ZarvexMesh mesh = emptyExportMesh();
    mesh.num_uv_mappings = 3;
    mesh.uv_pairs = {{0, 0}, {1, 1}};
    const std::string file = path("unwritten.zvmesh");
    EXPECT_EQ(writeError(file, mesh),
              "Mesh uv_pairs.size() must be a multiple of mesh.num_uv_mappings");
    EXPECT_FALSE(std::ifstream(file).is_open());

    mesh.num_uv_mappings = 0; // no UV sets: any number of pairs
    EXPECT_EQ(writeError(file, mesh), "");

    mesh.verts = {{0, 0, 0}, {1, 1, 1}};
    mesh.normals = {{0, 0, 1}};
    EXPECT_EQ(writeError(file, mesh),
              "Must be zero normals, or normals.size() must equal verts.size()");
}

TEST_F(MeshFileTest, OpenFailuresNameThePath) {
    const std::string missing = dir_ + "/no such dir/mesh.zvmesh";
    EXPECT_EQ(writeError(missing, emptyExportMesh()),
              "Failed to open file '" + missing + "' for writing.");
    EXPECT_EQ(readError(missing), "Failed to open file '" + missing + "' for reading.");
}

TEST_F(MeshFileTest, AFailedWriteIsReportedEvenWhenOnlyTheFlushFails) {
    // Every write to this device fails for lack of space, which a buffered stream only learns
    // when it flushes.
    const std::string full = "/dev/full";
    if (!std::ifstream(full).is_open()) {
        GTEST_SKIP() << "no " << full;
    }
    EXPECT_EQ(writeError(full, emptyExportMesh()), "Error while writing to '" + full + "'.");
}

TEST_F(MeshFileTest, RejectsAForeignMagicAndVersion) {
    const std::string file = path("foreign.zvmesh");
    writeMeshFile(file, emptyExportMesh());
    Bytes bytes = readBytes(file);

    Bytes magic = bytes;
    magic[3] = 0x01; // "oCS" followed by 01
    writeBytes(file, magic);
    EXPECT_EQ(readError(file), "Invalid magic number.");

    Bytes version = bytes;
    version[4] = 2;
    writeBytes(file, version);
    EXPECT_EQ(readError(file), "Invalid format version.");
}

TEST_F(MeshFileTest, EveryTruncationIsAReadErrorAndLeavesTheMeshAlone) {
    const std::string source = path("source.zvmesh");
    writeMeshFile(source, fullMesh());
    const Bytes bytes = readBytes(source);
    const std::string file = path("truncated.zvmesh");
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        writeBytes(file, Bytes(bytes.begin(), bytes.begin() + length));
        ZarvexMesh mesh = emptyExportMesh();
        EXPECT_EQ(readError(file, mesh), "Error while reading from '" + file + "'.")
            << "length " << length;
        expectSameMesh(mesh, emptyExportMesh());
    }
}

TEST_F(MeshFileTest, CountsThatLieAreRefusedBeforeAllocating) {
    const std::string source = path("source.zvmesh");
    writeMeshFile(source, fullMesh());
    const Bytes bytes = readBytes(source);
    // Offsets of the six counts in the file of fullMesh().
    const std::size_t materials = 12;
    const std::size_t uvSets = materials + 4 + (4 + 10) + (4 + 6) + (4 + 0);
    const std::size_t verts = uvSets + 4 + (4 + 7 + 4) + (4 + 6 + 4);
    const std::size_t normals = verts + 4 + 4 * 12;
    const std::size_t uvPairs = normals + 4 + 4 * 12;
    const std::size_t triangles = uvPairs + 4 + 4 * 8;
    ASSERT_EQ(triangles + 4 + 2 * 28, bytes.size());
    const std::string file = path("lying.zvmesh");
    for (std::size_t offset : {materials, uvSets, verts, normals, uvPairs, triangles}) {
        for (std::uint32_t count : {0xFFFFFFFFu, 0x10000000u, 100000u}) {
            Bytes lying = bytes;
            for (int i = 0; i < 4; ++i) {
                lying[offset + i] = static_cast<unsigned char>(count >> (8 * i));
            }
            writeBytes(file, lying);
            resetLargestAllocation();
            EXPECT_EQ(readError(file), "Error while reading from '" + file + "'.")
                << "offset " << offset << " count " << count;
            EXPECT_LT(largestAllocation(), std::size_t{2 << 20})
                << "offset " << offset << " count " << count;
        }
    }
}

TEST_F(MeshFileTest, RunningOutOfMemoryIsReportedAndLeavesTheMeshAlone) {
    // A list of 200000 vertices that the file really holds, larger than the stream buffer.
    ZarvexMesh big = emptyExportMesh();
    big.verts.resize(200000, ZarvexVec3{1, 2, 3});
    const std::string file = path("big.zvmesh");
    writeMeshFile(file, big);
    ZarvexMesh mesh = emptyExportMesh();
    failAllocationsAbove(std::size_t{2} << 20);
    const std::string message = readError(file, mesh);
    failAllocationsAbove(0);
    EXPECT_EQ(message, "Bad allocation while reading from file.");
    expectSameMesh(mesh, emptyExportMesh());
}

TEST_F(MeshFileTest, StoredStringLengthsAreChecked) {
    Bytes bytes;
    appendU32(bytes, 5456751);
    appendU32(bytes, 1);
    appendU32(bytes, 1);
    appendU32(bytes, 1);    // one material
    appendU32(bytes, 1025); // whose name is too long
    bytes.resize(bytes.size() + 1025, 'x');
    const std::string file = path("longname.zvmesh");
    writeBytes(file, bytes);
    EXPECT_EQ(readError(file), "String too long.");

    bytes.resize(16);
    appendU32(bytes, 1000); // a length the file cannot hold
    writeBytes(file, bytes);
    EXPECT_EQ(readError(file), "Error while reading from '" + file + "'.");
}

TEST_F(MeshFileTest, ReaderAppliesTheWritersMeshChecks) {
    const auto fileWith = [&](std::uint32_t uvMappings, std::uint32_t normals,
                              std::uint32_t uvPairs) {
        Bytes bytes;
        appendU32(bytes, 5456751);
        appendU32(bytes, 1);
        appendU32(bytes, uvMappings);
        appendU32(bytes, 0); // used_materials
        appendU32(bytes, 0); // uv_set_names
        appendU32(bytes, 2); // verts
        bytes.resize(bytes.size() + 24);
        appendU32(bytes, normals);
        bytes.resize(bytes.size() + 12 * normals);
        appendU32(bytes, uvPairs);
        bytes.resize(bytes.size() + 8 * uvPairs);
        appendU32(bytes, 0); // triangles
        const std::string file = path("checked.zvmesh");
        writeBytes(file, bytes);
        return file;
    };
    EXPECT_EQ(readError(fileWith(2, 2, 3)),
              "Mesh uv_pairs.size() must be a multiple of mesh.num_uv_mappings");
    EXPECT_EQ(readError(fileWith(2, 1, 4)),
              "Must be zero normals, or normals.size() must equal verts.size()");
    EXPECT_EQ(readError(fileWith(0, 0, 3)), "");
}

} // namespace
