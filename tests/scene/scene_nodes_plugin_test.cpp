// The plug-in's scene nodes as the host sees them through the loaded module: what a new node
// holds, and that its attribute layout offers every parameter it holds with every value.
#include "headless/plugin_session.h"
#include "objects/camera_tag_ids.h"
#include "objects/material_helper_ids.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/object.h"
#include "plugin/host/render_data.h"
#include "plugin/host/tag.h"
#include "plugin/plugin_ids.h"
#include "scene/render_settings_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

class SceneNodesPlugin : public ::testing::Test {
protected:
    SceneNodesPlugin()
        : folder_(fs::temp_directory_path() /
                  ("tolvane-scene-nodes-" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name())),
          session_(host_) {
        fs::remove_all(folder_);
        fs::copy(TOLVANE_PLUGIN_DIR, folder_, fs::copy_options::recursive);
        host_.setProcessorThreadCount(12);
        host_.worldPreferences().setInt(HostPreference::kUnit, 4);
        started_ = session_.start(folder_.string()).started();
    }
    ~SceneNodesPlugin() override {
        session_.shutdown();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    // Every parameter the node holds after its creation is an entry of its layout, and every
    // cycle holds its value among its choices.
    void expectLayoutOffers(HostNode& node, const std::vector<int32_t>& groups) {
        const auto description = host_.describe(node);
        ASSERT_NE(description, nullptr);
        for (const auto& [id, value] : node.data().values()) {
            const auto& entries = description->entries();
            const auto entry = std::find_if(entries.begin(), entries.end(),
                                            [id = id](const auto& e) { return e.id == id; });
            ASSERT_NE(entry, entries.end()) << "parameter " << id << " of " << node.type();
            if (entry->kind == "cycle") {
                const int32_t current = node.data().getInt(id);
                EXPECT_TRUE(std::any_of(entry->choices.begin(), entry->choices.end(),
                                        [&](const auto& c) { return c.value == current; }))
                    << "cycle " << id << " lacks " << current;
            }
        }
        for (const int32_t group : groups) {
            EXPECT_TRUE(description->hasEntry(group)) << group;
        }
    }

    fs::path folder_;
    headless::HeadlessHost host_;
    headless::PluginSession session_;
    bool started_ = false;
};

TEST_F(SceneNodesPlugin, RenderSettingsNode) {
    ASSERT_TRUE(started_);
    std::unique_ptr<HostVideoPost> node = host_.createVideoPost(PluginId::kRenderSettings);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->data().getInt(RENDERSET_NUM_THREADS), 12);
    EXPECT_EQ(node->data().getInt(RENDERSET_UNIT), RENDERSET_UNIT_MM);
    expectLayoutOffers(*node, {RENDERSET_SUN_OBJECT, RENDERSET_BACKGROUND_HELPER,
                               RENDERSET_BACKGROUND_GROUP, RENDERSET_SUN_SKY_GROUP});
    const auto description = host_.describe(*node);
    EXPECT_TRUE(description->isHidden(RENDERSET_NUM_THREADS));
    EXPECT_TRUE(description->isHidden(RENDERSET_CUSTOM_SCALE));
}

TEST_F(SceneNodesPlugin, CameraTagMarksItsCamera) {
    ASSERT_TRUE(started_);
    HostObject* camera =
        host_.document().insertObject(host_.createObject(HostType::kCamera), nullptr, nullptr);
    HostTag* tag = camera->insertTag(host_.createTag(PluginId::kCameraTag), nullptr);
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->data().getInt(CAMTAG_FSTOP), CAMTAG_F16);
    expectLayoutOffers(*tag,
                       {CAMTAG_CAMERA_RESPONSE_GROUP, CAMTAG_SCALE_GROUP, CAMTAG_GENERATED_GROUP,
                        CAMTAG_IMAGE_GROUP, CAMTAG_REGION_GROUP, CAMTAG_APERTURE_IMAGE,
                        CAMTAG_OBSTACLE_MAP_ENABLE, CAMTAG_OBSTACLE_MAP});
    EXPECT_EQ(camera->displayColour().mode, 2);
}

