// renderer_settings from the render-settings node, the scene scale, tone mapping from the camera
// tag and the layer names.
#include "scene_fixture.h"

#include "objects/camera_tag_ids.h"
#include "plugin/host/render_data.h"
#include "scene/render_settings_ids.h"

#include <limits>

namespace scenetest {
namespace {

class RendererSettings : public SceneTest {
protected:
    std::string written() {
        exporter_.findRenderSettings();
        exporter_.writeRendererSettings(exporter_.rendererSettings());
        return childrenXml(exporter_.rendererSettings());
    }
};

TEST_F(RendererSettings, FreshNodeWritesTheRendererDefaults) {
    addRenderSettings();
    EXPECT_EQ(written(), "<metropolis>true</metropolis><halt_time>-1.000000</halt_time>"
                         "<halt_samples_per_pixel>-1.000000</halt_samples_per_pixel>"
                         "<bidirectional>true</bidirectional><hybrid>false</hybrid>"
                         "<logging>true</logging><display_period>60</display_period>"
                         "<image_save_period>300</image_save_period>"
                         "<save_untonemapped_exr>false</save_untonemapped_exr>"
                         "<save_tonemapped_exr>false</save_tonemapped_exr>"
                         "<save_zvi>true</save_zvi>"
                         "<auto_choose_num_threads>true</auto_choose_num_threads>"
                         "<cache_trees>true</cache_trees><polarisation>false</polarisation>");
    EXPECT_FLOAT_EQ(exporter_.sceneScale_, 0.01f);
}

TEST_F(RendererSettings, AdvancedValuesAndThreadCountAppearWhenAskedFor) {
    HostVideoPost* node = addRenderSettings();
    node->data().setBool(RENDERSET_ADVANCED, true);
    node->data().setBool(RENDERSET_AUTO_THREADS, false);
    node->data().setReal(RENDERSET_DISPLAY_PERIOD, 12.9f);
    const std::string text = written();
    EXPECT_NE(text.find("<metropolis>true</metropolis>"
                        "<large_mutation_prob>0.400000</large_mutation_prob>"
                        "<max_change>0.010000</max_change>"
                        "<max_num_consec_rejections>1000</max_num_consec_rejections>"
                        "<max_depth>10000</max_depth><bih_tri_threshold>800</bih_tri_threshold>"
                        "<halt_time>"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("<display_period>12</display_period>"), std::string::npos) << text;
    // The thread count is the one the host reported when the node was created.
    EXPECT_NE(text.find("<auto_choose_num_threads>false</auto_choose_num_threads>"
                        "<num_threads>6</num_threads><cache_trees>"),
              std::string::npos)
        << text;
}

TEST_F(RendererSettings, WithoutAnActiveNodeTheRendererChoosesMetropolis) {
    const char* const expected =
        "<metropolis>true</metropolis><bidirectional>false</bidirectional>";
    EXPECT_EQ(written(), expected);
    exporter_.begin();
    HostVideoPost* node = addRenderSettings();
    node->setBit(HostBit::kDisabled, true);
    EXPECT_EQ(written(), expected);
    EXPECT_FLOAT_EQ(exporter_.sceneScale_, 1.0f);

    // A second node that is switched on is the one that counts.
    exporter_.begin();
    HostVideoPost* second = doc().activeRenderData()->insertVideoPost(
        host_.createVideoPost(PluginId::kRenderSettings), node);
    second->data().setInt(RENDERSET_INTEGRATOR, RENDERSET_INTEGRATOR_PT);
    EXPECT_EQ(written().substr(0, 30), "<metropolis>false</metropolis>");
}

TEST_F(RendererSettings, IntegratorChoices) {
    HostVideoPost* node = addRenderSettings();
    const std::tuple<int32_t, bool, bool> cases[] = {
        {RENDERSET_INTEGRATOR_PT, false, false},
        {RENDERSET_INTEGRATOR_BIDIR, false, true},
        {RENDERSET_INTEGRATOR_MLT, true, false},
        {RENDERSET_INTEGRATOR_BIDIR_MLT, true, true},
    };
    for (const auto& [value, metropolis, bidirectional] : cases) {
        exporter_.begin();
        node->data().setInt(RENDERSET_INTEGRATOR, value);
        const std::string text = written();
        EXPECT_EQ(text.find(metropolis ? "<metropolis>true" : "<metropolis>false"), 0u) << value;
        EXPECT_NE(text.find(bidirectional ? "<bidirectional>true" : "<bidirectional>false"),
                  std::string::npos)
            << value;
    }
}

TEST_F(RendererSettings, UnitSetsTheSceneScale) {
    HostVideoPost* node = addRenderSettings();
    node->data().setReal(RENDERSET_CUSTOM_SCALE, 0.0254f);
    const std::pair<int32_t, float> cases[] = {
        {RENDERSET_UNIT_KM, 1000.0f},
        {RENDERSET_UNIT_M, 1.0f},
        {RENDERSET_UNIT_CM, 0.01f},
        {RENDERSET_UNIT_MM, 0.001f},
        {RENDERSET_UNIT_CUSTOM, 0.0254f},
        // A value outside the table keeps the scale as it was.
        {4711, 1.0f},
    };
    for (const auto& [unit, scale] : cases) {
        exporter_.begin();
        node->data().setInt(RENDERSET_UNIT, unit);
        written();
        EXPECT_FLOAT_EQ(exporter_.sceneScale_, scale) << unit;
    }
}

TEST_F(RendererSettings, NodeTakesItsUnitFromTheHostPreference) {
    const std::pair<int32_t, int32_t> cases[] = {
        {1, RENDERSET_UNIT_KM}, {2, RENDERSET_UNIT_M},      {3, RENDERSET_UNIT_CM},
        {4, RENDERSET_UNIT_MM}, {5, RENDERSET_UNIT_CUSTOM}, {0, RENDERSET_UNIT_CUSTOM},
    };
    for (const auto& [preference, unit] : cases) {
        host_.worldPreferences().setInt(HostPreference::kUnit, preference);
        std::unique_ptr<HostVideoPost> node = host_.createVideoPost(PluginId::kRenderSettings);
        EXPECT_EQ(node->data().getInt(RENDERSET_UNIT), unit) << preference;
        EXPECT_FLOAT_EQ(node->data().getReal(RENDERSET_CUSTOM_SCALE), 1.0f);
    }
}

class ToneMapping : public SceneTest {
protected:
    std::string written() {
        exporter_.writeToneMapping();
        return scene();
    }
    void writeSettingsFile(const std::string& rendererDirectory) {
        writeNativeFile(driveC() / "plugin" / "presets" / "tolvaneSettings.cfg",
                        "<global_settings>\n    <PATH>" + rendererDirectory +
                            "</PATH>\n</global_settings>\n");
    }
    HostContainer& tag() { return exporter_.cameraTagData_; }
};

TEST_F(ToneMapping, WithoutATagIsReinhard) {
    EXPECT_EQ(written(), "<tonemapping><reinhard><pre_scale>3.000000</pre_scale>"
                         "<post_scale>1.000000</post_scale><burn>10.000000</burn></reinhard>"
                         "</tonemapping>");
}

TEST_F(ToneMapping, LinearScale) {
    tag().setInt(CAMTAG_TONEMAPPING, CAMTAG_TM_LINEAR);
    tag().setReal(CAMTAG_SCALE, 2.5f);
    EXPECT_EQ(written(), "<tonemapping><linear><scale>2.500000</scale></linear></tonemapping>");
}

TEST_F(ToneMapping, CameraResponsePathIsRelativeToTheRendererDirectory) {
    struct Case {
        const char* settings;
        std::string response;
        std::string expected;
    };
    const Case cases[] = {
        {"C:\\Renderers\\Zarvex", "data/camera_response_functions/Advantix-100CD.txt",
         "data/camera_response_functions/Advantix-100CD.txt"},
        {"C:\\Renderers\\Zarvex", "C:\\Film\\curves\\kodak.txt", "..\\..\\Film\\curves\\kodak.txt"},
        {"C:\\Renderers\\Zarvex", "C:\\Renderers\\Zarvex\\data\\own.txt", "data\\own.txt"},
        // No settings file: the path is left empty.
        {nullptr, "C:\\Film\\kodak.txt", ""},
    };
    for (const Case& c : cases) {
        exporter_.begin();
        std::filesystem::remove(driveC() / "plugin" / "presets" / "tolvaneSettings.cfg");
        if (c.settings != nullptr) {
            writeSettingsFile(c.settings);
        }
        tag().setInt(CAMTAG_TONEMAPPING, CAMTAG_TM_CAMERA);
        tag().setReal(CAMTAG_FILM_ISO, 200.0f);
        tag().setFilename(CAMTAG_RESPONSE_FUNCTION, HostFilename(c.response));
        EXPECT_EQ(written(), "<tonemapping><camera><film_iso>200.000000</film_iso>"
                             "<ev_adjust>0.000000</ev_adjust><response_function_path>" +
                                 c.expected + "</response_function_path></camera></tonemapping>")
            << c.response;
    }
}

class Layers : public SceneTest {};

TEST_F(Layers, UserLayersFollowTheSunAndSky) {
    HostVideoPost* node = addRenderSettings();
    node->data().setInt(RENDERSET_ENVIRONMENT, RENDERSET_ENV_SUN_SKY);
    exporter_.findRenderSettings();
    exporter_.writeEnvironment();
    EXPECT_EQ(exporter_.emitterLayer(2), 3);
    exporter_.writeLayers();
    const std::string text = scene();
    EXPECT_NE(text.find("</skylight>"
                        "<layer_name><layer_name>Sun/Sky</layer_name><layer_index>0</layer_index>"
                        "</layer_name>"),
              std::string::npos);
    EXPECT_NE(text.find("<layer_name><layer_name>Layer 0</layer_name><layer_index>1</layer_index>"
                        "</layer_name><layer_name><layer_name>Layer 1</layer_name>"
                        "<layer_index>2</layer_index></layer_name><layer_name><layer_name>Layer 2"
                        "</layer_name><layer_index>3</layer_index></layer_name>"),
              std::string::npos)
        << text;
}

TEST_F(Layers, UserLayersStayWithinZeroToTheHighestUserLayer) {
    struct Case {
        int32_t base, user, layer;
    };
    const int32_t most = std::numeric_limits<int32_t>::max();
    const int32_t least = std::numeric_limits<int32_t>::min();
    const Case cases[] = {
        {0, -1, 0},
        {0, least, 0},
        {1, -7, 1},
        {0, kHighestUserLayer, kHighestUserLayer},
        {0, kHighestUserLayer + 1, kHighestUserLayer},
        {1, most, kHighestUserLayer + 1},
    };
    for (const Case& c : cases) {
        exporter_.begin();
        exporter_.layerBase_ = c.base;
        EXPECT_EQ(exporter_.emitterLayer(c.user), c.layer) << c.base << " " << c.user;
        EXPECT_EQ(exporter_.highestLayer_, c.layer) << c.base << " " << c.user;
    }

    // An imported or typed-in layer far out of range names a bounded list of layers.
    exporter_.begin();
    HostObject* helper = addHelper(addMaterial("Lamp"), MATHELPER_TYPE_DIFFUSE);
    helper->data().setInt(MATHELPER_EMISSION_LAYER, most);
    TiXmlElement parent("diffuse");
    exporter_.writeBaseEmission(helper->data(), &parent);
    EXPECT_EQ(childrenXml(parent.FirstChildElement("layer")), "999");
    exporter_.writeLayers();
    const TiXmlElement* last = exporter_.sceneRoot()->LastChild("layer_name")->ToElement();
    EXPECT_EQ(childrenXml(last),
              "<layer_name>Layer 999</layer_name><layer_index>999</layer_index>");
    int names = 0;
    for (const TiXmlElement* e = exporter_.sceneRoot()->FirstChildElement("layer_name"); e;
         e = e->NextSiblingElement("layer_name")) {
        ++names;
    }
    EXPECT_EQ(names, kHighestUserLayer + 1);
}

TEST_F(Layers, LayerZeroIsNamedEvenWithoutEmitters) {
    exporter_.writeLayers();
    EXPECT_EQ(scene(), "<layer_name><layer_name>Layer 0</layer_name><layer_index>0</layer_index>"
                       "</layer_name>");
}

TEST_F(Layers, SunAndSkyAloneNamesNoUserLayer) {
    exporter_.writeLayerName("Sun/Sky", 0);
    ++exporter_.layerBase_;
    exporter_.writeLayers();
    EXPECT_EQ(scene(), "<layer_name><layer_name>Sun/Sky</layer_name><layer_index>0</layer_index>"
                       "</layer_name>");
}

TEST_F(Layers, MaterialAlias) {
    exporter_.writeMaterialAlias("gold", "previewMat");
    EXPECT_EQ(scene(), "<alias_material><current_name>gold</current_name>"
                       "<new_name>previewMat</new_name></alias_material>");
}

} // namespace
} // namespace scenetest
