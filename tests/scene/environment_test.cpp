// Sun and sky, the background material and the default background.
#include "scene_fixture.h"

#include "plugin/host/material.h"
#include "plugin/host/render_data.h"
#include "scene/render_settings_ids.h"

namespace scenetest {
namespace {

class EnvironmentWriter : public SceneTest {
protected:
    bool write() {
        exporter_.findRenderSettings();
        return exporter_.writeEnvironment();
    }
    HostVideoPost* settings(int32_t environment) {
        HostVideoPost* node = addRenderSettings();
        node->data().setInt(RENDERSET_ENVIRONMENT, environment);
        return node;
    }
    HostObject* sunAt(const Vector& position) {
        std::unique_ptr<HostObject> sun = host_.createObject(HostType::kNull);
        HostMatrix m;
        m.off = position;
        sun->setLocalMatrix(m);
        return doc().insertObject(std::move(sun), nullptr, nullptr);
    }
};

TEST_F(EnvironmentWriter, WithoutANodeTheBackgroundIsWhite) {
    EXPECT_TRUE(write());
    EXPECT_EQ(scene(), "<background><spectrum><uniform><value>1.000000</value></uniform>"
                       "</spectrum></background>");
}

TEST_F(EnvironmentWriter, SunAndSkyTakesLayerZero) {
    HostVideoPost* node = settings(RENDERSET_ENV_SUN_SKY);
    struct Case {
        bool link;
        Vector position;
        const char* sundir;
    };
    const Case cases[] = {
        {false, Vector(), "0.000000 0.000000 1.000000"},
        {true, Vector(10, 10, 0), "0.707107 0.000000 0.707107"},
        {true, Vector(0, 0, 0), "0.000000 0.000000 0.000000"},
    };
    for (const Case& c : cases) {
        exporter_.begin();
        node->data().setLink(RENDERSET_SUN_OBJECT, c.link ? sunAt(c.position) : nullptr);
        EXPECT_TRUE(write());
        EXPECT_EQ(scene(), std::string("<skylight><sundir>") + c.sundir +
                               "</sundir><turbidity>2.000000</turbidity>"
                               "<extra_atmospheric>false</extra_atmospheric></skylight>"
                               "<layer_name><layer_name>Sun/Sky</layer_name>"
                               "<layer_index>0</layer_index></layer_name>");
        EXPECT_EQ(exporter_.layerBase_, 1);
        EXPECT_EQ(exporter_.emitterLayer(0), 1);
    }
}

TEST_F(EnvironmentWriter, NoEnvironmentWritesNothing) {
    settings(RENDERSET_ENV_NONE);
    EXPECT_TRUE(write());
    EXPECT_EQ(scene(), "");
}

TEST_F(EnvironmentWriter, BackgroundMaterialWithItsEmissionTexture) {
    HostMaterial* sky = addMaterial("Sky");
    addBitmap(sky, MATHELPER_CHANNEL_1, "C:\\scene\\hdr\\sky.png");
    HostObject* helper = addHelper(sky, MATHELPER_TYPE_DIFFUSE);
    helper->data().setBool(MATHELPER_EMISSION, true);
    helper->data().setInt(MATHELPER_EMISSION_SCALE_MEASURE, MATHELPER_MEASURE_LUMINANCE);
    settings(RENDERSET_ENV_BACKGROUND_MATERIAL)
        ->data()
        .setLink(RENDERSET_BACKGROUND_HELPER, helper);
    EXPECT_TRUE(write());
    EXPECT_EQ(scene(),
              "<background_settings><background_material><material>"
              "<name>background_material</name><diffuse><texture><uv_set>default</uv_set>"
              "<path>hdr\\sky.png</path><exponent>1.000000</exponent><a>0.000000</a>"
              "<b>1000.000000</b><c>0.000000</c><tex_coord_generation><spherical><rotation>"
              "<axis_rotation><axis>0.000000 0.000000 1.000000</axis><angle>0.000000</angle>"
              "</axis_rotation></rotation></spherical></tex_coord_generation></texture>"
              "<emission><texture><texture_index>0</texture_index></texture></emission>"
              "<base_emission><constant><rgb><rgb>1.000000 1.000000 1.000000</rgb>"
              "<gamma>1.000000</gamma></rgb></constant></base_emission><layer>0</layer>"
              "</diffuse></material></background_material><emission_scale>"
              "<material_name>background_material</material_name><measure>luminance</measure>"
              "<value>100.000000</value></emission_scale></background_settings>");
}

TEST_F(EnvironmentWriter, BackgroundMaterialWithoutTexture) {
    HostObject* helper = addHelper(addMaterial("Sky"), MATHELPER_TYPE_DIFFUSE);
    helper->data().setBool(MATHELPER_EMISSION, true);
    helper->data().setInt(MATHELPER_EMISSION_TYPE, MATHELPER_EMISSION_UNIFORM);
    settings(RENDERSET_ENV_BACKGROUND_MATERIAL)
        ->data()
        .setLink(RENDERSET_BACKGROUND_HELPER, helper);
    EXPECT_TRUE(write());
    EXPECT_EQ(scene(), "<background_settings><background_material><material>"
                       "<name>background_material</name><diffuse><base_emission><constant>"
                       "<uniform><value>1.000000</value></uniform></constant></base_emission>"
                       "<layer>0</layer></diffuse></material></background_material>"
                       "</background_settings>");
}

TEST_F(EnvironmentWriter, BackgroundMaterialNeedsAnEmittingHelperWithMaterial) {
    HostVideoPost* node = settings(RENDERSET_ENV_BACKGROUND_MATERIAL);
    HostObject* dark = addHelper(addMaterial("Dark"), MATHELPER_TYPE_DIFFUSE);
    HostObject* orphan = addHelper(nullptr, MATHELPER_TYPE_DIFFUSE);
    orphan->data().setBool(MATHELPER_EMISSION, true);
    HostObject* camera = addCamera();
    for (HostObject* link : {static_cast<HostObject*>(nullptr), dark, orphan, camera}) {
        exporter_.begin();
        node->data().setLink(RENDERSET_BACKGROUND_HELPER, link);
        EXPECT_FALSE(write());
        EXPECT_EQ(scene(), "");
    }
}

} // namespace
} // namespace scenetest
