// The demo document, one function per group of nodes. To show more nodes, add a group and call
// it from buildDemoDocument.
#include "headless/demo.h"

#include "headless/document.h"
#include "headless/host.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/material.h"

#include <cmath>
#include <initializer_list>

namespace headless {

namespace {

// The plug-in's node types and the parameters of them the demo sets. They are the plug-in's
// stored IDs (kept in users' documents, so fixed); the host knows the plug-in only through what
// it registers, so the demo names them here.
namespace PluginNode {
constexpr int32_t kLightTag = 1020892;
constexpr int32_t kExitPortalTag = 1021223;
constexpr int32_t kCameraTag = 1022083;
constexpr int32_t kSubdivisionTag = 1022667;
constexpr int32_t kInstance = 1022273;
constexpr int32_t kMaterialGroup = 1023293;
constexpr int32_t kMaterialHelper = 1020893;
constexpr int32_t kRenderSettings = 1020896;
constexpr int32_t kShaderLanguageShader = 1023863;
// The instance's object.
constexpr int32_t kInstanceLink = 10000;
} // namespace PluginNode

namespace HelperParam {
constexpr int32_t kMaterial = 1001;
constexpr int32_t kType = 1002;
constexpr int32_t kColour = 1013;
constexpr int32_t kUseNkData = 1018;
constexpr int32_t kBlendA = 1025;
constexpr int32_t kBlendB = 1026;
constexpr int32_t kBlendAmount = 1028;
constexpr int32_t kMediumType = 1032;
constexpr int32_t kAbsorptionColour = 1054;
constexpr int32_t kAbsorptionScale = 1099;
constexpr int32_t kPhaseFunction = 1070;
constexpr int32_t kSubsurfaceScattering = 1078;
constexpr int32_t kGType = 1106;
constexpr int32_t kEmission = 1132;
constexpr int32_t kEmissionLayer = 1134;
constexpr int32_t kEmissionType = 1135;
constexpr int32_t kIncludeFile = 1225;
constexpr int32_t kEmissionScaleMeasure = 1229;
constexpr int32_t kEmissionScaleValue = 1230;
// Values.
constexpr int32_t kDiffuse = 1003;
constexpr int32_t kPhong = 1004;
constexpr int32_t kSpecular = 1005;
constexpr int32_t kGlossyTransparent = 1006;
constexpr int32_t kBlend = 1030;
constexpr int32_t kOrenNayar = 1101;
constexpr int32_t kInclude = 1132;
constexpr int32_t kMediumEpidermis = 1035;
constexpr int32_t kPhaseHenyeyGreenstein = 1072;
constexpr int32_t kGRgb = 1108;
constexpr int32_t kEmissionBlackbody = 1138;
constexpr int32_t kLuminousFlux = 1231;
} // namespace HelperParam

namespace CameraTagParam {
constexpr int32_t kFStop = 1927;
constexpr int32_t kF5_6 = 1933;
constexpr int32_t kDiffraction = 1962;
constexpr int32_t kDiffractionAperture = 1983;
constexpr int32_t kObstacleMapEnable = 1979;
constexpr int32_t kObstacleMap = 1980;
constexpr int32_t kRenderRegion = 1988;
constexpr int32_t kRegionX1 = 1989;
constexpr int32_t kRegionX2 = 1990;
constexpr int32_t kRegionY1 = 1991;
constexpr int32_t kRegionY2 = 1992;
} // namespace CameraTagParam

namespace RenderSettingsParam {
constexpr int32_t kSunObject = 1301;
constexpr int32_t kNumThreads = 1357;
constexpr int32_t kEnvironment = 1368;
constexpr int32_t kAutoThreads = 1383;
constexpr int32_t kSunAndSky = 1364;
} // namespace RenderSettingsParam

namespace ShaderLanguageParam {
constexpr int32_t kTexture1 = 1400;
constexpr int32_t kCode = 1405;
} // namespace ShaderLanguageParam

// Host material channels the demo fills.
constexpr int32_t kColourChannel = 0;
constexpr int32_t kBumpChannel = 6;

constexpr int32_t kFps = 30;
// The animation runs from frame 0 to this frame.
constexpr int32_t kLastFrame = 30;
constexpr Real kPi = 3.14159265f;

// A marble albedo in the renderer's shader language: the texture in slot 1 ($tex01$), veined.
constexpr const char* kMarbleProgram = "def eval(vec3 pos) vec3 :\n"
                                       "    mul(sample2DTextureVec3($tex01$, getTexCoords(0)),\n"
                                       "        0.8 + 0.2 * sin(dot(pos, vec3(10.0, 4.0, 7.0))))\n";

class DemoBuilder {
public:
    DemoBuilder(HeadlessHost& host, std::string& error, const HostFilename& folder)
        : host_(host), error_(error), folder_(folder), doc_(std::make_unique<HDocument>()) {}

