// The render-settings node and the material helper as the host creates and describes them, and
// the host's material channels and shader links they rely on.
#include "scene_fixture.h"

#include "plugin/host/material.h"
#include "plugin/host/render_data.h"
#include "scene/render_settings_ids.h"

namespace scenetest {
namespace {

class RenderSettingsNodeTest : public SceneTest {
protected:
    RenderSettingsNodeTest() {
        host_.loadResources(HostFilename(host_.drives().toWindows(TOLVANE_SOURCE_DIR)));
        host_.registerDescription(PluginId::kRenderSettings, "oMyRenderSettings");
    }
};

TEST_F(RenderSettingsNodeTest, InitialValues) {
    HostVideoPost* node = addRenderSettings();
    const HostContainer& d = node->data();
    const std::pair<int32_t, HostValue> cases[] = {
        {RENDERSET_TURBIDITY, 2.0f},
        {RENDERSET_ADVANCED, false},
        {RENDERSET_MAX_DEPTH, 10000},
        {RENDERSET_MAX_NUM_CONSEC_REJECTIONS, 1000},
        {RENDERSET_HALT_TIME, -1.0f},
        {RENDERSET_SAVE_RAW_IMAGE, true},
        {RENDERSET_INTEGRATOR, RENDERSET_INTEGRATOR_BIDIR_MLT},
        {RENDERSET_CUSTOM_SCALE, 1.0f},
        {RENDERSET_LARGE_MUTATION_PROB, 0.4f},
        {RENDERSET_MAX_CHANGE, 0.01f},
        {RENDERSET_LOGGING, true},
        {RENDERSET_DISPLAY_PERIOD, 60.0f},
        {RENDERSET_IMAGE_SAVE_PERIOD, 300.0f},
        {RENDERSET_SAVE_UNTONEMAPPED_EXR, false},
        {RENDERSET_SAVE_TONEMAPPED_EXR, false},
        {RENDERSET_NUM_THREADS, 6},
        {RENDERSET_CACHE_TREES, true},
        {RENDERSET_UNUSED_1359, false},
        {RENDERSET_HYBRID, false},
        {RENDERSET_BIH_TRI_THRESHOLD, 800},
        {RENDERSET_ENVIRONMENT, RENDERSET_ENV_NONE},
        {RENDERSET_EXTRA_ATMOSPHERIC, false},
        {RENDERSET_HALT_SAMPLES_PER_PIXEL, -1.0f},
        {RENDERSET_AUTO_THREADS, true},
        {RENDERSET_UNIT, RENDERSET_UNIT_CM},
        {RENDERSET_UNUSED_1392, true},
    };
    for (const auto& [id, value] : cases) {
        ASSERT_NE(d.find(id), nullptr) << id;
        EXPECT_EQ(*d.find(id), value) << id;
    }
    EXPECT_FALSE(d.has(RENDERSET_SUN_OBJECT));
    EXPECT_FALSE(d.has(RENDERSET_BACKGROUND_HELPER));
    // Its render-time callbacks do nothing.
    auto* plugin = static_cast<VideoPostData*>(node->pluginData());
    EXPECT_EQ(plugin->execute(node, 1), 0);
    EXPECT_EQ(plugin->executeLine(node, 0, 0), 0);
}

TEST_F(RenderSettingsNodeTest, DescriptionShowsWhatTheChoicesUse) {
    HostVideoPost* node = addRenderSettings();
    HostContainer& d = node->data();
    const std::vector<int32_t> tuning = {RENDERSET_LARGE_MUTATION_PROB, RENDERSET_MAX_CHANGE,
                                         RENDERSET_MAX_NUM_CONSEC_REJECTIONS, RENDERSET_MAX_DEPTH,
                                         RENDERSET_BIH_TRI_THRESHOLD};
    struct Case {
        int32_t unit, environment;
        bool autoThreads, advanced;
        std::vector<int32_t> hidden, shown;
    };
    const Case cases[] = {
        {RENDERSET_UNIT_CM,
         RENDERSET_ENV_NONE,
         true,
         false,
         {RENDERSET_CUSTOM_SCALE, RENDERSET_BACKGROUND_GROUP, RENDERSET_SUN_SKY_GROUP,
          RENDERSET_NUM_THREADS},
         {}},
        {RENDERSET_UNIT_CUSTOM,
         RENDERSET_ENV_SUN_SKY,
         false,
         true,
         {RENDERSET_BACKGROUND_GROUP},
         {RENDERSET_CUSTOM_SCALE, RENDERSET_SUN_SKY_GROUP, RENDERSET_NUM_THREADS}},
        {RENDERSET_UNIT_M,
         RENDERSET_ENV_BACKGROUND_MATERIAL,
         true,
         false,
         {RENDERSET_CUSTOM_SCALE, RENDERSET_SUN_SKY_GROUP},
         {RENDERSET_BACKGROUND_GROUP}},
        // An environment outside the table leaves both groups as the resource has them.
        {RENDERSET_UNIT_M,
         4711,
         true,
         false,
         {RENDERSET_SUN_SKY_GROUP, RENDERSET_BACKGROUND_GROUP},
         {}},
    };
    for (const Case& c : cases) {
        d.setInt(RENDERSET_UNIT, c.unit);
        d.setInt(RENDERSET_ENVIRONMENT, c.environment);
        d.setBool(RENDERSET_AUTO_THREADS, c.autoThreads);
        d.setBool(RENDERSET_ADVANCED, c.advanced);
        auto description = std::make_unique<headless::HDescription>(host_);
        uint32_t flags = 0;
        ASSERT_TRUE(node->pluginData()->getDescription(node, *description, flags));
        EXPECT_EQ(flags & kDescriptionLoaded, kDescriptionLoaded);
        for (const int32_t id : c.hidden) {
            EXPECT_TRUE(description->isHidden(id)) << id;
        }
        for (const int32_t id : c.shown) {
            ASSERT_TRUE(description->hasEntry(id)) << id;
            EXPECT_FALSE(description->isHidden(id)) << id;
        }
        for (const int32_t id : tuning) {
            EXPECT_EQ(description->isHidden(id), !c.advanced) << id;
        }
    }
}

TEST(RenderSettingsNodeAlone, DescriptionFailsWithoutResource) {
    headless::HeadlessHost host;
    setHost(&host);
    headless::HDescription description(host);
    headless::HVideoPost node(PluginId::kRenderSettings);
    RenderSettingsNode plugin;
    uint32_t flags = 0;
    EXPECT_FALSE(plugin.getDescription(&node, description, flags));
    EXPECT_EQ(flags, 0u);
    setHost(nullptr);
}

TEST_F(SceneTest, MaterialHelperInitialValues) {
    std::unique_ptr<HostObject> fresh = host_.createObject(PluginId::kMaterialHelper);
    const HostContainer& d = fresh->data();
    const Vector grey(0.8f, 0.8f, 0.8f), white(1, 1, 1), black(0, 0, 0);
    const std::pair<int32_t, HostValue> cases[] = {
        {MATHELPER_TYPE, MATHELPER_TYPE_DIFFUSE},
        {MATHELPER_SYNC_HOST_COLOUR, true},
        {MATHELPER_COLOUR, grey},
        {MATHELPER_COLOUR_GAMMA, 2.2f},
        {MATHELPER_RANDOM_TRIANGLE_COLOURS, false},
        {MATHELPER_SIGMA, 0.2f},
        {MATHELPER_IOR, 1.0f},
        {MATHELPER_EXPONENT, 1000.0f},
        {MATHELPER_USE_NK_DATA, false},
        {MATHELPER_NK_FILE, "Cr.nk"},
        {MATHELPER_TRANSPARENT, true},
        {MATHELPER_BLEND_AMOUNT, 0.5f},
        {MATHELPER_STEP_BLEND, false},
        {MATHELPER_MEDIUM_TYPE, MATHELPER_MEDIUM_BASIC},
        {MATHELPER_PRECEDENCE, 10},
        {MATHELPER_MEDIUM_IOR, 1.0f},
        {MATHELPER_CAUCHY_B_COEFF, 0.0f},
        {MATHELPER_MELANIN_FRACTION, 0.25f},
        {MATHELPER_MELANIN_TYPE_BLEND, 0.5f},
        {MATHELPER_HEMOGLOBIN_FRACTION, 0.01f},
        {MATHELPER_ABSORPTION_TYPE, MATHELPER_ABSORPTION_RGB},
        {MATHELPER_ABSORPTION_TEMPERATURE, 6500.0f},
        {MATHELPER_ABSORPTION_GAIN, 1.0f},
        {MATHELPER_ABSORPTION_VALUE, 1.0f},
        {MATHELPER_ABSORPTION_COLOUR, white},
        {MATHELPER_ABSORPTION_GAMMA, 1.0f},
        {MATHELPER_ABSORPTION_SCALE, 1.0f},
        {MATHELPER_SUBSURFACE_SCATTERING, false},
        {MATHELPER_SCATTERING_TYPE, MATHELPER_SCATTERING_RGB},
        {MATHELPER_SCATTERING_TEMPERATURE, 6500.0f},
        {MATHELPER_SCATTERING_GAIN, 1.0f},
        {MATHELPER_SCATTERING_VALUE, 1.0f},
        {MATHELPER_SCATTERING_COLOUR, black},
        {MATHELPER_SCATTERING_GAMMA, 1.0f},
        {MATHELPER_SCATTERING_SCALE, 1.0f},
        {MATHELPER_PHASE_FUNCTION, MATHELPER_PHASE_UNIFORM},
        {MATHELPER_G_TYPE, MATHELPER_G_UNIFORM},
        {MATHELPER_G_VALUE, 0.9f},
        {MATHELPER_G_RED, 0.9f},
        {MATHELPER_G_GREEN, 0.9f},
        {MATHELPER_G_BLUE, 0.9f},
        {MATHELPER_G_GAMMA, 1.0f},
        {MATHELPER_EMISSION, false},
        {MATHELPER_EMISSION_LAYER, 0},
        {MATHELPER_EMISSION_TYPE, MATHELPER_EMISSION_RGB},
        {MATHELPER_EMISSION_COLOUR, white},
        {MATHELPER_EMISSION_GAMMA, 1.0f},
        {MATHELPER_EMISSION_SCALE, 1.0f},
        {MATHELPER_EMISSION_VALUE, 1.0f},
        {MATHELPER_EMISSION_TEMPERATURE, 6500.0f},
        {MATHELPER_EMISSION_GAIN, 1.0f},
        {MATHELPER_EMISSION_SCALE_MEASURE, MATHELPER_MEASURE_NONE},
        {MATHELPER_EMISSION_SCALE_VALUE, 100.0f},
        {MATHELPER_USE_IES, false},
        {MATHELPER_ALBEDO_CHANNEL, MATHELPER_CHANNEL_0},
        {MATHELPER_BLEND_CHANNEL, MATHELPER_CHANNEL_7},
        {MATHELPER_EXTRA_CHANNEL, MATHELPER_CHANNEL_12},
        {MATHELPER_EXPONENT_CHANNEL, MATHELPER_CHANNEL_9},
        {MATHELPER_BUMP_CHANNEL, MATHELPER_CHANNEL_6},
        {MATHELPER_DISPLACEMENT_CHANNEL, MATHELPER_CHANNEL_11},
        {MATHELPER_EMISSION_CHANNEL, MATHELPER_CHANNEL_1},
        {MATHELPER_ALBEDO_TEX_EXPONENT, 2.2f},
        {MATHELPER_ALBEDO_TEX_B, 1.0f},
        {MATHELPER_BLEND_TEX_EXPONENT, 1.0f},
        {MATHELPER_BLEND_TEX_B, 1.0f},
        {MATHELPER_EXPONENT_TEX_EXPONENT, 1.0f},
        {MATHELPER_EXPONENT_TEX_B, 10000.0f},
        {MATHELPER_BUMP_TEX_EXPONENT, 1.0f},
        {MATHELPER_BUMP_TEX_B, 0.001f},
        {MATHELPER_DISPLACEMENT_TEX_EXPONENT, 1.0f},
        {MATHELPER_DISPLACEMENT_TEX_B, 0.001f},
        {MATHELPER_EMISSION_TEX_EXPONENT, 1.0f},
        {MATHELPER_EMISSION_TEX_B, 1000.0f},
    };
    for (const auto& [id, value] : cases) {
        ASSERT_NE(d.find(id), nullptr) << id;
        EXPECT_EQ(*d.find(id), value) << id;
    }
    for (const int32_t id :
         {MATHELPER_ALBEDO_TEX_A, MATHELPER_ALBEDO_TEX_C, MATHELPER_BLEND_TEX_A,
          MATHELPER_BLEND_TEX_C, MATHELPER_EXPONENT_TEX_A, MATHELPER_EXPONENT_TEX_C,
          MATHELPER_BUMP_TEX_A, MATHELPER_BUMP_TEX_C, MATHELPER_DISPLACEMENT_TEX_A,
          MATHELPER_DISPLACEMENT_TEX_C, MATHELPER_EMISSION_TEX_A, MATHELPER_EMISSION_TEX_C}) {
        EXPECT_EQ(*d.find(id), HostValue(0.0f)) << id;
    }
    // Values the helper has no initial value for read as empty.
    for (const int32_t id : {MATHELPER_MATERIAL, MATHELPER_USE_SPECULAR_REFLECTIVITY,
                             MATHELPER_INCLUDE_FILE, MATHELPER_PREVIEW_FILE, MATHELPER_IES_FILE,
                             MATHELPER_BLEND_A, MATHELPER_BLEND_B, MATHELPER_EMISSION_START}) {
        EXPECT_FALSE(d.has(id)) << id;
    }
}

TEST_F(SceneTest, StandardMaterialChannelsAndShaderLinks) {
    HostMaterial* material = addMaterial("M");
    EXPECT_EQ(material->data().getVector(HostMaterialParam::kColour), Vector(0.8f, 0.8f, 0.8f));
    EXPECT_EQ(material->data().getReal(HostMaterialParam::kBrightness), 1.0f);
    EXPECT_TRUE(material->channelEnabled(0));
    EXPECT_TRUE(material->channelEnabled(8));
    EXPECT_FALSE(material->channelEnabled(6));
    EXPECT_FALSE(material->channelEnabled(13));
    EXPECT_TRUE(material->setChannelEnabled(6, true));
    EXPECT_TRUE(material->channelEnabled(6));
    EXPECT_FALSE(material->setChannelEnabled(-1, true));

    // Shaders belong to the material and live in its document; the links take only shaders.
    HostShader* shader = material->insertShader(host_.createShader(HostType::kBitmapShader));
    ASSERT_NE(shader, nullptr);
    EXPECT_EQ(shader->document(), &doc());
    EXPECT_EQ(doc().findNode(shader->uid()), shader);
    EXPECT_EQ(material->insertShader(nullptr), nullptr);
    EXPECT_TRUE(material->setParameter(8006, HostValue(HostLink{shader->uid()})));
    HostObject* camera = addCamera();
    EXPECT_FALSE(material->setParameter(8000, HostValue(HostLink{camera->uid()})));
    EXPECT_FALSE(material->data().has(8000));
    EXPECT_EQ(material->data().getLink(8006, &doc()), shader);

    HostShader* documentShader = doc().insertShader(host_.createShader(PluginId::kZslShader));
    ASSERT_NE(documentShader, nullptr);
    EXPECT_EQ(documentShader->document(), &doc());
}

TEST_F(SceneTest, ViewSafeFrameFollowsTheRenderSize) {
    headless::HView& view = doc().view();
    HostViewFrame frame;
    ASSERT_TRUE(view.frame(frame));
    EXPECT_EQ(frame.right, 799);
    EXPECT_EQ(frame.bottom, 599);
    HostSafeFrame safe;
    doc().activeRenderData()->data().setInt(HostRenderParam::kWidth, 1920);
    doc().activeRenderData()->data().setInt(HostRenderParam::kHeight, 1080);
    ASSERT_TRUE(view.safeFrame(safe));
    EXPECT_EQ(safe.axis, 2);
    EXPECT_EQ(safe.from, 75);
    EXPECT_EQ(safe.to, 524);
    doc().activeRenderData()->data().setInt(HostRenderParam::kHeight, 0);
    EXPECT_FALSE(view.safeFrame(safe));
    doc().setRenderData(nullptr);
    EXPECT_FALSE(view.safeFrame(safe));
}

} // namespace
} // namespace scenetest