TEST_F(SceneNodesPlugin, MaterialHelper) {
    ASSERT_TRUE(started_);
    std::unique_ptr<HostObject> helper = host_.createObject(PluginId::kMaterialHelper);
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(helper->data().getInt(MATHELPER_TYPE), MATHELPER_TYPE_DIFFUSE);
    expectLayoutOffers(*helper, {MATHELPER_MATERIAL,
                                 MATHELPER_EXPORT_ZVM,
                                 MATHELPER_PREVIEW,
                                 MATHELPER_PREVIEW_IMAGE,
                                 MATHELPER_PREVIEW_FILE,
                                 MATHELPER_USE_SPECULAR_REFLECTIVITY,
                                 MATHELPER_BLEND_A,
                                 MATHELPER_BLEND_B,
                                 MATHELPER_INCLUDE_FILE,
                                 MATHELPER_INCLUDE_MATERIAL,
                                 MATHELPER_IES_FILE,
                                 MATHELPER_EMISSION_START,
                                 MATHELPER_EMISSION_END,
                                 MATHELPER_EMISSION_COUNT,
                                 MATHELPER_EMISSION_VALUES,
                                 MATHELPER_ABSORPTION_START,
                                 MATHELPER_ABSORPTION_END,
                                 MATHELPER_ABSORPTION_COUNT,
                                 MATHELPER_ABSORPTION_VALUES,
                                 MATHELPER_SCATTERING_START,
                                 MATHELPER_SCATTERING_END,
                                 MATHELPER_SCATTERING_COUNT,
                                 MATHELPER_SCATTERING_VALUES,
                                 MATHELPER_ALBEDO_STATUS,
                                 MATHELPER_BLEND_STATUS,
                                 MATHELPER_EXTRA_STATUS,
                                 MATHELPER_EXPONENT_STATUS,
                                 MATHELPER_BUMP_STATUS,
                                 MATHELPER_DISPLACEMENT_STATUS,
                                 MATHELPER_EMISSION_STATUS,
                                 MATHELPER_ALBEDO_GROUP,
                                 MATHELPER_PHONG_GROUP,
                                 MATHELPER_SPECULAR_GROUP,
                                 MATHELPER_BLEND_GROUP,
                                 MATHELPER_MEDIUM_GROUP,
                                 MATHELPER_MEDIUM_BASIC_GROUP,
                                 MATHELPER_MEDIUM_DERMIS_GROUP,
                                 MATHELPER_MEDIUM_EPIDERMIS_GROUP,
                                 MATHELPER_ABSORPTION_BLACKBODY_GROUP,
                                 MATHELPER_ABSORPTION_RGB_GROUP,
                                 MATHELPER_ABSORPTION_UNIFORM_GROUP,
                                 MATHELPER_ABSORPTION_PEAK_GROUP,
                                 MATHELPER_ABSORPTION_TABULATED_GROUP,
                                 MATHELPER_SUBSURFACE_GROUP,
                                 MATHELPER_SCATTERING_BLACKBODY_GROUP,
                                 MATHELPER_SCATTERING_RGB_GROUP,
                                 MATHELPER_SCATTERING_UNIFORM_GROUP,
                                 MATHELPER_SCATTERING_PEAK_GROUP,
                                 MATHELPER_SCATTERING_TABULATED_GROUP,
                                 MATHELPER_HENYEY_GREENSTEIN_GROUP,
                                 MATHELPER_G_RGB_GROUP,
                                 MATHELPER_EMISSION_GROUP,
                                 MATHELPER_EMISSION_SPECTRUM_GROUP,
                                 MATHELPER_EMISSION_RGB_GROUP,
                                 MATHELPER_EMISSION_UNIFORM_GROUP,
                                 MATHELPER_EMISSION_BLACKBODY_GROUP,
                                 MATHELPER_EMISSION_TABULATED_GROUP,
                                 MATHELPER_EMISSION_PEAK_GROUP,
                                 MATHELPER_ALBEDO_TEXTURE_GROUP,
                                 MATHELPER_BUMP_TEXTURE_GROUP,
                                 MATHELPER_DISPLACEMENT_TEXTURE_GROUP,
                                 MATHELPER_EMISSION_TEXTURE_GROUP,
                                 MATHELPER_EXPONENT_TEXTURE_GROUP,
                                 MATHELPER_BLEND_TEXTURE_GROUP,
                                 MATHELPER_INCLUDE_GROUP,
                                 MATHELPER_TEXTURES_GROUP,
                                 MATHELPER_CHANNEL_STATUS_GROUP,
                                 MATHELPER_EXPONENT_GROUP,
                                 MATHELPER_OREN_NAYAR_GROUP,
                                 MATHELPER_BLEND_AMOUNT_GROUP,
                                 MATHELPER_EMISSION_SCALE_GROUP});
    // Every choice of the type and the channels is offered.
    const auto description = host_.describe(*helper);
    const auto& entries = description->entries();
    const auto choicesOf = [&](int32_t id) {
        std::vector<int32_t> values;
        for (const auto& e : entries) {
            if (e.id == id) {
                for (const auto& c : e.choices) {
                    values.push_back(c.value);
                }
            }
        }
        std::sort(values.begin(), values.end());
        return values;
    };
    EXPECT_EQ(choicesOf(MATHELPER_TYPE),
              (std::vector<int32_t>{1003, 1004, 1005, 1006, 1023, 1030, 1101, 1132}));
    for (const int32_t channel :
         {MATHELPER_ALBEDO_CHANNEL, MATHELPER_BLEND_CHANNEL, MATHELPER_EXTRA_CHANNEL,
          MATHELPER_EXPONENT_CHANNEL, MATHELPER_BUMP_CHANNEL, MATHELPER_DISPLACEMENT_CHANNEL,
          MATHELPER_EMISSION_CHANNEL}) {
        EXPECT_EQ(choicesOf(channel), (std::vector<int32_t>{1239, 1240, 1241, 1242, 1243, 1244,
                                                            1245, 1246, 1247, 1248, 1249}))
            << channel;
    }
}

} // namespace