    std::unique_ptr<HDocument> build() {
        doc_->setName("Tolvane demo");
        if (!folder_.empty()) {
            doc_->setPath(folder_ + "demo.tvd");
        }
        doc_->setFps(kFps);
        doc_->setTime(HostTime::fromFrame(0, kFps));
        const bool built = addMaterials() && addShaders() && addFloor() && addProps() &&
                           addPolygonObjects() && addGenerators() && addInstances() &&
                           addHiddenParent() && addLights() && addCamera() && addRenderSettings() &&
                           addMaterialHelpers();
        if (!built) {
            return nullptr;
        }
        doc_->evaluate();
        return std::move(doc_);
    }

private:
    bool failed(const std::string& what) {
        error_ = "the demo document needs " + what + ", which the host cannot create" +
                 " (is the plug-in started?)";
        return false;
    }

    // A file the demo does not have searched for: its full path in the demo's folder, or the
    // name relative to that folder when the demo has none.
    HostFilename demoFile(const char* relative) const {
        return folder_.empty() ? HostFilename(relative) : folder_ + relative;
    }

    HostObject* object(int32_t type, const std::string& name, const Vector& position,
                       HostObject* parent = nullptr) {
        std::unique_ptr<HostObject> created = host_.createObject(type);
        if (!created) {
            failed("an object of type " + std::to_string(type));
            return nullptr;
        }
        created->setName(name);
        HostMatrix m;
        m.off = position;
        created->setLocalMatrix(m);
        HostObject* pred = nullptr;
        for (HostObject* o = parent ? parent->down() : doc_->firstObject(); o; o = o->next()) {
            pred = o;
        }
        return doc_->insertObject(std::move(created), parent, pred);
    }

    HostTag* tag(HostObject* object, int32_t type, const std::string& name = std::string()) {
        if (object == nullptr) {
            return nullptr;
        }
        std::unique_ptr<HostTag> created = host_.createTag(type);
        if (!created) {
            failed("a tag of type " + std::to_string(type));
            return nullptr;
        }
        created->setName(name);
        HostTag* pred = nullptr;
        for (HostTag* t = object->firstTag(); t; t = t->next()) {
            pred = t;
        }
        return object->insertTag(std::move(created), pred);
    }

    HostTag* textureTag(HostObject* object, HostMaterial* material,
                        const std::string& restriction = std::string()) {
        HostTag* t = tag(object, HostType::kTextureTag);
        if (t != nullptr) {
            t->toTextureTag()->setMaterial(material);
            if (!restriction.empty()) {
                t->data().setString(TextureTagParam::kRestriction, restriction);
            }
        }
        return t;
    }

    // A polygon selection tag named `name` selecting `polygons`.
    HostTag* selection(HostObject* object, const std::string& name,
                       std::initializer_list<int32_t> polygons) {
        HostTag* t = tag(object, HostType::kPolygonSelectionTag, name);
        if (t != nullptr) {
            for (int32_t p : polygons) {
                t->polygonSelection()->select(p);
            }
        }
        return t;
    }

    HostMaterial* material(const std::string& name, const Vector& colour) {
        std::unique_ptr<HostMaterial> created = host_.createMaterial(HostType::kStandardMaterial);
        if (!created) {
            failed("a standard material");
            return nullptr;
        }
        created->setName(name);
        created->data().setVector(HostMaterialParam::kColour, colour);
        created->data().setReal(HostMaterialParam::kBrightness, 1.0f);
        HostMaterial* pred = nullptr;
        for (HostMaterial* m = doc_->firstMaterial(); m; m = m->next()) {
            pred = m;
        }
        return doc_->insertMaterial(std::move(created), pred);
    }

    // A shader of `material` linked from `channel`, which is switched on.
    HostShader* channelShader(HostMaterial* material, int32_t channel, int32_t type) {
        HostShader* shader = material->insertShader(host_.createShader(type));
        if (shader == nullptr) {
            failed("a shader of type " + std::to_string(type));
            return nullptr;
        }
        material->setChannelEnabled(channel, true);
        material->setParameter(HostMaterialParam::kFirstShaderLink + channel,
                               HostValue(HostLink{shader->uid()}));
        return shader;
    }

