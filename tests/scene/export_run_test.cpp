// Whole export runs: the order of the scene's top-level elements, and a document without a view.
#include "scene_fixture.h"

#include "objects/camera_tag_ids.h"
#include "plugin/host/material.h"
#include "plugin/host/render_data.h"
#include "scene/render_settings_ids.h"
#include "util/xml_parse.h"

#include <fstream>
#include <sstream>

namespace scenetest {
namespace {

class ExportRun : public SceneTest {
protected:
    // A run starts from the empty document that the previous run left.
    ExportRun() { exporter_.sceneDocument().Clear(); }
    // The saved scene's top-level element names in order.
    std::vector<std::string> savedElements(TiXmlDocument& saved) {
        std::ifstream in(driveC() / "scene" / "test.zvs");
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_TRUE(parseXmlDocument(text.str(), saved)) << text.str();
        std::vector<std::string> names;
        const TiXmlElement* root = saved.FirstChildElement("scene");
        for (const TiXmlElement* e = root ? root->FirstChildElement() : nullptr; e;
             e = e->NextSiblingElement()) {
            names.push_back(e->ValueStr());
        }
        return names;
    }
};

TEST_F(ExportRun, SceneCarriesSettingsCameraEnvironmentToneMappingAndMaterials) {
    HostVideoPost* settings = addRenderSettings();
    settings->data().setInt(RENDERSET_ENVIRONMENT, RENDERSET_ENV_SUN_SKY);
    HostTag* tag = addCameraTag(addCamera());
    tag->data().setInt(CAMTAG_TONEMAPPING, CAMTAG_TM_LINEAR);
    HostMaterial* lamp = addMaterial("Lamp");
    HostObject* emitter = addHelper(lamp, MATHELPER_TYPE_DIFFUSE);
    emitter->data().setBool(MATHELPER_EMISSION, true);
    emitter->data().setInt(MATHELPER_EMISSION_LAYER, 1);
    addHelper(addMaterial("Glass"), MATHELPER_TYPE_SPECULAR);

    ASSERT_EQ(exporter_.exportScene(), 1);
    TiXmlDocument saved;
    EXPECT_EQ(savedElements(saved),
              (std::vector<std::string>{"renderer_settings", "camera", "skylight", "layer_name",
                                        "tonemapping", "material", "material", "material", "medium",
                                        "material", "layer_name", "layer_name"}));
    const TiXmlElement* root = saved.FirstChildElement("scene");
    // The scale set from the render settings reaches the camera.
    EXPECT_STREQ(root->FirstChildElement("camera")->FirstChildElement("focus_distance")->GetText(),
                 "20.000000");
    EXPECT_STREQ(root->FirstChildElement("tonemapping")->FirstChildElement()->Value(), "linear");
    const TiXmlElement* lastLayer = root->LastChild("layer_name")->ToElement();
    EXPECT_STREQ(lastLayer->FirstChildElement("layer_name")->GetText(), "Layer 1");
    EXPECT_STREQ(lastLayer->FirstChildElement("layer_index")->GetText(), "2");

    // A second run writes the same scene again.
    std::ifstream first(driveC() / "scene" / "test.zvs");
    std::stringstream before;
    before << first.rdbuf();
    ASSERT_EQ(exporter_.exportScene(), 1);
    std::ifstream second(driveC() / "scene" / "test.zvs");
    std::stringstream after;
    after << second.rdbuf();
    EXPECT_EQ(before.str(), after.str());
}

TEST_F(ExportRun, DocumentWithoutViewIsNotExported) {
    doc().setShown(false);
    EXPECT_EQ(exporter_.exportScene(), 0);
    EXPECT_FALSE(std::filesystem::exists(driveC() / "scene" / "test.zvs"));
    const auto& lines = host_.consoleLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Export stopped: the document has no view to take the camera from."),
              lines.end());
    // The exporter is whole again for the next run.
    doc().setShown(true);
    EXPECT_EQ(exporter_.exportScene(), 1);
}

} // namespace
} // namespace scenetest
