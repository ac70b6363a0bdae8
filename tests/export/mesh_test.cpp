// Mesh extraction: deduplication, the quad split, smoothing, UV baking, materials per polygon
// group, and the mesh files as they read back.
#include "export_fixture.h"

#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"

#include <cstring>
#include <map>
#include <random>
#include <regex>
#include <tuple>

namespace testing_export {
namespace {

using Mesh = ExportTest;

bool hasUv(const ZarvexMesh& mesh, float u, float v) {
    for (const ZarvexUVPair& t : mesh.uv_pairs) {
        if (t.u == u && t.v == v) {
            return true;
        }
    }
    return false;
}

TEST_F(Mesh, CubeWithoutPhongTag) {
    headless::HObject* cube = addCube("Cube");
    const std::vector<MaterialHelperRecord> helpers;
    MeshGatherer g;
    ASSERT_EQ(exporter.gatherMesh(g, cube, &helpers), 1);
    EXPECT_EQ(g.mesh.verts.size(), 8u);
    EXPECT_EQ(g.mesh.triangles.size(), 12u);
    EXPECT_EQ(g.mesh.uv_pairs.size(), 1u);
    EXPECT_TRUE(hasUv(g.mesh, 0.0f, 1.0f));
    EXPECT_EQ(g.mesh.used_materials, std::vector<std::string>{"defaultMat"});
    EXPECT_TRUE(g.mesh.normals.empty());
    EXPECT_EQ(g.triangleCount, 12);
    EXPECT_EQ(g.vertexCount, 8);
    EXPECT_EQ(g.uvCount, 1);
}

TEST_F(Mesh, PhongTagSplitsVerticesWhereCornerNormalsDiffer) {
    struct Case {
        bool limit;
        float angle;
        std::size_t vertices;
    };
    // Without a limit every point has one normal; with a limit below 90 degrees each face keeps
    // its own, so every corner of the cube is three vertices.
    for (const Case c : {Case{false, 0.0f, 8}, Case{true, 1.2f, 24}, Case{true, 1.7f, 8}}) {
        headless::HObject* cube = addCube("Cube");
        headless::HTag* phong = addTag(cube, HostType::kPhongTag);
        phong->data().setBool(PhongTagParam::kAngleLimit, c.limit);
        phong->data().setReal(PhongTagParam::kAngle, c.angle);
        MeshGatherer g;
        g.smoothed = true;
        ASSERT_EQ(exporter.gatherMesh(g, cube, nullptr), 1);
        EXPECT_EQ(g.mesh.verts.size(), c.vertices) << c.angle;
        EXPECT_EQ(g.mesh.normals.size(), g.mesh.verts.size());
        for (const ZarvexVec3& n : g.mesh.normals) {
            EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-5f);
        }
    }
}

TEST_F(Mesh, QuadrangleSplitsIntoCbaAndAdc) {
    headless::HObject* quad =
        addPolygons("Quad", {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, {{0, 1, 2, 3}});
    MeshGatherer g;
    g.scale = 2.0f;
    ASSERT_EQ(exporter.gatherMesh(g, quad, nullptr), 1);
    ASSERT_EQ(g.mesh.triangles.size(), 2u);
    const ZarvexTriangle& first = g.mesh.triangles[0];
    const ZarvexTriangle& second = g.mesh.triangles[1];
    EXPECT_EQ(std::vector<uint32_t>(first.vertex_indices, first.vertex_indices + 3),
              (std::vector<uint32_t>{2, 1, 0}));
    EXPECT_EQ(std::vector<uint32_t>(second.vertex_indices, second.vertex_indices + 3),
              (std::vector<uint32_t>{0, 3, 2}));
    // Scaled and written as (x, z, y).
    ASSERT_EQ(g.mesh.verts.size(), 4u);
    EXPECT_EQ(g.mesh.verts[2].x, 2.0f);
    EXPECT_EQ(g.mesh.verts[2].y, 2.0f);
    EXPECT_EQ(g.mesh.verts[2].z, 0.0f);
    EXPECT_EQ(g.mesh.used_materials, std::vector<std::string>{"defaultLight"});
}

TEST_F(Mesh, TextureTagOffsetAndLengthMapUVs) {
    headless::HObject* quad =
        addPolygons("Quad", {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, {{0, 1, 2, 3}});
    headless::HTag* uvw = addTag(quad, HostType::kUvwTag);
    uvw->uvwData()->push_back({{0.75f, 0.5f, 0}, {0.25f, 0.5f, 0}, {0.25f, 0.0f, 0}, {0.5f, 1, 0}});
    headless::HTag* texture = addTextureTag(quad, addMaterial("M"));
    texture->data().setReal(TextureTagParam::kOffsetU, 0.25f);
    texture->data().setReal(TextureTagParam::kLengthU, 0.5f);
    texture->data().setReal(TextureTagParam::kLengthV, 2.0f);
    MeshGatherer g;
    ASSERT_EQ(exporter.gatherMesh(g, quad, nullptr), 1);
    // u' = (u - 0.25) / 0.5 and v' = v / 2, stored as (u', 1 - v').
    EXPECT_TRUE(hasUv(g.mesh, 1.0f, 0.75f));
    EXPECT_TRUE(hasUv(g.mesh, 0.0f, 0.75f));
    EXPECT_TRUE(hasUv(g.mesh, 0.0f, 1.0f));
    EXPECT_TRUE(hasUv(g.mesh, 0.5f, 0.5f));
    EXPECT_TRUE(consoleHas("\"M\""));
}

TEST_F(Mesh, ProjectionsGenerateTheUVsOfTheTexture) {
    headless::HObject* quad =
        addPolygons("Quad", {{0, 0, 0}, {2, 0, 0}, {2, 4, 0}, {0, 4, 0}}, {{0, 1, 2, 3}});
    headless::HTag* texture = addTextureTag(quad, addMaterial("M"));
    texture->data().setInt(TextureTagParam::kProjection, TextureProjection::kFlat);
    MeshGatherer g;
    ASSERT_EQ(exporter.gatherMesh(g, quad, nullptr), 1);
    // Flat: u across x, v down y over the object's extent; stored as (u, 1 - v).
    EXPECT_EQ(g.mesh.uv_pairs.size(), 4u);
    EXPECT_TRUE(hasUv(g.mesh, 0.0f, 0.0f));
    EXPECT_TRUE(hasUv(g.mesh, 1.0f, 1.0f));
}

TEST_F(Mesh, SelectionsChooseTheMaterialOfEachGroup) {
    headless::HObject* strip =
        addPolygons("Strip", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 0, 1}, {1, 0, 1}, {2, 0, 1}},
                    {{0, 1, 4, 3}, {1, 2, 5, 4}});
    addSelection(strip, "S", {0});
    HostMaterial* byHelper = addMaterial("Defined");
    addTextureTag(strip, addMaterial("Plain"));
    addTextureTag(strip, byHelper, "S");
    headless::HObject* helper = addHelper("H", byHelper);
    const std::vector<MaterialHelperRecord> helpers{{helper, "H", false, false}};
    MeshGatherer g;
    ASSERT_EQ(exporter.gatherMesh(g, strip, &helpers), 1);
    EXPECT_EQ(g.mesh.used_materials, (std::vector<std::string>{"H", "defaultMat"}));
    ASSERT_EQ(g.mesh.triangles.size(), 4u);
    EXPECT_EQ(g.mesh.triangles[0].tri_mat_index, 0u);
    EXPECT_EQ(g.mesh.triangles[1].tri_mat_index, 0u);
    EXPECT_EQ(g.mesh.triangles[2].tri_mat_index, 1u);
    EXPECT_EQ(g.mesh.triangles[3].tri_mat_index, 1u);
    EXPECT_EQ(consoleStartingWith("\""), (std::vector<std::string>{"\"Plain\"", "\"Defined\""}));
}

TEST_F(Mesh, PolygonInTwoSelectionsIsWrittenTwice) {
    headless::HObject* quad =
        addPolygons("Quad", {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, {{0, 1, 2, 3}});
    addSelection(quad, "A", {0});
    addSelection(quad, "B", {0});
    const std::vector<MaterialHelperRecord> helpers;
    MeshGatherer g;
    ASSERT_EQ(exporter.gatherMesh(g, quad, &helpers), 1);
    EXPECT_EQ(g.mesh.triangles.size(), 4u);
    EXPECT_EQ(g.mesh.verts.size(), 4u);
    EXPECT_EQ(g.mesh.used_materials, std::vector<std::string>{"defaultMat"});
}

TEST_F(Mesh, ObjectWithoutTexturesUsesTheLastTagOfItsNearestTexturedAncestor) {
    headless::HObject* top = add(HostType::kNull, "Top");
    addTextureTag(top, addMaterial("Far"));
    headless::HObject* near = add(HostType::kNull, "Near", top);
    addTextureTag(near, addMaterial("First"));
    addTextureTag(near, addMaterial("Last"));
    headless::HObject* cube = addCube("Cube", near);
    const std::vector<HostTextureTag*> tags = exporter.collectTextureTags(cube);
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0]->material()->name(), "Last");
    // The object's own tags: from its last unrestricted tag on, in tag order.
    addTextureTag(cube, addMaterial("Covered"));
    addTextureTag(cube, addMaterial("Whole"));
    addTextureTag(cube, addMaterial("Part"), "S");
    std::vector<std::string> own;
    for (HostTextureTag* t : exporter.collectTextureTags(cube)) {
        own.push_back(t->material()->name());
    }
    EXPECT_EQ(own, (std::vector<std::string>{"Whole", "Part"}));
}