    void keys(HostNode* node, TrackTarget target, int32_t parameter, const HostValue& first,
              const HostValue& last) {
        AnimationTrack& track = doc_->animation().track(node->uid(), target, parameter);
        track.setKey(HostTime::fromFrame(0, kFps).seconds, first);
        track.setKey(HostTime::fromFrame(kLastFrame, kFps).seconds, last);
    }

    // The host materials, one for each of the renderer's material kinds; the plastic's colour
    // changes over the animation.
    bool addMaterials() {
        plastic_ = material("Red Plastic", Vector(0.8f, 0.1f, 0.1f));
        plaster_ = material("Plaster", Vector(0.85f, 0.83f, 0.78f));
        brick_ = material("Brick", Vector(0.6f, 0.25f, 0.2f));
        chrome_ = material("Chrome", Vector(0.9f, 0.9f, 0.9f));
        glass_ = material("Glass", Vector(1, 1, 1));
        frosted_ = material("Frosted", Vector(0.9f, 0.95f, 1.0f));
        skin_ = material("Skin", Vector(0.9f, 0.7f, 0.6f));
        mix_ = material("Mix", Vector(0.7f, 0.5f, 0.4f));
        neon_ = material("Neon", Vector(1.0f, 0.3f, 0.1f));
        marble_ = material("Marble", Vector(0.9f, 0.9f, 0.88f));
        gold_ = material("Gold", Vector(1.0f, 0.77f, 0.34f));
        for (HostMaterial* m : {plastic_, plaster_, brick_, chrome_, glass_, frosted_, skin_, mix_,
                                neon_, marble_, gold_}) {
            if (m == nullptr) {
                return false;
            }
        }
        keys(plastic_, TrackTarget::Parameter, HostMaterialParam::kColour,
             HostValue(Vector(0.8f, 0.1f, 0.1f)), HostValue(Vector(0.9f, 0.5f, 0.1f)));
        return true;
    }

    // Brick's colour and bump come from bitmaps named without a folder, which the texture search
    // finds in the document's "tex" folder; marble's colour from a shader-language program.
    bool addShaders() {
        HostShader* colour = channelShader(brick_, kColourChannel, HostType::kBitmapShader);
        HostShader* bump = channelShader(brick_, kBumpChannel, HostType::kBitmapShader);
        HostShader* veins =
            channelShader(marble_, kColourChannel, PluginNode::kShaderLanguageShader);
        if (colour == nullptr || bump == nullptr || veins == nullptr) {
            return false;
        }
        colour->data().setFilename(HostShaderParam::kBitmapFile, HostFilename("brick.png"));
        bump->data().setFilename(HostShaderParam::kBitmapFile, HostFilename("brick_bump.png"));
        veins->data().setString(ShaderLanguageParam::kCode, kMarbleProgram);
        veins->data().setFilename(ShaderLanguageParam::kTexture1, demoFile(DemoFile::kMarble));
        return true;
    }

    bool addFloor() {
        HostObject* floor = object(HostType::kPlane, "Floor", Vector(0, 0, 0));
        return floor != nullptr && textureTag(floor, plaster_) != nullptr;
    }

    // A null holding a cube that moves and turns and a sphere that grows (written as a sphere).
    bool addProps() {
        HostObject* props = object(HostType::kNull, "Props", Vector(0, 0, 0));
        if (props == nullptr) {
            return false;
        }
        cube_ = object(HostType::kCube, "Cube", Vector(-150, 50, 0), props);
        HostObject* sphere = object(HostType::kSphere, "Sphere", Vector(150, 60, 0), props);
        if (cube_ == nullptr || sphere == nullptr || tag(cube_, HostType::kPhongTag) == nullptr ||
            textureTag(cube_, plastic_) == nullptr || textureTag(sphere, chrome_) == nullptr) {
            return false;
        }
        sphere->data().setReal(SphereParam::kRadius, 50.0f);
        keys(cube_, TrackTarget::Position, 0, HostValue(Vector(-150, 50, 0)),
             HostValue(Vector(-50, 50, 100)));
        keys(cube_, TrackTarget::Rotation, 0, HostValue(Vector(0, 0, 0)),
             HostValue(Vector(kPi / 2, 0, 0)));
        keys(sphere, TrackTarget::Parameter, SphereParam::kRadius, HostValue(50.0f),
             HostValue(80.0f));
        return true;
    }

