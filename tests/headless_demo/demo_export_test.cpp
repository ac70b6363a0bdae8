// The demo exported through the real module: its scene holds an element of every scene writer.
#include "tests/headless_demo/demo_export_fixture.h"

#include "util/xml_parse.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace demotest {

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class DemoScene : public DemoExportTest {
protected:
    void SetUp() override {
        DemoExportTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        scene = folder() + "/demo.zvs";
        ASSERT_TRUE(exportTo(scene, text));
        ASSERT_TRUE(parseXmlDocument(text, xml));
        root = xml.FirstChildElement("scene");
        ASSERT_NE(root, nullptr);
    }

    // The named objects of `element`s, in scene order.
    std::vector<std::string> named(const char* element) const {
        std::vector<std::string> names;
        for (const TiXmlElement* e : elements(*root, element)) {
            names.push_back(commentOf(*e));
        }
        return names;
    }

    const TiXmlElement* material(const std::string& name) const {
        for (const TiXmlElement* m : elements(*root, "material")) {
            if (childText(*m, "name") == name) {
                return m;
            }
        }
        return nullptr;
    }

    // Where in the root's children the material `name` is.
    int materialPosition(const std::string& name) const {
        int at = 0;
        for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
            if (e->ValueStr() == "material" && childText(*e, "name") == name) {
                return at;
            }
            ++at;
        }
        return -1;
    }

    std::string scene;
    std::string text;
    TiXmlDocument xml;
    const TiXmlElement* root = nullptr;
};

TEST_F(DemoScene, GeometryElements) {
    // The plain sphere is a sphere; the twisted one is a mesh like every polygon object.
    EXPECT_THAT(named("sphere"), ElementsAre("Sphere"));
    EXPECT_EQ(childText(*root->FirstChildElement("sphere"), "material_name"), "Chrome");
    const std::vector<std::string> meshes = named("mesh");
    for (const char* object : {"Floor", "Cube", "Pyramid", "Window", "Pedestal", "Box",
                               "Twisted Sphere", "Crate", "Small Crate", "Visible Child"}) {
        EXPECT_EQ(std::count(meshes.begin(), meshes.end(), object), 1) << object;
    }
    // The render-invisible parent is left out, its visible child is not.
    EXPECT_EQ(text.find("Hidden Parent"), std::string::npos);
    EXPECT_THAT(named("exit_portal"), ElementsAre("Window"));

    // Instances place the meshes of their objects again: the cube twice, each crate three times.
    std::map<std::string, std::vector<std::string>> modelsOfMesh;
    for (const TiXmlElement* m : elements(*root, "model")) {
        modelsOfMesh[childText(*m, "mesh_name")].push_back(commentOf(*m));
    }
    std::map<std::string, std::string> meshOf;
    for (const TiXmlElement* m : elements(*root, "mesh")) {
        meshOf[commentOf(*m)] = childText(*m, "name");
        const std::string path = childText(*m->FirstChildElement("external"), "path");
        EXPECT_TRUE(fs::exists(folder() + "/models.demo/" + childText(*m, "name"))) << path;
    }
    EXPECT_EQ(modelsOfMesh[meshOf["Cube"]].size(), 2u);
    EXPECT_EQ(modelsOfMesh[meshOf["Crate"]].size(), 3u);
    EXPECT_EQ(modelsOfMesh[meshOf["Small Crate"]].size(), 3u);
    // The pedestal's subdivision tag reaches its mesh.
    for (const TiXmlElement* m : elements(*root, "mesh")) {
        EXPECT_EQ(m->FirstChildElement("max_num_subdivisions") != nullptr,
                  commentOf(*m) == "Pedestal")
            << commentOf(*m);
    }
}

