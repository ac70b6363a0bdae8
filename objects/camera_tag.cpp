#include "objects/camera_tag.h"

#include "objects/camera_tag_ids.h"
#include "plugin/host/description.h"
#include "plugin/host/document.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/object.h"
#include "plugin/host/render_data.h"
#include "plugin/host/tag.h"
#include "plugin/host/view.h"
#include "plugin/plugin_ids.h"

#include <cmath>
#include <initializer_list>

namespace {

// A camera carrying the tag shows in this colour in the editor.
constexpr HostDisplayColour kMarkedCamera{2, Vector(0.29412f, 0.0f, 0.5098f), false};
constexpr HostDisplayColour kUnmarkedCamera{0, Vector(1, 1, 1), false};

constexpr int32_t kHorizontalSafeFrame = 1;
constexpr int32_t kVerticalSafeFrame = 2;

HostObject* taggedCamera(HostNode* node) {
    HostTag* tag = node ? node->toTag() : nullptr;
    HostObject* object = tag ? tag->object() : nullptr;
    return object != nullptr && object->type() == HostType::kCamera ? object : nullptr;
}

void setHidden(HostDescription& description, std::initializer_list<int32_t> ids, bool hidden) {
    for (const int32_t id : ids) {
        description.setHidden(id, hidden);
    }
}

void applyToneMappingRule(HostDescription& d, int32_t toneMapping) {
    switch (toneMapping) {
    case CAMTAG_TM_LINEAR:
        setHidden(d, {CAMTAG_POST_SCALE, CAMTAG_BURN, CAMTAG_CAMERA_RESPONSE_GROUP}, true);
        break;
    case CAMTAG_TM_REINHARD:
        d.setHidden(CAMTAG_CAMERA_RESPONSE_GROUP, true);
        setHidden(d, {CAMTAG_POST_SCALE, CAMTAG_BURN}, false);
        break;
    case CAMTAG_TM_CAMERA:
        d.setHidden(CAMTAG_SCALE_GROUP, true);
        d.setHidden(CAMTAG_CAMERA_RESPONSE_GROUP, false);
        break;
    default:
        break;
    }
}

void applyApertureRule(HostDescription& d, int32_t shape) {
    switch (shape) {
    case CAMTAG_SHAPE_CIRCULAR:
        setHidden(d, {CAMTAG_GENERATED_GROUP, CAMTAG_IMAGE_GROUP}, true);
        break;
    case CAMTAG_SHAPE_GENERATED:
        d.setHidden(CAMTAG_IMAGE_GROUP, true);
        d.setHidden(CAMTAG_GENERATED_GROUP, false);
        break;
    case CAMTAG_SHAPE_IMAGE:
        d.setHidden(CAMTAG_GENERATED_GROUP, true);
        d.setHidden(CAMTAG_IMAGE_GROUP, false);
        break;
    default:
        break;
    }
}

// A render-pixel coordinate in view pixels along one axis: across the safe frame's span on the
// axis it names, across the whole view frame on the other.
struct RegionMapping {
    HostViewFrame frame;
    HostSafeFrame safe;
    double renderWidth, renderHeight;

    double x(double c) const {
        if (safe.axis == kHorizontalSafeFrame) {
            return safe.from + c * (safe.to - safe.from) / renderWidth + 1;
        }
        if (safe.axis == kVerticalSafeFrame) {
            return c * frame.right / renderWidth;
        }
        return c;
    }
    double y(double c) const {
        if (safe.axis == kVerticalSafeFrame) {
            return safe.from + c * (safe.to - safe.from) / renderHeight + 1;
        }
        if (safe.axis == kHorizontalSafeFrame) {
            return c * frame.bottom / renderHeight;
        }
        return c;
    }
};

Real pixel(double v) {
    return Real(std::lround(v));
}

} // namespace