    // A pyramid with its own UVW coordinates, two polygon selections and materials restricted to
    // them; a window pane that lets light in; a pedestal the renderer subdivides.
    bool addPolygonObjects() {
        HostObject* pyramid = object(HostType::kPolygonObject, "Pyramid", Vector(0, 0, 200));
        if (pyramid == nullptr) {
            return false;
        }
        HostPolygonObject* mesh = pyramid->toPolygonObject();
        mesh->setPoints({{-50, 0, -50}, {50, 0, -50}, {50, 0, 50}, {-50, 0, 50}, {0, 80, 0}});
        mesh->setPolygons({{0, 1, 4, 4}, {1, 2, 4, 4}, {2, 3, 4, 4}, {3, 0, 4, 4}, {0, 3, 2, 1}});
        HostTag* uvw = tag(pyramid, HostType::kUvwTag);
        if (tag(pyramid, HostType::kPhongTag) == nullptr || uvw == nullptr ||
            selection(pyramid, "Base", {4}) == nullptr ||
            selection(pyramid, "Front", {0}) == nullptr || textureTag(pyramid, brick_) == nullptr ||
            textureTag(pyramid, mix_, "Base") == nullptr ||
            textureTag(pyramid, marble_, "Front") == nullptr) {
            return false;
        }
        // Each side shows the whole texture with the apex at its top; the base maps square.
        const HostUvw side{{0, 1, 0}, {1, 1, 0}, {0.5f, 0, 0}, {0.5f, 0, 0}};
        *uvw->uvwData() = {side, side, side, side, {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}};

        HostObject* window = object(HostType::kPolygonObject, "Window", Vector(0, 150, 400));
        if (window == nullptr) {
            return false;
        }
        window->toPolygonObject()->setPoints(
            {{-100, -100, 0}, {100, -100, 0}, {100, 100, 0}, {-100, 100, 0}});
        window->toPolygonObject()->setPolygons({{0, 1, 2, 3}});
        if (tag(window, PluginNode::kExitPortalTag) == nullptr) {
            return false;
        }
        HostObject* pedestal = object(HostType::kPolygonObject, "Pedestal", Vector(150, 0, 0));
        if (pedestal == nullptr) {
            return false;
        }
        pedestal->toPolygonObject()->setPoints({{-40, 0, -40},
                                                {40, 0, -40},
                                                {40, 0, 40},
                                                {-40, 0, 40},
                                                {-40, 10, -40},
                                                {40, 10, -40},
                                                {40, 10, 40},
                                                {-40, 10, 40}});
        pedestal->toPolygonObject()->setPolygons(
            {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}});
        return tag(pedestal, PluginNode::kSubdivisionTag) != nullptr &&
               textureTag(pedestal, skin_) != nullptr;
    }

    // A cube smoothed by a subdivision generator, and a sphere twisted by a deformer (written as
    // a mesh, not as a sphere).
    bool addGenerators() {
        HostObject* smooth =
            object(HostType::kSubdivisionGenerator, "Smooth Box", Vector(-250, 60, 150));
        HostObject* box = object(HostType::kCube, "Box", Vector(0, 0, 0), smooth);
        if (box == nullptr || textureTag(smooth, frosted_) == nullptr) {
            return false;
        }
        box->data().setVector(CubeParam::kSize, Vector(100, 100, 100));
        HostObject* twisted = object(HostType::kSphere, "Twisted Sphere", Vector(250, 60, 150));
        HostObject* twist = object(HostType::kTwistDeformer, "Twist", Vector(0, 0, 0), twisted);
        if (twist == nullptr || textureTag(twisted, glass_) == nullptr) {
            return false;
        }
        twisted->data().setReal(SphereParam::kRadius, 50.0f);
        twisted->data().setInt(SphereParam::kSegments, 16);
        twist->data().setReal(TwistDeformerParam::kAnglePerUnit, 0.02f);
        return true;
    }