TEST_F(Mesh, LightPlaneFromATemporaryDocumentUsesTheLightMaterial) {
    // As the light export makes its plane: a primitive in a document of its own, converted to
    // polygons, exported without a helper list.
    std::unique_ptr<HostDocument> temporary = host.createDocument();
    std::unique_ptr<HostObject> plane = host.createObject(HostType::kPlane);
    plane->data().setReal(PlaneParam::kWidth, 100);
    plane->data().setReal(PlaneParam::kHeight, 100);
    plane->data().setInt(PlaneParam::kWidthSegments, 1);
    plane->data().setInt(PlaneParam::kHeightSegments, 1);
    plane->data().setInt(PlaneParam::kOrientation, 4);
    HostObject* inserted = temporary->insertObject(std::move(plane), nullptr, nullptr);
    std::unique_ptr<HostObject> converted =
        host.modelingCommand(HostModeling::kCurrentStateToObject, temporary.get(), inserted);
    ASSERT_TRUE(converted);
    MeshGatherer g;
    ASSERT_EQ(exporter.exportMesh(g, temporary.get(), HostFilename("D:\\out\\models.room"),
                                  HostFilename("lights-3"), converted.get(), 0.01f, nullptr),
              1);
    const ZarvexMesh mesh = readMesh("lights-3.zvmesh");
    EXPECT_EQ(mesh.used_materials, std::vector<std::string>{"defaultLight"});
    EXPECT_EQ(mesh.triangles.size(), 2u);
    for (const ZarvexVec3& v : mesh.verts) {
        // 100 units at scale 0.01, in the plane z = 0 of the host, which is the scene's y = 0.
        EXPECT_FLOAT_EQ(std::abs(v.x), 0.5f);
        EXPECT_FLOAT_EQ(v.y, 0.0f);
    }
    EXPECT_EQ(consoleStartingWith("--Exported mesh: ").size(), 1u);
}

