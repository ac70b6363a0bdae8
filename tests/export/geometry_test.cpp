// Geometry elements: mesh, model, exit_portal and sphere, with their names, paths and transforms.
#include "export_fixture.h"

#include "objects/exit_portal_tag_ids.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"
#include "plugin/plugin_ids.h"

namespace testing_export {
namespace {

namespace fs = std::filesystem;

using Geometry = ExportTest;

// The exporter with its scene scale and scene root in reach, for element writers called alone.
class OpenExporter : public ZarvexSceneExporter {
public:
    void setScale(float s) { sceneScale_ = s; }
    void setRoot(TiXmlElement* root) { sceneRoot_ = root; }
};

std::vector<std::string> childNames(const TiXmlElement* e) {
    std::vector<std::string> names;
    for (const TiXmlElement* c = e->FirstChildElement(); c; c = c->NextSiblingElement()) {
        names.push_back(c->Value());
    }
    return names;
}

TEST_F(Geometry, ObjectWithoutPolygonsGivesNoElement) {
    addPolygons("Points only", {{0, 0, 0}, {1, 0, 0}}, {});
    ASSERT_EQ(exportTo(), 1);
    EXPECT_TRUE(elements("mesh").empty());
    EXPECT_TRUE(elements("model").empty());
    EXPECT_FALSE(fs::exists(root / "out" / "models.room" / "room-1.zvmesh"));
}

TEST_F(Geometry, MeshAndModelNamesAndPaths) {
    for (int i = 0; i < 6; ++i) {
        add(HostType::kNull, "Null " + std::to_string(i));
    }
    headless::HObject* cube = addCube("Seventh");
    addTag(cube, HostType::kPhongTag);
    ASSERT_EQ(exportTo(), 1);
    ASSERT_EQ(elements("mesh").size(), 1u);
    const TiXmlElement* mesh = elements("mesh")[0];
    EXPECT_EQ(mesh->FirstChild()->ValueStr(), "Seventh");
    EXPECT_EQ(childNames(mesh),
              (std::vector<std::string>{"name", "normal_smoothing", "external",
                                        "merge_vertices_with_same_pos_and_normal"}));
    EXPECT_EQ(childText(mesh, "name"), "room-7.zvmesh");
    EXPECT_EQ(childText(mesh, "normal_smoothing"), "true");
    EXPECT_EQ(childText(mesh->FirstChildElement("external"), "path"),
              "D:\\out\\models.room\\room-7.zvmesh");
    EXPECT_EQ(childText(mesh, "merge_vertices_with_same_pos_and_normal"), "false");
    const TiXmlElement* model = elements("model")[0];
    EXPECT_EQ(childNames(model),
              (std::vector<std::string>{"scale", "mesh_name", "pos", "rotation"}));
    EXPECT_EQ(childText(model, "scale"), "1.000000");
    EXPECT_EQ(childText(model, "mesh_name"), "room-7.zvmesh");
    EXPECT_TRUE(fs::is_regular_file(root / "out" / "models.room" / "room-7.zvmesh"));
}

TEST_F(Geometry, NoGeometryWritesElementsButNoFiles) {
    addCube("Cube");
    ASSERT_EQ(exportTo("D:\\out\\room.zvs", false, true), 1);
    EXPECT_EQ(elements("mesh").size(), 1u);
    EXPECT_EQ(elements("model").size(), 1u);
    EXPECT_FALSE(fs::exists(root / "out" / "models.room" / "room-1.zvmesh"));
    EXPECT_TRUE(consoleStartingWith("--Exported mesh: ").empty());
}

TEST_F(Geometry, TransformTexts) {
    struct Case {
        HostMatrix matrix;
        float scale;
        const char* pos;
        const char* rotation;
    };
    HostMatrix shifted;
    shifted.off = {1, 2, 3};
    HostMatrix turned;
    turned.v1 = {0, 0, -1};
    turned.v2 = {0, 1, 0};
    turned.v3 = {1, 0, 0};
    HostMatrix scaled;
    scaled.v1 = {2, 0, 0};
    scaled.off = {0, 100, 0};
    const Case cases[] = {
        {shifted, 0.01f, "0.010000 0.030000 0.020000",
         "1.00000000 0.00000000 0.00000000 0.00000000 1.00000000 0.00000000 0.00000000 "
         "0.00000000 1.00000000"},
        {turned, 1.0f, "0.000000 0.000000 0.000000",
         "0.00000000 1.00000000 0.00000000 -1.00000000 0.00000000 0.00000000 0.00000000 "
         "0.00000000 1.00000000"},
        // The axes keep their scaling and are not multiplied by the scene scale.
        {scaled, 0.5f, "0.000000 0.000000 50.000000",
         "2.00000000 0.00000000 0.00000000 0.00000000 1.00000000 0.00000000 0.00000000 "
         "0.00000000 1.00000000"},
    };
    for (const Case& c : cases) {
        OpenExporter e;
        e.setScale(c.scale);
        TiXmlElement parent("model");
        e.writeTransform(&parent, c.matrix);
        EXPECT_EQ(childText(&parent, "pos"), c.pos);
        EXPECT_EQ(childText(parent.FirstChildElement("rotation"), "matrix"), c.rotation);
    }
}

TEST_F(Geometry, ExitPortalTag) {
    headless::HObject* on = addCube("Portal");
    addTag(on, PluginId::kExitPortalTag);
    headless::HObject* off = addCube("Switched off");
    addTag(off, PluginId::kExitPortalTag)->data().setBool(EXITPORTAL_ENABLED, false);
    ASSERT_EQ(exportTo(), 1);
    EXPECT_EQ(elements("mesh").size(), 2u);
    EXPECT_TRUE(elements("model").empty());
    ASSERT_EQ(elements("exit_portal").size(), 1u);
    const TiXmlElement* portal = elements("exit_portal")[0];
    EXPECT_EQ(portal->FirstChild()->ValueStr(), "Portal");
    EXPECT_EQ(childNames(portal),
              (std::vector<std::string>{"scale", "mesh_name", "pos", "rotation"}));
    EXPECT_EQ(childText(portal, "mesh_name"), "room-1.zvmesh");
    EXPECT_TRUE(fs::is_regular_file(root / "out" / "models.room" / "room-2.zvmesh"));
}

TEST_F(Geometry, ObjectWithLightTagKeepsItsMeshButGetsNoModel) {
    addTag(addCube("Glowing"), PluginId::kLightTag);
    ASSERT_EQ(exportTo(), 1);
    EXPECT_EQ(elements("mesh").size(), 1u);
    EXPECT_TRUE(elements("model").empty());
}

TEST_F(Geometry, NewSubdivisionTagWritesItsDefaults) {
    addTag(addCube("Subdivided"), PluginId::kSubdivisionTag);
    ASSERT_EQ(exportTo(), 1);
    const TiXmlElement* mesh = elements("mesh")[0];
    EXPECT_EQ(childNames(mesh),
              (std::vector<std::string>{
                  "name", "normal_smoothing", "external", "merge_vertices_with_same_pos_and_normal",
                  "max_num_subdivisions", "subdivide_pixel_threshold",
                  "subdivide_curvature_threshold", "displacement_error_threshold",
                  "subdivision_smoothing", "view_dependent_subdivision", "wrap_u", "wrap_v"}));
    EXPECT_EQ(childText(mesh, "max_num_subdivisions"), "3");
    EXPECT_EQ(childText(mesh, "subdivide_pixel_threshold"), "0.000000");
    EXPECT_EQ(childText(mesh, "subdivide_curvature_threshold"), "0.100000");
    EXPECT_EQ(childText(mesh, "displacement_error_threshold"), "0.000000");
    for (const char* flag :
         {"subdivision_smoothing", "view_dependent_subdivision", "wrap_u", "wrap_v"}) {
        EXPECT_EQ(childText(mesh, flag), "false") << flag;
    }
}

TEST_F(Geometry, SphereRadiusIgnoresTheObjectsScale) {
    headless::HObject* sphere = add(HostType::kSphere, "Ball");
    sphere->data().setReal(SphereParam::kRadius, 50);
    HostMatrix m;
    m.v1 = {3, 0, 0};
    m.off = {0, 100, 0};
    OpenExporter e;
    e.setScale(0.01f);
    TiXmlElement root("scene");
    e.setRoot(&root);
    e.writeSphereElement(sphere, m, false);
    e.writeSphereElement(sphere, m, true);
    const TiXmlElement* first = root.FirstChildElement("sphere");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(childNames(first), (std::vector<std::string>{"center", "radius", "material_name"}));
    EXPECT_EQ(childText(first, "center"), "0.000000 0.000000 1.000000");
    EXPECT_EQ(childText(first, "radius"), "0.500000");
    EXPECT_EQ(childText(first, "material_name"), "defaultMat");
    EXPECT_EQ(childText(first->NextSiblingElement("sphere"), "material_name"), "defaultLight");
}

TEST_F(Geometry, SphereUsesTheHelperOfItsTexture) {
    headless::HObject* sphere = add(HostType::kSphere, "Ball");
    HostMaterial* m = addMaterial("Red");
    addTextureTag(sphere, m);
    addHelper("Red helper", m);
    ASSERT_EQ(exportTo(), 1);
    ASSERT_EQ(elements("sphere").size(), 1u);
    EXPECT_EQ(childText(elements("sphere")[0], "material_name"), "Red helper");
    EXPECT_EQ(childText(elements("sphere")[0], "radius"), "100.000000");
}

} // namespace
} // namespace testing_export