    // The cube once more, elsewhere, and a group of crates placed twice more: the instances'
    // models reuse the meshes their objects wrote.
    bool addInstances() {
        HostObject* instance =
            object(PluginNode::kInstance, "Cube Instance", Vector(-150, 50, -200));
        HostObject* crates = object(HostType::kNull, "Crates", Vector(-300, 0, -100));
        HostObject* crate = object(HostType::kCube, "Crate", Vector(0, 25, 0), crates);
        HostObject* lid = object(HostType::kCube, "Small Crate", Vector(0, 65, 0), crates);
        if (instance == nullptr || crate == nullptr || lid == nullptr ||
            textureTag(crate, gold_) == nullptr || textureTag(lid, brick_) == nullptr) {
            return false;
        }
        instance->data().setLink(PluginNode::kInstanceLink, cube_);
        crate->data().setVector(CubeParam::kSize, Vector(50, 50, 50));
        lid->data().setVector(CubeParam::kSize, Vector(30, 30, 30));
        for (const Vector& at : {Vector(-300, 0, 0), Vector(-300, 0, 100)}) {
            HostObject* more = object(PluginNode::kInstance, "Crates Instance", at);
            if (more == nullptr) {
                return false;
            }
            more->data().setLink(PluginNode::kInstanceLink, crates);
        }
        return true;
    }

    // A parent the renderer does not see, whose child says it is seen: only the child is
    // written.
    bool addHiddenParent() {
        HostObject* parent = object(HostType::kCube, "Hidden Parent", Vector(300, 25, -150));
        HostObject* child = object(HostType::kCube, "Visible Child", Vector(0, 60, 0), parent);
        if (child == nullptr || textureTag(parent, plastic_) == nullptr ||
            textureTag(child, plaster_) == nullptr) {
            return false;
        }
        parent->setRenderVisibility(HostVisibility::Off);
        child->setRenderVisibility(HostVisibility::On);
        parent->data().setVector(CubeParam::kSize, Vector(50, 50, 50));
        child->data().setVector(CubeParam::kSize, Vector(30, 30, 30));
        return true;
    }

    // A light with the renderer's light tag, a glowing tube on its own light layer, and the null
    // the sun shines from.
    bool addLights() {
        HostObject* light = object(HostType::kLight, "Key Light", Vector(-200, 300, -200));
        HostObject* tube = object(HostType::kCube, "Neon Tube", Vector(0, 250, 300));
        sun_ = object(HostType::kNull, "Sun", Vector(10, 10, 0));
        if (sun_ == nullptr || tag(light, PluginNode::kLightTag) == nullptr ||
            textureTag(tube, neon_) == nullptr) {
            return false;
        }
        tube->data().setVector(CubeParam::kSize, Vector(200, 10, 10));
        return true;
    }

    // A camera looking down at the props through a renderer lens: f/5.6, diffraction by the
    // aperture with an obstacle map, and a render region. The view looks through it.
    bool addCamera() {
        HostObject* camera = object(HostType::kCamera, "Camera", Vector(0, 150, -600));
        HostTag* lens = tag(camera, PluginNode::kCameraTag);
        if (lens == nullptr) {
            return false;
        }
        HostMatrix m = rotationMatrix(Vector(0, std::atan2(150.0f, 600.0f), 0));
        m.off = camera->localMatrix().off;
        camera->setLocalMatrix(m);
        HostContainer& d = lens->data();
        d.setInt(CameraTagParam::kFStop, CameraTagParam::kF5_6);
        d.setInt(CameraTagParam::kDiffraction, CameraTagParam::kDiffractionAperture);
        d.setBool(CameraTagParam::kObstacleMapEnable, true);
        d.setFilename(CameraTagParam::kObstacleMap, demoFile(DemoFile::kObstacleMap));
        d.setBool(CameraTagParam::kRenderRegion, true);
        d.setInt(CameraTagParam::kRegionX1, 100);
        d.setInt(CameraTagParam::kRegionX2, 700);
        d.setInt(CameraTagParam::kRegionY1, 100);
        d.setInt(CameraTagParam::kRegionY2, 500);
        doc_->view().setSceneCamera(camera);
        return true;
    }

    // The renderer's settings in the active render data: sun and sky with the sun towards the
    // sun null, and four render threads.
    bool addRenderSettings() {
        HRenderData* renderData = doc_->renderData();
        std::unique_ptr<HostVideoPost> created = host_.createVideoPost(PluginNode::kRenderSettings);
        if (renderData == nullptr || !created) {
            return failed("the render-settings node");
        }
        HostContainer& d = created->data();
        d.setInt(RenderSettingsParam::kEnvironment, RenderSettingsParam::kSunAndSky);
        d.setLink(RenderSettingsParam::kSunObject, sun_);
        d.setBool(RenderSettingsParam::kAutoThreads, false);
        d.setInt(RenderSettingsParam::kNumThreads, 4);
        return renderData->insertVideoPost(std::move(created), nullptr) != nullptr;
    }