TEST_F(Mesh, TextureTagWithoutMaterialPrintsAnEmptyName) {
    headless::HObject* cube = addCube("Cube");
    addTextureTag(cube, nullptr);
    MeshGatherer g;
    ASSERT_EQ(exporter.gatherMesh(g, cube, nullptr), 1);
    EXPECT_TRUE(consoleHas("\"\""));
}

// The ordered-map method the deduplication must match exactly.
struct MapReference {
    std::map<std::tuple<float, float, float, float, float, float>, uint32_t> vertices;
    std::map<std::pair<float, float>, uint32_t> uvs;
    ZarvexMesh mesh;
    uint32_t vertex(const ZarvexVec3& p, const ZarvexVec3& n, bool smoothed) {
        const auto key = smoothed ? std::make_tuple(p.x, p.y, p.z, n.x, n.y, n.z)
                                  : std::make_tuple(p.x, p.y, p.z, 0.0f, 0.0f, 0.0f);
        const auto [it, isNew] = vertices.emplace(key, uint32_t(mesh.verts.size()));
        if (isNew) {
            mesh.verts.push_back(p);
            if (smoothed) {
                mesh.normals.push_back(n);
            }
        }
        return it->second;
    }
    uint32_t uv(const ZarvexUVPair& t) {
        const auto [it, isNew] =
            uvs.emplace(std::make_pair(t.u, t.v), uint32_t(mesh.uv_pairs.size()));
        if (isNew) {
            mesh.uv_pairs.push_back(t);
        }
        return it->second;
    }
};

TEST(Deduplication, GivesTheOrderedMapsIndicesInOrderOfFirstUse) {
    // Few distinct values, so keys repeat often; 0 and -0 are one value.
    const float values[] = {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 1e-30f, 3.25f};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, 6);
    for (const bool smoothed : {false, true}) {
        HashMeshDeduplicator hashed;
        hashed.reserve(16);
        ZarvexMesh mesh;
        MapReference reference;
        for (int i = 0; i < 20000; ++i) {
            const ZarvexVec3 p{values[pick(random)], values[pick(random)], values[pick(random)]};
            const ZarvexVec3 n{values[pick(random) % 3], values[pick(random) % 3], 1.0f};
            const ZarvexUVPair t{values[pick(random)], values[pick(random)]};
            ASSERT_EQ(hashed.vertex(mesh, p, n, smoothed), reference.vertex(p, n, smoothed)) << i;
            ASSERT_EQ(hashed.uv(mesh, t), reference.uv(t)) << i;
        }
        ASSERT_EQ(mesh.verts.size(), reference.mesh.verts.size());
        ASSERT_EQ(mesh.normals.size(), reference.mesh.normals.size());
        for (std::size_t i = 0; i < mesh.verts.size(); ++i) {
            EXPECT_EQ(std::memcmp(&mesh.verts[i], &reference.mesh.verts[i], sizeof(ZarvexVec3)), 0);
        }
        EXPECT_EQ(mesh.uv_pairs.size(), reference.mesh.uv_pairs.size());
        EXPECT_GT(mesh.verts.size(), 100u);
    }
}