bool CameraTag::init(HostNode* node) {
    HostContainer& data = node->data();
    data.setInt(CAMTAG_WHITE_BALANCE, CAMTAG_WB_D65);
    data.setBool(CAMTAG_AUTOFOCUS, true);
    data.setReal(CAMTAG_EXPOSURE_DURATION, 0.05f);
    data.setInt(CAMTAG_FSTOP, CAMTAG_F16);
    data.setReal(CAMTAG_FILM_ISO, 400.0f);
    data.setReal(CAMTAG_EV_ADJUST, 0.0f);
    data.setFilename(CAMTAG_RESPONSE_FUNCTION,
                     HostFilename("data/camera_response_functions/Advantix-100CD.txt"));
    data.setInt(CAMTAG_TONEMAPPING, CAMTAG_TM_REINHARD);
    data.setReal(CAMTAG_SCALE, 3.0f);
    data.setReal(CAMTAG_POST_SCALE, 1.0f);
    data.setReal(CAMTAG_BURN, 10.0f);
    data.setInt(CAMTAG_SUPER_SAMPLE_FACTOR, 1);
    data.setBool(CAMTAG_WATERMARK, false);
    data.setInt(CAMTAG_DIFFRACTION, CAMTAG_DIFFRACTION_POST);
    data.setInt(CAMTAG_APERTURE_SHAPE, CAMTAG_SHAPE_GENERATED);
    data.setInt(CAMTAG_NUM_BLADES, 6);
    data.setReal(CAMTAG_BLADE_OFFSET, 0.4f);
    data.setReal(CAMTAG_BLADE_CURVATURE_RADIUS, 3.0f);
    data.setReal(CAMTAG_START_ANGLE, 0.2f);
    data.setInt(CAMTAG_SPLAT_FILTER, CAMTAG_FILTER_MN_CUBIC);
    data.setInt(CAMTAG_DOWNSIZE_FILTER, CAMTAG_FILTER_MN_CUBIC);
    data.setReal(CAMTAG_SPLAT_RING, 0.333f);
    data.setReal(CAMTAG_SPLAT_BLUR, 0.333f);
    data.setReal(CAMTAG_DOWNSIZE_RING, 0.333f);
    data.setReal(CAMTAG_DOWNSIZE_BLUR, 0.333f);
    data.setBool(CAMTAG_RENDER_REGION, false);
    data.setInt(CAMTAG_REGION_X1, 0);
    data.setInt(CAMTAG_REGION_X2, 150);
    data.setInt(CAMTAG_REGION_Y1, 0);
    data.setInt(CAMTAG_REGION_Y2, 150);
    data.setBool(CAMTAG_INFO_OVERLAY, false);
    return true;
}

void CameraTag::free(HostNode* node) {
    if (HostObject* camera = taggedCamera(node)) {
        camera->setDisplayColour(kUnmarkedCamera);
    }
}

bool CameraTag::getDescription(HostNode* node, HostDescription& description, uint32_t& flags) {
    if (!description.load(PluginId::kCameraTag)) {
        return false;
    }
    const HostContainer& data = node->data();
    applyToneMappingRule(description, data.getInt(CAMTAG_TONEMAPPING, 0));
    applyApertureRule(description, data.getInt(CAMTAG_APERTURE_SHAPE, 0));
    setHidden(description, {CAMTAG_SPLAT_RING, CAMTAG_SPLAT_BLUR},
              data.getInt(CAMTAG_SPLAT_FILTER, 0) != CAMTAG_FILTER_MN_CUBIC);
    setHidden(description, {CAMTAG_DOWNSIZE_RING, CAMTAG_DOWNSIZE_BLUR},
              data.getInt(CAMTAG_DOWNSIZE_FILTER, 0) != CAMTAG_FILTER_MN_CUBIC);
    description.setHidden(CAMTAG_REGION_GROUP, !data.getBool(CAMTAG_RENDER_REGION, false));
    const bool apertureDiffraction =
        data.getInt(CAMTAG_DIFFRACTION, 0) == CAMTAG_DIFFRACTION_APERTURE;
    description.setHidden(CAMTAG_OBSTACLE_MAP_ENABLE, !apertureDiffraction);
    description.setHidden(CAMTAG_OBSTACLE_MAP,
                          !(apertureDiffraction && data.getBool(CAMTAG_OBSTACLE_MAP_ENABLE)));
    if (HostObject* camera = taggedCamera(node)) {
        camera->setDisplayColour(kMarkedCamera);
    }
    flags |= kDescriptionLoaded;
    return true;
}

bool CameraTag::draw(HostTag* tag, HostObject* op, HostView* view) {
    const HostContainer& data = tag->data();
    if (!data.getBool(CAMTAG_RENDER_REGION, false) || op == nullptr ||
        op->type() != HostType::kCamera || view == nullptr || view->sceneCamera() != op) {
        return true;
    }
    HostDocument* doc = op->document();
    const HostRenderData* renderData = doc ? doc->activeRenderData() : nullptr;
    if (renderData == nullptr) {
        return false;
    }
    RegionMapping map;
    map.renderWidth = renderData->data().getInt(HostRenderParam::kWidth, 0);
    map.renderHeight = renderData->data().getInt(HostRenderParam::kHeight, 0);
    if (!view->frame(map.frame) || !view->safeFrame(map.safe)) {
        return false;
    }
    // An image without pixels has no region to show.
    if (map.renderWidth <= 0 || map.renderHeight <= 0) {
        return true;
    }
    const Real x1 = pixel(map.x(data.getInt(CAMTAG_REGION_X1, 10)));
    const Real x2 = pixel(map.x(data.getInt(CAMTAG_REGION_X2, 20)));
    const Real y1 = pixel(map.y(data.getInt(CAMTAG_REGION_Y1, 10)));
    const Real y2 = pixel(map.y(data.getInt(CAMTAG_REGION_Y2, 20)));
    view->setPen(Vector(1, 0, 0));
    view->drawLine2D(Vector(x1, y1, 0), Vector(x2, y1, 0));
    view->drawLine2D(Vector(x2, y1, 0), Vector(x2, y2, 0));
    view->drawLine2D(Vector(x2, y2, 0), Vector(x1, y2, 0));
    view->drawLine2D(Vector(x1, y2, 0), Vector(x1, y1, 0));
    return true;
}

int32_t CameraTag::execute(HostTag*, HostDocument*, HostObject*) {
    return 0;
}