TEST_F(DemoScene, MaterialElements) {
    // A blend names its parts, which the scene holds before it even though its helper comes
    // first.
    const TiXmlElement* mix = material("Mix");
    ASSERT_NE(mix, nullptr);
    const TiXmlElement* blend = mix->FirstChildElement("blend");
    ASSERT_NE(blend, nullptr);
    EXPECT_EQ(childText(*blend, "a_name"), "Brick");
    EXPECT_EQ(childText(*blend, "b_name"), "Plaster");
    EXPECT_EQ(childText(*blend->FirstChildElement("blend"), "constant"), "0.250000");
    EXPECT_LT(materialPosition("Brick"), materialPosition("Mix"));
    EXPECT_LT(materialPosition("Plaster"), materialPosition("Mix"));

    // Bitmaps named without a folder are found in the document's tex folder and written
    // relative to the scene.
    const TiXmlElement* brick = material("Brick");
    ASSERT_NE(brick, nullptr);
    std::vector<std::string> paths;
    for (const TiXmlElement* t : elements(*brick->FirstChildElement("oren_nayar"), "texture")) {
        paths.push_back(childText(*t, "path"));
    }
    EXPECT_THAT(paths, ElementsAre("tex\\brick.png", "tex\\brick_bump.png"));

    // The shader-language program, its texture slot numbered, as CDATA.
    EXPECT_THAT(text, HasSubstr("<![CDATA[def eval(vec3 pos) vec3 :\n"
                                "    mul(sample2DTextureVec3(0, getTexCoords(0)),"));
    const TiXmlElement* marble = material("Marble")->FirstChildElement("diffuse");
    EXPECT_EQ(childText(*marble->FirstChildElement("texture"), "path"), "tex\\marble.png");

    // Media of the specular and glossy transparent materials.
    std::map<std::string, const TiXmlElement*> media;
    for (const TiXmlElement* m : elements(*root, "medium")) {
        media[childText(*m, "name")] = m;
    }
    ASSERT_EQ(media.size(), 3u);
    ASSERT_TRUE(media.count("MedGlass") && media.count("MedFrosted") && media.count("MedSkin"));
    // What passes is (0.2, 0.5, 1.0); the absorption is the rest, three times.
    EXPECT_THAT(childText(*media["MedGlass"]
                               ->FirstChildElement("basic")
                               ->FirstChildElement("absorption_coefficient_spectrum")
                               ->FirstChildElement("rgb"),
                          "rgb"),
                "2.400000 1.500000 0.000000");
    EXPECT_NE(
        media["MedFrosted"]->FirstChildElement("basic")->FirstChildElement("subsurface_scattering"),
        nullptr);
    EXPECT_NE(media["MedSkin"]->FirstChildElement("epidermis"), nullptr);
    EXPECT_NE(material("Chrome")->FirstChildElement("phong")->FirstChildElement("nk_data"),
              nullptr);

    // The include names the demo's material file; it is no material of the scene itself.
    const TiXmlElement* include = root->FirstChildElement("include");
    ASSERT_NE(include, nullptr);
    EXPECT_EQ(childText(*include, "pathname"), windowsPath(folder() + "/gold.zvm"));
    EXPECT_EQ(material("Gold"), nullptr);

    // The neon glows on the user's light layer 1, which comes after the sun and sky's.
    const TiXmlElement* neon = material("Neon")->FirstChildElement("diffuse");
    EXPECT_NE(neon->FirstChildElement("base_emission"), nullptr);
    EXPECT_EQ(childText(*neon, "layer"), "2");
}

TEST_F(DemoScene, CameraSettingsAndEnvironment) {
    const TiXmlElement* settings = root->FirstChildElement("renderer_settings");
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(childText(*settings, "auto_choose_num_threads"), "false");
    EXPECT_EQ(childText(*settings, "num_threads"), "4");
    EXPECT_EQ(childText(*settings, "aperture_diffraction"), "true");
    const TiXmlElement* region = settings->FirstChildElement("render_region");
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(childText(*region, "x1") + " " + childText(*region, "x2") + " " +
                  childText(*region, "y1") + " " + childText(*region, "y2"),
              "100 700 100 500");

    const TiXmlElement* camera = root->FirstChildElement("camera");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(childText(*camera, "pos"), "0.000000 -6.000000 1.500000");
    // f/5.6 on the 36 mm lens.
    EXPECT_EQ(childText(*camera, "aperture_radius"), "0.003214");
    EXPECT_EQ(childText(*camera->FirstChildElement("obstacle_map"), "path"),
              windowsPath(folder() + "/tex/obstacle.png"));

    // The sun shines from the sun null at (10, 10, 0): y and z exchanged.
    const TiXmlElement* sky = root->FirstChildElement("skylight");
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(childText(*sky, "sundir"), "0.707107 0.000000 0.707107");
    std::vector<std::string> layers;
    for (const TiXmlElement* l : elements(*root, "layer_name")) {
        layers.push_back(childText(*l, "layer_name") + " " + childText(*l, "layer_index"));
    }
    EXPECT_THAT(layers, ElementsAre("Sun/Sky 0", "Layer 0 1", "Layer 1 2"));
}

} // namespace

} // namespace demotest