    // The renderer's definition of every material, kept in a material group.
    bool addMaterialHelpers() {
        group_ = object(PluginNode::kMaterialGroup, "Materials", Vector(0, 0, 0));
        if (group_ == nullptr) {
            return false;
        }
        HostContainer* h = nullptr;
        const auto helper = [&](HostMaterial* material, int32_t type) {
            HostObject* o =
                object(PluginNode::kMaterialHelper, material->name(), Vector(0, 0, 0), group_);
            if (o == nullptr) {
                return false;
            }
            h = &o->data();
            h->setLink(HelperParam::kMaterial, material);
            h->setInt(HelperParam::kType, type);
            // As the helper takes it over from its material when a user links it.
            h->setVector(HelperParam::kColour,
                         material->data().getVector(HostMaterialParam::kColour));
            return true;
        };
        // The blend comes before its parts, which the scene still has to hold first.
        if (!helper(mix_, HelperParam::kBlend)) {
            return false;
        }
        h->setLink(HelperParam::kBlendA, brick_);
        h->setLink(HelperParam::kBlendB, plaster_);
        h->setReal(HelperParam::kBlendAmount, 0.25f);
        if (!helper(plastic_, HelperParam::kDiffuse) || !helper(plaster_, HelperParam::kDiffuse) ||
            !helper(brick_, HelperParam::kOrenNayar)) {
            return false;
        }
        if (!helper(chrome_, HelperParam::kPhong)) {
            return false;
        }
        h->setBool(HelperParam::kUseNkData, true);
        if (!helper(glass_, HelperParam::kSpecular)) {
            return false;
        }
        h->setVector(HelperParam::kAbsorptionColour, Vector(0.2f, 0.5f, 1.0f));
        h->setReal(HelperParam::kAbsorptionScale, 3.0f);
        if (!helper(frosted_, HelperParam::kGlossyTransparent)) {
            return false;
        }
        h->setBool(HelperParam::kSubsurfaceScattering, true);
        h->setInt(HelperParam::kPhaseFunction, HelperParam::kPhaseHenyeyGreenstein);
        h->setInt(HelperParam::kGType, HelperParam::kGRgb);
        if (!helper(skin_, HelperParam::kSpecular)) {
            return false;
        }
        h->setInt(HelperParam::kMediumType, HelperParam::kMediumEpidermis);
        if (!helper(neon_, HelperParam::kDiffuse)) {
            return false;
        }
        h->setBool(HelperParam::kEmission, true);
        h->setInt(HelperParam::kEmissionType, HelperParam::kEmissionBlackbody);
        h->setInt(HelperParam::kEmissionLayer, 1);
        h->setInt(HelperParam::kEmissionScaleMeasure, HelperParam::kLuminousFlux);
        h->setReal(HelperParam::kEmissionScaleValue, 800.0f);
        if (!helper(marble_, HelperParam::kDiffuse) || !helper(gold_, HelperParam::kInclude)) {
            return false;
        }
        h->setFilename(HelperParam::kIncludeFile, demoFile(DemoFile::kGold));
        return true;
    }

    HeadlessHost& host_;
    std::string& error_;
    HostFilename folder_;
    std::unique_ptr<HDocument> doc_;
    HostMaterial* plastic_ = nullptr;
    HostMaterial* plaster_ = nullptr;
    HostMaterial* brick_ = nullptr;
    HostMaterial* chrome_ = nullptr;
    HostMaterial* glass_ = nullptr;
    HostMaterial* frosted_ = nullptr;
    HostMaterial* skin_ = nullptr;
    HostMaterial* mix_ = nullptr;
    HostMaterial* neon_ = nullptr;
    HostMaterial* marble_ = nullptr;
    HostMaterial* gold_ = nullptr;
    HostObject* cube_ = nullptr;
    HostObject* sun_ = nullptr;
    HostObject* group_ = nullptr;
};

} // namespace

std::unique_ptr<HDocument> buildDemoDocument(HeadlessHost& host, std::string& error,
                                             const HostFilename& folder) {
    DemoBuilder builder(host, error, folder);
    return builder.build();
}

} // namespace headless
