// The camera element, the camera-dependent renderer settings and the camera tag.
#include "scene_fixture.h"

#include "headless/host.h"
#include "objects/camera_tag_ids.h"
#include "plugin/host/render_data.h"
#include "plugin/host/tag.h"

namespace scenetest {
namespace {

class CameraWriter : public SceneTest {
protected:
    // The camera element's children; the settings written go to `settings`.
    std::string written(std::string* settings = nullptr) {
        exporter_.findCamera();
        exporter_.writeCamera(exporter_.rendererSettings());
        if (settings != nullptr) {
            *settings = childrenXml(exporter_.rendererSettings());
        }
        return childrenXml(exporter_.sceneRoot()->FirstChildElement("camera"));
    }
    static std::string child(const std::string& text, const std::string& name) {
        const std::string open = "<" + name + ">";
        const auto from = text.find(open);
        if (from == std::string::npos) {
            return "(none)";
        }
        const auto to = text.find("</" + name + ">", from);
        return text.substr(from + open.size(), to - from - open.size());
    }
};

TEST_F(CameraWriter, CameraWithoutTagGetsTheFixedLensModel) {
    HostMatrix m;
    m.off = Vector(1, 2, 3);
    HostObject* camera = addCamera(m);
    camera->data().setReal(HostCameraParam::kFocalLength, 50.0f);
    camera->data().setReal(HostCameraParam::kFilmOffsetX, 0.5f);
    camera->data().setReal(HostCameraParam::kFilmOffsetY, 0.25f);
    std::string settings;
    EXPECT_EQ(written(&settings),
              "<aspect_ratio>1.333333</aspect_ratio><exposure_duration>0.050000</exposure_duration>"
              "<pos>1.000000 3.000000 2.000000</pos><up>0.000000 0.000000 1.000000</up>"
              "<forwards>0.000000 1.000000 0.000000</forwards>"
              "<focus_distance>2000.000000</focus_distance><sensor_width>0.036000</sensor_width>"
              "<lens_sensor_dist>0.050000</lens_sensor_dist>"
              "<aperture_radius>0.003125</aperture_radius>"
              "<aperture_shape><circular /></aperture_shape><white_balance>D65</white_balance>"
              "<autofocus /><lens_shift_up_distance>-0.006750</lens_shift_up_distance>"
              "<lens_shift_right_distance>0.018000</lens_shift_right_distance>");
    EXPECT_EQ(settings, "<width>800</width><height>600</height>");
}

TEST_F(CameraWriter, FNumberAndLens) {
    HostObject* camera = addCamera();
    HostTag* tag = addCameraTag(camera);
    const std::tuple<int32_t, float, const char*> cases[] = {
        {CAMTAG_F16, 36.0f, "0.001125"},
        {CAMTAG_F1, 36.0f, "0.018000"},
        {CAMTAG_F1_4, 36.0f, "0.012857"},
        {CAMTAG_F64, 36.0f, "0.000281"},
        // Values outside the table count as f/8.
        {4711, 36.0f, "0.002250"},
        {CAMTAG_F2, 72.0f, "0.018000"},
    };
    for (const auto& [fstop, focal, radius] : cases) {
        exporter_.begin();
        tag->data().setInt(CAMTAG_FSTOP, fstop);
        camera->data().setReal(HostCameraParam::kFocalLength, focal);
        const std::string text = written();
        EXPECT_EQ(child(text, "lens_sensor_dist"), focal == 36.0f ? "0.036000" : "0.072000");
        EXPECT_EQ(child(text, "aperture_radius"), radius) << fstop;
    }
}

TEST_F(CameraWriter, CameraWithoutStoredFilmWidthHasA36MillimetreFilm) {
    HostObject* camera = addCamera();
    camera->data().remove(HostCameraParam::kFilmWidth);
    camera->data().setReal(HostCameraParam::kFocalLength, 50.0f);
    // Without a tag the lens distance is 0.036 × focal length / film width; with one it is the
    // focal length in metres.
    const std::string untagged = written();
    EXPECT_EQ(child(untagged, "sensor_width"), "0.036000");
    EXPECT_EQ(child(untagged, "lens_sensor_dist"), "0.050000");
    EXPECT_EQ(child(untagged, "aperture_radius"), "0.003125");

    addCameraTag(camera);
    exporter_.begin();
    const std::string tagged = written();
    EXPECT_EQ(child(tagged, "sensor_width"), "0.036000");
    EXPECT_EQ(child(tagged, "lens_sensor_dist"), "0.050000");
}

TEST_F(CameraWriter, FreshTagWritesItsSettingsGroupAndGeneratedAperture) {
    addCameraTag(addCamera());
    std::string settings;
    const std::string text = written(&settings);
    const std::string filter = "<mn_cubic><ring>0.333000</ring><blur>0.333000</blur></mn_cubic>";
    EXPECT_EQ(settings, "<aperture_diffraction>false</aperture_diffraction>"
                        "<post_process_diffraction>true</post_process_diffraction>"
                        "<super_sample_factor>1</super_sample_factor>"
                        "<splat_filter>" +
                            filter +
                            "</splat_filter>"
                            "<downsize_filter>" +
                            filter +
                            "</downsize_filter>"
                            "<watermark>false</watermark><info_overlay>false</info_overlay>"
                            "<width>800</width><height>600</height>");
    EXPECT_EQ(child(text, "aperture_shape"),
              "<generated><num_blades>6</num_blades><blade_offset>0.400000</blade_offset>"
              "<blade_curvature_radius>3.000000</blade_curvature_radius>"
              "<start_angle>0.200000</start_angle></generated>");
    EXPECT_EQ(child(text, "exposure_duration"), "0.050000");
    EXPECT_EQ(child(text, "white_balance"), "D65");
    EXPECT_NE(text.find("<autofocus />"), std::string::npos);
}

TEST_F(CameraWriter, TagChoicesOutsideTheirTablesLeaveElementsEmpty) {
    HostTag* tag = addCameraTag(addCamera());
    HostContainer& d = tag->data();
    d.setInt(CAMTAG_SPLAT_FILTER, CAMTAG_FILTER_BOX);
    d.setInt(CAMTAG_DOWNSIZE_FILTER, 4711);
    d.setInt(CAMTAG_APERTURE_SHAPE, 4711);
    d.setInt(CAMTAG_WHITE_BALANCE, CAMTAG_WB_F11 + 1);
    d.setBool(CAMTAG_AUTOFOCUS, false);
    std::string settings;
    const std::string text = written(&settings);
    EXPECT_NE(settings.find("<splat_filter><box /></splat_filter><downsize_filter />"),
              std::string::npos)
        << settings;
    EXPECT_NE(text.find("<aperture_shape /><white_balance></white_balance>"
                        "<lens_shift_up_distance>"),
              std::string::npos)
        << text;
}

TEST_F(CameraWriter, ApertureImageAndMissingFiles) {
    HostTag* tag = addCameraTag(addCamera());
    tag->data().setInt(CAMTAG_APERTURE_SHAPE, CAMTAG_SHAPE_IMAGE);
    EXPECT_EQ(child(written(), "aperture_shape"), "<image><path>element not found</path></image>");
    exporter_.begin();
    tag->data().setFilename(CAMTAG_APERTURE_IMAGE, HostFilename("C:\\ap\\hex.png"));
    EXPECT_EQ(child(written(), "aperture_shape"), "<image><path>C:\\ap\\hex.png</path></image>");
}

TEST_F(CameraWriter, DiffractionAndTheObstacleMap) {
    HostTag* tag = addCameraTag(addCamera());
    tag->data().setFilename(CAMTAG_OBSTACLE_MAP, HostFilename("C:\\maps\\dust.png"));
    const std::tuple<int32_t, bool, const char*, const char*, bool> cases[] = {
        {CAMTAG_DIFFRACTION_APERTURE, true, "true", "false", true},
        {CAMTAG_DIFFRACTION_APERTURE, false, "true", "false", false},
        {CAMTAG_DIFFRACTION_POST, true, "false", "true", false},
        {CAMTAG_DIFFRACTION_NONE, true, "false", "false", false},
    };
    for (const auto& [diffraction, enabled, aperture, post, map] : cases) {
        exporter_.begin();
        tag->data().setInt(CAMTAG_DIFFRACTION, diffraction);
        tag->data().setBool(CAMTAG_OBSTACLE_MAP_ENABLE, enabled);
        std::string settings;
        const std::string text = written(&settings);
        EXPECT_EQ(child(settings, "aperture_diffraction"), aperture);
        EXPECT_EQ(child(settings, "post_process_diffraction"), post);
        EXPECT_EQ(child(text, "obstacle_map"), map ? "<path>C:\\maps\\dust.png</path>" : "(none)")
            << diffraction << enabled;
    }
}

TEST_F(CameraWriter, RenderRegionOnlyWhenSwitchedOn) {
    HostTag* tag = addCameraTag(addCamera());
    std::string settings;
    written(&settings);
    EXPECT_EQ(settings.find("render_region"), std::string::npos);
    exporter_.begin();
    tag->data().setBool(CAMTAG_RENDER_REGION, true);
    tag->data().setInt(CAMTAG_REGION_X1, 5);
    written(&settings);
    EXPECT_NE(settings.find("<info_overlay>false</info_overlay><render_region><x1>5</x1>"
                            "<x2>150</x2><y1>0</y1><y2>150</y2></render_region><width>"),
              std::string::npos)
        << settings;
}

TEST_F(CameraWriter, SceneScaleAppliesToPositionsNotDirections) {
    HostMatrix m;
    m.off = Vector(100, 200, 300);
    m.v2 = Vector(0, 2, 0);
    m.v3 = Vector(0, 0, 3);
    addCameraTag(addCamera(m));
    exporter_.sceneScale_ = 0.01f;
    const std::string text = written();
    EXPECT_EQ(child(text, "pos"), "1.000000 3.000000 2.000000");
    EXPECT_EQ(child(text, "up"), "0.000000 0.000000 2.000000");
    EXPECT_EQ(child(text, "forwards"), "0.000000 3.000000 0.000000");
    EXPECT_EQ(child(text, "focus_distance"), "20.000000");
    EXPECT_EQ(child(text, "sensor_width"), "0.036000");
    EXPECT_EQ(child(text, "lens_sensor_dist"), "0.036000");
}

TEST_F(CameraWriter, WithoutRenderDataTheImageIsSquare) {
    HostObject* camera = addCamera();
    camera->data().setReal(HostCameraParam::kFilmOffsetY, 0.5f);
    doc().setRenderData(nullptr);
    std::string settings;
    const std::string text = written(&settings);
    EXPECT_EQ(settings, "<width>0</width><height>0</height>");
    EXPECT_EQ(child(text, "aspect_ratio"), "1.000000");
    EXPECT_EQ(child(text, "lens_shift_up_distance"), "-0.018000");
}

TEST_F(CameraWriter, ViewWithoutSceneCameraUsesItsEditorCamera) {
    HostMatrix m;
    m.off = Vector(0, 0, -500);
    doc().view().editorCamera()->setLocalMatrix(m);
    EXPECT_EQ(child(written(), "pos"), "0.000000 -500.000000 0.000000");
}

class CameraTagNode : public SceneTest {};

TEST_F(CameraTagNode, MarksItsCameraUntilFreed) {
    host_.loadResources(HostFilename(host_.drives().toWindows(TOLVANE_SOURCE_DIR)));
    ASSERT_TRUE(host_.registerDescription(PluginId::kCameraTag, "TCameraTag"));
    auto* camera = static_cast<headless::HObject*>(addCamera());
    HostTag* tag = addCameraTag(camera);
    ASSERT_NE(host_.describe(*tag), nullptr);
    EXPECT_EQ(camera->displayColour(),
              (HostDisplayColour{2, Vector(0.29412f, 0.0f, 0.5098f), false}));
    EXPECT_TRUE(camera->deleteTag(tag));
    EXPECT_EQ(camera->displayColour(), (HostDisplayColour{0, Vector(1, 1, 1), false}));

    // On another object the tag marks nothing.
    std::unique_ptr<HostObject> null = host_.createObject(HostType::kNull);
    HostTag* other = null->insertTag(host_.createTag(PluginId::kCameraTag), nullptr);
    ASSERT_NE(host_.describe(*other), nullptr);
    EXPECT_EQ(null->displayColour().mode, 0);
}

TEST_F(CameraTagNode, DescriptionShowsWhatTheChoicesUse) {
    host_.loadResources(HostFilename(host_.drives().toWindows(TOLVANE_SOURCE_DIR)));
    ASSERT_TRUE(host_.registerDescription(PluginId::kCameraTag, "TCameraTag"));
    HostTag* tag = addCameraTag(addCamera());
    struct Case {
        std::vector<std::pair<int32_t, int32_t>> set;
        std::vector<int32_t> hidden, shown;
    };
    const Case cases[] = {
        {{{CAMTAG_TONEMAPPING, CAMTAG_TM_LINEAR}},
         {CAMTAG_POST_SCALE, CAMTAG_BURN, CAMTAG_CAMERA_RESPONSE_GROUP},
         {CAMTAG_SCALE_GROUP}},
        {{{CAMTAG_TONEMAPPING, CAMTAG_TM_REINHARD}},
         {CAMTAG_CAMERA_RESPONSE_GROUP},
         {CAMTAG_POST_SCALE, CAMTAG_BURN}},
        {{{CAMTAG_TONEMAPPING, CAMTAG_TM_CAMERA}},
         {CAMTAG_SCALE_GROUP},
         {CAMTAG_CAMERA_RESPONSE_GROUP}},
        {{{CAMTAG_APERTURE_SHAPE, CAMTAG_SHAPE_CIRCULAR}},
         {CAMTAG_GENERATED_GROUP, CAMTAG_IMAGE_GROUP},
         {}},
        {{{CAMTAG_APERTURE_SHAPE, CAMTAG_SHAPE_GENERATED}},
         {CAMTAG_IMAGE_GROUP},
         {CAMTAG_GENERATED_GROUP}},
        {{{CAMTAG_APERTURE_SHAPE, CAMTAG_SHAPE_IMAGE}},
         {CAMTAG_GENERATED_GROUP},
         {CAMTAG_IMAGE_GROUP}},
        {{{CAMTAG_SPLAT_FILTER, CAMTAG_FILTER_BOX},
          {CAMTAG_DOWNSIZE_FILTER, CAMTAG_FILTER_MN_CUBIC}},
         {CAMTAG_SPLAT_RING, CAMTAG_SPLAT_BLUR},
         {CAMTAG_DOWNSIZE_RING, CAMTAG_DOWNSIZE_BLUR}},
        {{{CAMTAG_SPLAT_FILTER, CAMTAG_FILTER_MN_CUBIC},
          {CAMTAG_DOWNSIZE_FILTER, CAMTAG_FILTER_GAUSSIAN}},
         {CAMTAG_DOWNSIZE_RING, CAMTAG_DOWNSIZE_BLUR},
         {CAMTAG_SPLAT_RING, CAMTAG_SPLAT_BLUR}},
        {{{CAMTAG_RENDER_REGION, 1}}, {}, {CAMTAG_REGION_GROUP}},
        {{{CAMTAG_RENDER_REGION, 0}}, {CAMTAG_REGION_GROUP}, {}},
        {{{CAMTAG_DIFFRACTION, CAMTAG_DIFFRACTION_APERTURE}, {CAMTAG_OBSTACLE_MAP_ENABLE, 1}},
         {},
         {CAMTAG_OBSTACLE_MAP_ENABLE, CAMTAG_OBSTACLE_MAP}},
        {{{CAMTAG_DIFFRACTION, CAMTAG_DIFFRACTION_APERTURE}, {CAMTAG_OBSTACLE_MAP_ENABLE, 0}},
         {CAMTAG_OBSTACLE_MAP},
         {CAMTAG_OBSTACLE_MAP_ENABLE}},
        {{{CAMTAG_DIFFRACTION, CAMTAG_DIFFRACTION_POST}, {CAMTAG_OBSTACLE_MAP_ENABLE, 1}},
         {CAMTAG_OBSTACLE_MAP_ENABLE, CAMTAG_OBSTACLE_MAP},
         {}},
    };
    for (const Case& c : cases) {
        for (const auto& [id, value] : c.set) {
            if (id == CAMTAG_RENDER_REGION || id == CAMTAG_OBSTACLE_MAP_ENABLE) {
                tag->data().setBool(id, value != 0);
            } else {
                tag->data().setInt(id, value);
            }
        }
        const auto description = host_.describe(*tag);
        ASSERT_NE(description, nullptr);
        for (const int32_t id : c.hidden) {
            EXPECT_TRUE(description->isHidden(id)) << id << " after " << c.set[0].first;
        }
        for (const int32_t id : c.shown) {
            ASSERT_TRUE(description->hasEntry(id)) << id;
            EXPECT_FALSE(description->isHidden(id)) << id << " after " << c.set[0].first;
        }
    }
}

TEST_F(CameraTagNode, RenderRegionIsDrawnThroughTheSafeFrame) {
    HostObject* camera = addCamera();
    HostTag* tag = addCameraTag(camera);
    tag->data().setBool(CAMTAG_RENDER_REGION, true);
    tag->data().setInt(CAMTAG_REGION_X1, 0);
    tag->data().setInt(CAMTAG_REGION_X2, 400);
    tag->data().setInt(CAMTAG_REGION_Y1, 100);
    tag->data().setInt(CAMTAG_REGION_Y2, 200);
    headless::HView& view = doc().view();
    auto* data = static_cast<TagData*>(tag->pluginData());
    struct Case {
        int32_t renderWidth, renderHeight;
        // The rectangle's corners in view pixels: x1, y1, x2, y2.
        Real x1, y1, x2, y2;
    };
    // The view is 800 x 600 (right edge 799, bottom edge 599).
    const Case cases[] = {
        // Same aspect: the safe frame is the whole height, pixels map from 800 x 600 onto it.
        {800, 600, 0, 101, 400, 201},
        // Wider image: bars above and below (image height 400 from row 100 to 499).
        {800, 400, 0, 201, 400, 301},
        // Narrower image: bars left and right (image width 300 from column 250 to 549).
        {400, 800, 251, 75, 550, 150},
    };
    for (const Case& c : cases) {
        doc().activeRenderData()->data().setInt(HostRenderParam::kWidth, c.renderWidth);
        doc().activeRenderData()->data().setInt(HostRenderParam::kHeight, c.renderHeight);
        view.clearLines();
        EXPECT_TRUE(data->draw(tag, camera, &view));
        ASSERT_EQ(view.lines().size(), 4u);
        const headless::DrawnLine& top = view.lines()[0];
        const headless::DrawnLine& right = view.lines()[1];
        EXPECT_EQ(top.colour, Vector(1, 0, 0));
        EXPECT_TRUE(top.screen);
        EXPECT_EQ(top.from, Vector(c.x1, c.y1, 0)) << c.renderWidth << "x" << c.renderHeight;
        EXPECT_EQ(right.to, Vector(c.x2, c.y2, 0)) << c.renderWidth << "x" << c.renderHeight;
        EXPECT_EQ(view.lines()[3].to, top.from);
    }

    view.clearLines();
    view.setSceneCamera(nullptr);
    EXPECT_TRUE(data->draw(tag, camera, &view)) << "not the view's camera";
    view.setSceneCamera(camera);
    tag->data().setBool(CAMTAG_RENDER_REGION, false);
    EXPECT_TRUE(data->draw(tag, camera, &view)) << "region off";
    EXPECT_TRUE(view.lines().empty());
    tag->data().setBool(CAMTAG_RENDER_REGION, true);
    doc().setRenderData(nullptr);
    EXPECT_FALSE(data->draw(tag, camera, &view)) << "no render settings";
    EXPECT_TRUE(view.lines().empty());
}

} // namespace
} // namespace scenetest
