// The demo document, one function per group of nodes. To show more nodes, add a group and call
// it from buildDemoDocument.
#include "headless/demo.h"

#include "headless/document.h"
#include "headless/host.h"
#include "plugin/host/host_ids.h"

#include <cmath>

namespace headless {

namespace {

// Parameter IDs of host nodes the demo sets (the host's values, stored in documents).
namespace HostParameter {
constexpr int32_t kMaterialColour = 2100;
constexpr int32_t kMaterialBrightness = 2101;
constexpr int32_t kSphereRadius = 1110;
constexpr int32_t kTextureTagRestriction = 1006;
} // namespace HostParameter

// The plug-in's node types and the parameters of them the demo links up; both are stored in
// users' documents and so fixed.
namespace PluginNode {
constexpr int32_t kLightTag = 1020892;
constexpr int32_t kExitPortalTag = 1021223;
constexpr int32_t kCameraTag = 1022083;
constexpr int32_t kSubdivisionTag = 1022667;
constexpr int32_t kInstance = 1022273;
constexpr int32_t kMaterialGroup = 1023293;
constexpr int32_t kMaterialHelper = 1020893;
// The instance's object and the material helper's host material.
constexpr int32_t kInstanceLink = 10000;
constexpr int32_t kMaterialHelperMaterial = 1001;
} // namespace PluginNode

constexpr int32_t kFps = 30;
// The animation runs from frame 0 to this frame.
constexpr int32_t kLastFrame = 30;
constexpr Real kPi = 3.14159265f;

class DemoBuilder {
public:
    DemoBuilder(HeadlessHost& host, std::string& error)
        : host_(host), error_(error), doc_(std::make_unique<HDocument>()) {}

    std::unique_ptr<HDocument> build() {
        doc_->setName("Tolvane demo");
        doc_->setFps(kFps);
        doc_->setTime(HostTime::fromFrame(0, kFps));
        const bool built = addMaterials() && addFloor() && addProps() && addPolygonObjects() &&
                           addInstance() && addLight() && addCamera() && addMaterialHelpers();
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
                t->data().setString(HostParameter::kTextureTagRestriction, restriction);
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
        created->data().setVector(HostParameter::kMaterialColour, colour);
        created->data().setReal(HostParameter::kMaterialBrightness, 1.0f);
        HostMaterial* pred = nullptr;
        for (HostMaterial* m = doc_->firstMaterial(); m; m = m->next()) {
            pred = m;
        }
        return doc_->insertMaterial(std::move(created), pred);
    }

    void keys(HostNode* node, TrackTarget target, int32_t parameter, const HostValue& first,
              const HostValue& last) {
        AnimationTrack& track = doc_->animation().track(node->uid(), target, parameter);
        track.setKey(HostTime::fromFrame(0, kFps).seconds, first);
        track.setKey(HostTime::fromFrame(kLastFrame, kFps).seconds, last);
    }

    // Two materials; the plastic's colour changes over the animation.
    bool addMaterials() {
        plastic_ = material("Red Plastic", Vector(0.8f, 0.1f, 0.1f));
        tiles_ = material("Floor Tiles", Vector(0.7f, 0.7f, 0.65f));
        if (plastic_ == nullptr || tiles_ == nullptr) {
            return false;
        }
        keys(plastic_, TrackTarget::Parameter, HostParameter::kMaterialColour,
             HostValue(Vector(0.8f, 0.1f, 0.1f)), HostValue(Vector(0.9f, 0.5f, 0.1f)));
        return true;
    }

    bool addFloor() {
        HostObject* floor = object(HostType::kPlane, "Floor", Vector(0, 0, 0));
        return floor != nullptr && textureTag(floor, tiles_) != nullptr;
    }

