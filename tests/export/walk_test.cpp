// The walk over the tree: generator inputs, deform caches, visibility, spheres, instancing and
// the material helpers' unique names.
#include "export_fixture.h"

#include "objects/instance_ids.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"
#include "plugin/plugin_ids.h"

namespace testing_export {
namespace {

namespace fs = std::filesystem;

using Walk = ExportTest;

std::vector<std::string> meshNames(const std::vector<const TiXmlElement*>& elements,
                                   const char* child) {
    std::vector<std::string> names;
    for (const TiXmlElement* e : elements) {
        names.push_back(ExportTest::childText(e, child));
    }
    return names;
}

TEST_F(Walk, GeneratorInputIsNeitherExportedNorCounted) {
    headless::HObject* generator = add(HostType::kSubdivisionGenerator, "Subdivided");
    addCube("Input", generator);
    addCube("After");
    ASSERT_EQ(exportTo(), 1);
    // The generator's cache is object 1, the input is skipped, the cube after it is object 2.
    EXPECT_EQ(meshNames(elements("mesh"), "name"),
              (std::vector<std::string>{"room-1.zvmesh", "room-2.zvmesh"}));
    EXPECT_EQ(readMesh("room-1.zvmesh").triangles.size(), 6u * 4u * 2u);
    EXPECT_EQ(readMesh("room-2.zvmesh").triangles.size(), 12u);
}

TEST_F(Walk, GeneratorInputWithACacheOfItsOwnIsNotExported) {
    headless::HObject* generator = add(HostType::kSubdivisionGenerator, "Subdivided");
    add(HostType::kCube, "Input primitive", generator);
    ASSERT_EQ(exportTo(), 1);
    ASSERT_EQ(elements("mesh").size(), 1u);
    EXPECT_EQ(childText(elements("mesh")[0], "name"), "room-1.zvmesh");
    EXPECT_EQ(readMesh("room-1.zvmesh").triangles.size(), 6u * 4u * 2u);
}

TEST_F(Walk, DeformCacheIsExportedInTheObjectsMatrix) {
    headless::HObject* cube = addCube("Twisted");
    HostMatrix m;
    m.off = {10, 0, 0};
    cube->setLocalMatrix(m);
    headless::HObject* twist = add(HostType::kTwistDeformer, "Twist", cube);
    twist->data().setReal(TwistDeformerParam::kAnglePerUnit, 3.14159265f / 2);
    ASSERT_EQ(exportTo(), 1);
    ASSERT_EQ(elements("model").size(), 1u);
    EXPECT_EQ(childText(elements("model")[0], "pos"), "10.000000 0.000000 0.000000");
    // The top corner (1, 1, 1) turned by a quarter: (1, 1, -1), written as (x, z, y).
    const ZarvexMesh mesh = readMesh("room-1.zvmesh");
    bool found = false;
    for (const ZarvexVec3& v : mesh.verts) {
        found = found || (std::abs(v.x - 1) < 1e-5f && std::abs(v.y + 1) < 1e-5f &&
                          std::abs(v.z - 1) < 1e-5f);
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(mesh.verts.size(), 8u);
}

TEST_F(Walk, RenderVisibilityIsInheritedAndOverridden) {
    headless::HObject* hidden = add(HostType::kNull, "Hidden");
    hidden->setRenderVisibility(HostVisibility::Off);
    addCube("Default child", hidden)->setRenderVisibility(HostVisibility::Default);
    addCube("Visible child", hidden)->setRenderVisibility(HostVisibility::On);
    headless::HObject* hiddenCube = addCube("Hidden sibling");
    hiddenCube->setRenderVisibility(HostVisibility::Off);
    addCube("Next sibling");
    ASSERT_EQ(exportTo(), 1);
    std::vector<std::string> comments;
    for (const TiXmlElement* e : elements("model")) {
        comments.push_back(e->FirstChild()->ValueStr());
    }
    // A hidden sibling does not hide the siblings after it.
    EXPECT_EQ(comments, (std::vector<std::string>{"Visible child", "Next sibling"}));
}

TEST_F(Walk, UndeformedSphereIsASphereAndDeformedOneAMesh) {
    headless::HObject* plain = add(HostType::kSphere, "Plain");
    plain->data().setReal(SphereParam::kRadius, 50);
    headless::HObject* bent = add(HostType::kSphere, "Bent");
    add(HostType::kTwistDeformer, "Twist", bent)
        ->data()
        .setReal(TwistDeformerParam::kAnglePerUnit, 0.01f);
    ASSERT_EQ(exportTo(), 1);
    ASSERT_EQ(elements("sphere").size(), 1u);
    EXPECT_EQ(elements("sphere")[0]->FirstChild()->ValueStr(), "Plain");
    EXPECT_EQ(childText(elements("sphere")[0], "radius"), "50.000000");
    ASSERT_EQ(elements("mesh").size(), 1u);
    EXPECT_EQ(elements("mesh")[0]->FirstChild()->ValueStr(), "Bent");
}

TEST_F(Walk, TwoInstancesReuseOneMeshFile) {
    headless::HObject* cube = addCube("Cube");
    headless::HObject* a = addInstance("A", cube);
    headless::HObject* b = addInstance("B", cube);
    HostMatrix ma, mb;
    ma.off = {5, 0, 0};
    mb.off = {0, 0, 7};
    a->setLocalMatrix(ma);
    b->setLocalMatrix(mb);
    ASSERT_EQ(exportTo(), 1);
    EXPECT_EQ(elements("mesh").size(), 1u);
    EXPECT_EQ(meshNames(elements("model"), "mesh_name"),
              (std::vector<std::string>{"room-1.zvmesh", "room-1.zvmesh", "room-1.zvmesh"}));
    EXPECT_EQ(meshNames(elements("model"), "pos"),
              (std::vector<std::string>{"0.000000 0.000000 0.000000", "5.000000 0.000000 0.000000",
                                        "0.000000 7.000000 0.000000"}));
    EXPECT_TRUE(consoleHas("Instanced objects found: 1"));
    EXPECT_TRUE(consoleHas("Instances exported: 2"));
    EXPECT_EQ(consoleStartingWith("--Exported mesh: ").size(), 1u);
}

TEST_F(Walk, InstanceMetBeforeItsObjectStillPointsAtTheSameMesh) {
    headless::HObject* group = add(HostType::kNull, "Group");
    headless::HObject* later = add(HostType::kNull, "Later");
    headless::HObject* cube = addCube("Cube", later);
    addCube("Child", cube);
    addInstance("Early", later, group);
    ASSERT_EQ(exportTo(), 1);
    // Objects: Group (1), Early (2), Later (3), Cube (4), Child (5); the instance walks Later
    // with its children and meets Cube and Child under the indexes they have at their place.
    EXPECT_EQ(meshNames(elements("mesh"), "name"),
              (std::vector<std::string>{"room-4.zvmesh", "room-5.zvmesh"}));
    EXPECT_EQ(meshNames(elements("model"), "mesh_name"),
              (std::vector<std::string>{"room-4.zvmesh", "room-5.zvmesh", "room-4.zvmesh",
                                        "room-5.zvmesh"}));
    EXPECT_TRUE(consoleHas("Instances exported: 2"));
}

TEST_F(Walk, InstanceOfItsOwnParentExportsNothing) {
    headless::HObject* parent = add(HostType::kNull, "Parent");
    addCube("Cube", parent);
    addInstance("Loop", parent, parent);
    ASSERT_EQ(exportTo(), 1);
    EXPECT_EQ(elements("model").size(), 1u);
    EXPECT_TRUE(consoleHas("Instances exported: 0"));
}

TEST_F(Walk, InstancesReferringIntoEachOthersSubtreesEnd) {
    headless::HObject* first = add(HostType::kNull, "First");
    headless::HObject* second = add(HostType::kNull, "Second");
    addCube("Cube", first);
    addInstance("To second", second, first);
    addInstance("To first", first, second);
    ASSERT_EQ(exportTo(), 1);
    EXPECT_EQ(elements("mesh").size(), 1u);
    EXPECT_GE(elements("model").size(), 2u);
}

TEST_F(Walk, InstanceWithoutLinkOrWithUnreachedTargetIsLeftOut) {
    addInstance("Empty", nullptr);
    headless::HObject* hidden = add(HostType::kNull, "Hidden");
    hidden->setRenderVisibility(HostVisibility::Off);
    headless::HObject* cube = addCube("Cube");
    headless::HObject* holder = add(HostType::kNull, "Holder");
    // A hidden instance is not collected, so its target gets no record.
    headless::HObject* hiddenInstance = addInstance("Hidden instance", holder, hidden);
    (void)hiddenInstance;
    (void)cube;
    ASSERT_EQ(exportTo(), 1);
    EXPECT_TRUE(consoleHas("Instanced objects found: 0"));
    EXPECT_EQ(elements("model").size(), 1u);
}

TEST_F(Walk, HelpersWithTheSameNameGetUnderscores) {
    HostMaterial* m = addMaterial("Mat");
    addHelper("N", m);
    addHelper("N", m);
    addHelper("N", m);
    addHelper("N_", m);
    ASSERT_EQ(exportTo(), 1);
    std::vector<std::string> names;
    for (const MaterialHelperRecord& r : exporter.materialHelpers()) {
        names.push_back(r.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"N", "N_", "N__", "N___"}));
}

} // namespace
} // namespace testing_export