TEST(Deduplication, NormalsOfMeshLength) {
    const ZarvexVec3 tiny = normalizedMeshNormal({1e-8f, 0, 0});
    EXPECT_EQ(tiny.x, 1.0f);
    EXPECT_EQ(tiny.y, 0.0f);
    const ZarvexVec3 scaled = normalizedMeshNormal({0, 3, 4});
    EXPECT_FLOAT_EQ(scaled.y, 0.6f);
    EXPECT_FLOAT_EQ(scaled.z, 0.8f);
    const ZarvexVec3 unit = normalizedMeshNormal({0, 1, 0});
    EXPECT_EQ(unit.y, 1.0f);
}

TEST_F(Mesh, OneMeshThatCannotBeWrittenIsLeftOutAndTheExportGoesOn) {
    headless::HObject* bad = addCube("Bad");
    HostMaterial* m = addMaterial("M");
    addTextureTag(bad, m);
    addHelper(std::string(1100, 'h'), m);
    addCube("Good");
    ASSERT_EQ(exportTo(), 1);
    EXPECT_TRUE(consoleHas("String too long."));
    ASSERT_EQ(elements("mesh").size(), 1u);
    EXPECT_EQ(elements("mesh")[0]->FirstChild()->ValueStr(), "Good");
    EXPECT_EQ(elements("model").size(), 1u);
    EXPECT_EQ(readMesh("room-3.zvmesh").triangles.size(), 12u);
}

TEST_F(Mesh, WrittenFilesReadBackWithTheCountsOfTheConsole) {
    // A grid with smoothing, a selection and a texture, a subdivided cube and an instance.
    headless::HObject* grid = add(HostType::kPlane, "Grid");
    grid->data().setInt(PlaneParam::kWidthSegments, 60);
    grid->data().setInt(PlaneParam::kHeightSegments, 40);
    addTag(grid, HostType::kPhongTag);
    addTextureTag(grid, addMaterial("M"));
    headless::HObject* generator = add(HostType::kSubdivisionGenerator, "Smooth");
    generator->data().setInt(SubdivisionGeneratorParam::kLevel, 2);
    headless::HObject* cube = addCube("Cube", generator);
    addSelection(cube, "Top", {1, 2});
    addInstance("Copy", generator);
    ASSERT_EQ(exportTo(), 1);
    const std::regex line(
        R"(--Exported mesh: (.*), (\d+) Tris, (\d+) Vertices, (\d+) UVs\. Processing Time: \d+\.\d{3}s\. Export Time: \d+\.\d{3}s)");
    const std::vector<std::string> lines = consoleStartingWith("--Exported mesh: ");
    ASSERT_EQ(lines.size(), 2u);
    const std::vector<const TiXmlElement*> meshes = elements("mesh");
    ASSERT_EQ(meshes.size(), 2u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[i], m, line)) << lines[i];
        const ZarvexMesh mesh = readMesh(childText(meshes[i], "name"));
        EXPECT_EQ(std::to_string(mesh.triangles.size()), m[2].str());
        EXPECT_EQ(std::to_string(mesh.verts.size()), m[3].str());
        EXPECT_EQ(std::to_string(mesh.uv_pairs.size()), m[4].str());
        EXPECT_EQ(mesh.num_uv_mappings, 1u);
        ASSERT_EQ(mesh.uv_set_names.size(), 1u);
        EXPECT_EQ(mesh.uv_set_names[0].first, "default");
    }
    EXPECT_EQ(readMesh("room-1.zvmesh").triangles.size(), 60u * 40u * 2u);
    EXPECT_EQ(readMesh("room-1.zvmesh").normals.size(), readMesh("room-1.zvmesh").verts.size());
    // Level 2 makes 16 quadrangles of each; the selected ones are a group of their own.
    EXPECT_EQ(readMesh("room-2.zvmesh").triangles.size(), 6u * 16u * 2u);
    EXPECT_EQ(readMesh("room-2.zvmesh").used_materials, std::vector<std::string>{"defaultMat"});
    EXPECT_TRUE(consoleHas("Instances exported: 1"));
}

} // namespace
} // namespace testing_export