    // A null holding a cube that moves and turns and a sphere that grows.
    bool addProps() {
        HostObject* props = object(HostType::kNull, "Props", Vector(0, 0, 0));
        if (props == nullptr) {
            return false;
        }
        cube_ = object(HostType::kCube, "Cube", Vector(-150, 50, 0), props);
        HostObject* sphere = object(HostType::kSphere, "Sphere", Vector(150, 60, 0), props);
        if (cube_ == nullptr || sphere == nullptr || textureTag(cube_, plastic_) == nullptr ||
            textureTag(sphere, tiles_) == nullptr) {
            return false;
        }
        sphere->data().setReal(HostParameter::kSphereRadius, 50.0f);
        keys(cube_, TrackTarget::Position, 0, HostValue(Vector(-150, 50, 0)),
             HostValue(Vector(-50, 50, 100)));
        keys(cube_, TrackTarget::Rotation, 0, HostValue(Vector(0, 0, 0)),
             HostValue(Vector(kPi / 2, 0, 0)));
        keys(sphere, TrackTarget::Parameter, HostParameter::kSphereRadius, HostValue(50.0f),
             HostValue(80.0f));
        return true;
    }

    // A pyramid with a selection of its base and a material restricted to it, a window pane
    // that lets light in, and a pedestal to subdivide.
    bool addPolygonObjects() {
        HostObject* pyramid = object(HostType::kPolygonObject, "Pyramid", Vector(0, 0, 200));
        if (pyramid == nullptr) {
            return false;
        }
        HostPolygonObject* mesh = pyramid->toPolygonObject();
        mesh->setPoints({{-50, 0, -50}, {50, 0, -50}, {50, 0, 50}, {-50, 0, 50}, {0, 80, 0}});
        mesh->setPolygons({{0, 1, 4, 4}, {1, 2, 4, 4}, {2, 3, 4, 4}, {3, 0, 4, 4}, {0, 3, 2, 1}});
        if (tag(pyramid, HostType::kPhongTag) == nullptr ||
            tag(pyramid, HostType::kUvwTag) == nullptr ||
            tag(pyramid, HostType::kPolygonSelectionTag, "Base") == nullptr ||
            textureTag(pyramid, plastic_) == nullptr ||
            textureTag(pyramid, tiles_, "Base") == nullptr) {
            return false;
        }
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
               textureTag(pedestal, tiles_) != nullptr;
    }

    // The cube once more, elsewhere.
    bool addInstance() {
        HostObject* instance =
            object(PluginNode::kInstance, "Cube Instance", Vector(-150, 50, -200));
        if (instance == nullptr) {
            return false;
        }
        instance->data().setLink(PluginNode::kInstanceLink, cube_);
        return true;
    }

    bool addLight() {
        HostObject* light = object(HostType::kLight, "Key Light", Vector(-200, 300, -200));
        return light != nullptr && tag(light, PluginNode::kLightTag) != nullptr;
    }

    // A camera looking down at the props; the view looks through it.
    bool addCamera() {
        HostObject* camera = object(HostType::kCamera, "Camera", Vector(0, 150, -500));
        if (camera == nullptr || tag(camera, PluginNode::kCameraTag) == nullptr) {
            return false;
        }
        HostMatrix m = rotationMatrix(Vector(0, std::atan2(150.0f, 500.0f), 0));
        m.off = camera->localMatrix().off;
        camera->setLocalMatrix(m);
        doc_->view().setSceneCamera(camera);
        return true;
    }

    // The renderer's definition of the plastic, kept in a material group.
    bool addMaterialHelpers() {
        HostObject* group = object(PluginNode::kMaterialGroup, "Zarvex Materials", Vector(0, 0, 0));
        if (group == nullptr) {
            return false;
        }
        HostObject* helper =
            object(PluginNode::kMaterialHelper, "Red Plastic", Vector(0, 0, 0), group);
        if (helper == nullptr) {
            return false;
        }
        helper->data().setLink(PluginNode::kMaterialHelperMaterial, plastic_);
        return true;
    }

    HeadlessHost& host_;
    std::string& error_;
    std::unique_ptr<HDocument> doc_;
    HostMaterial* plastic_ = nullptr;
    HostMaterial* tiles_ = nullptr;
    HostObject* cube_ = nullptr;
};

} // namespace

std::unique_ptr<HDocument> buildDemoDocument(HeadlessHost& host, std::string& error) {
    DemoBuilder builder(host, error);
    return builder.build();
}

} // namespace headless
