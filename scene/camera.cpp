// The camera element and the camera-dependent renderer settings.
#include "export/exporter.h"

#include "objects/camera_tag_ids.h"
#include "plugin/host/document.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/object.h"
#include "plugin/host/render_data.h"
#include "plugin/host/tag.h"
#include "plugin/host/view.h"
#include "plugin/plugin_ids.h"

#include <cmath>

namespace {

// The camera without a tag: a 36 mm sensor at f/8 with a D65 white point.
constexpr float kUntaggedSensorWidth = 0.036f;
constexpr float kDefaultFNumber = 8.0f;
constexpr float kDefaultFilmWidth = 36.0f;
const char* const kMissingFile = "element not found";

float fNumberFor(int32_t value) {
    switch (value) {
    case CAMTAG_F1:
        return 1.0f;
    case CAMTAG_F1_4:
        return 1.4f;
    case CAMTAG_F2:
        return 2.0f;
    case CAMTAG_F2_8:
        return 2.8f;
    case CAMTAG_F4:
        return 4.0f;
    case CAMTAG_F5_6:
        return 5.6f;
    case CAMTAG_F8:
        return 8.0f;
    case CAMTAG_F11:
        return 11.0f;
    case CAMTAG_F16:
        return 16.0f;
    case CAMTAG_F22:
        return 22.0f;
    case CAMTAG_F32:
        return 32.0f;
    case CAMTAG_F45:
        return 45.0f;
    case CAMTAG_F64:
        return 64.0f;
    default:
        return kDefaultFNumber;
    }
}

const char* whitePointFor(int32_t value) {
    switch (value) {
    case CAMTAG_WB_E:
        return "E";
    case CAMTAG_WB_D50:
        return "D50";
    case CAMTAG_WB_D55:
        return "D55";
    case CAMTAG_WB_D65:
        return "D65";
    case CAMTAG_WB_D75:
        return "D75";
    case CAMTAG_WB_A:
        return "A";
    case CAMTAG_WB_B:
        return "B";
    case CAMTAG_WB_C:
        return "C";
    case CAMTAG_WB_9300:
        return "9300";
    case CAMTAG_WB_F2:
        return "F2";
    case CAMTAG_WB_F7:
        return "F7";
    case CAMTAG_WB_F11:
        return "F11";
    default:
        return "";
    }
}

// The path text of a file-name parameter, or the renderer's marker for a missing one.
std::string filePathOrMissing(const HostContainer& data, int32_t id) {
    switch (data.type(id)) {
    case HostValueType::Filename:
        return data.getFilename(id).text();
    case HostValueType::String:
        return data.getString(id);
    default:
        return kMissingFile;
    }
}

void writeFilter(ZarvexSceneExporter& exporter, const char* name, const HostContainer& tag,
                 int32_t filterId, int32_t ringId, int32_t blurId, TiXmlElement* parent) {
    TiXmlElement* filter = exporter.addElement(name, parent);
    switch (tag.getInt(filterId, 0)) {
    case CAMTAG_FILTER_MN_CUBIC: {
        TiXmlElement* cubic = exporter.addElement("mn_cubic", filter);
        exporter.addFloatElement("ring", tag.getReal(ringId, 0.0f), cubic);
        exporter.addFloatElement("blur", tag.getReal(blurId, 0.0f), cubic);
        break;
    }
    case CAMTAG_FILTER_BOX:
        exporter.addElement("box", filter);
        break;
    case CAMTAG_FILTER_GAUSSIAN:
        exporter.addElement("gaussian", filter);
        break;
    default:
        break;
    }
}

// Diffraction, super-sampling, filters, overlays and the render region of a camera tag.
void writeTagSettings(ZarvexSceneExporter& exporter, const HostContainer& tag,
                      TiXmlElement* rendererSettings) {
    const int32_t diffraction = tag.getInt(CAMTAG_DIFFRACTION, CAMTAG_DIFFRACTION_POST);
    exporter.addBoolElement("aperture_diffraction", diffraction == CAMTAG_DIFFRACTION_APERTURE,
                            rendererSettings);
    exporter.addBoolElement("post_process_diffraction", diffraction == CAMTAG_DIFFRACTION_POST,
                            rendererSettings);
    exporter.addIntElement("super_sample_factor", tag.getInt(CAMTAG_SUPER_SAMPLE_FACTOR, 1),
                           rendererSettings);
    writeFilter(exporter, "splat_filter", tag, CAMTAG_SPLAT_FILTER, CAMTAG_SPLAT_RING,
                CAMTAG_SPLAT_BLUR, rendererSettings);
    writeFilter(exporter, "downsize_filter", tag, CAMTAG_DOWNSIZE_FILTER, CAMTAG_DOWNSIZE_RING,
                CAMTAG_DOWNSIZE_BLUR, rendererSettings);
    exporter.addBoolElement("watermark", tag.getBool(CAMTAG_WATERMARK, false), rendererSettings);
    exporter.addBoolElement("info_overlay", tag.getBool(CAMTAG_INFO_OVERLAY, false),
                            rendererSettings);
    if (tag.getBool(CAMTAG_RENDER_REGION, false)) {
        TiXmlElement* region = exporter.addElement("render_region", rendererSettings);
        exporter.addIntElement("x1", tag.getInt(CAMTAG_REGION_X1, 0), region);
        exporter.addIntElement("x2", tag.getInt(CAMTAG_REGION_X2, 0), region);
        exporter.addIntElement("y1", tag.getInt(CAMTAG_REGION_Y1, 0), region);
        exporter.addIntElement("y2", tag.getInt(CAMTAG_REGION_Y2, 0), region);
    }
}

void writeApertureShape(ZarvexSceneExporter& exporter, const HostContainer& tag,
                        TiXmlElement* camera) {
    TiXmlElement* shape = exporter.addElement("aperture_shape", camera);
    switch (tag.getInt(CAMTAG_APERTURE_SHAPE, CAMTAG_SHAPE_CIRCULAR)) {
    case CAMTAG_SHAPE_CIRCULAR:
        exporter.addElement("circular", shape);
        break;
    case CAMTAG_SHAPE_GENERATED: {
        TiXmlElement* generated = exporter.addElement("generated", shape);
        exporter.addIntElement("num_blades", tag.getInt(CAMTAG_NUM_BLADES, 0), generated);
        exporter.addFloatElement("blade_offset", tag.getReal(CAMTAG_BLADE_OFFSET, 0.0f), generated);
        exporter.addFloatElement("blade_curvature_radius",
                                 tag.getReal(CAMTAG_BLADE_CURVATURE_RADIUS, 0.0f), generated);
        exporter.addFloatElement("start_angle", tag.getReal(CAMTAG_START_ANGLE, 0.0f), generated);
        break;
    }
    case CAMTAG_SHAPE_IMAGE: {
        TiXmlElement* image = exporter.addElement("image", shape);
        exporter.addStringElement("path", filePathOrMissing(tag, CAMTAG_APERTURE_IMAGE), image);
        break;
    }
    default:
        break;
    }
}

} // namespace

void ZarvexSceneExporter::findCamera() {
    camera_ = nullptr;
    cameraData_.clear();
    cameraTagData_.clear();
    hasCameraTag_ = false;
    HostView* view = document_ ? document_->activeView() : nullptr;
    if (view == nullptr) {
        return;
    }
    // A view that uses its own camera is exported through that camera.
    camera_ = view->sceneCamera() != nullptr ? view->sceneCamera() : view->editorCamera();
    if (camera_ == nullptr) {
        return;
    }
    cameraData_ = camera_->data();
    if (HostTag* tag = camera_->tag(PluginId::kCameraTag)) {
        cameraTagData_ = tag->data();
        hasCameraTag_ = true;
    }
}

bool ZarvexSceneExporter::writeCamera(TiXmlElement* rendererSettings) {
    TiXmlElement* camera = addElement("camera", sceneRoot_);
    const HostContainer& tag = cameraTagData_;
    const HostContainer& lens = cameraData_;
    if (hasCameraTag_) {
        writeTagSettings(*this, tag, rendererSettings);
    }

    const HostRenderData* renderData = document_ ? document_->activeRenderData() : nullptr;
    const int32_t width = renderData ? renderData->data().getInt(HostRenderParam::kWidth, 0) : 0;
    const int32_t height = renderData ? renderData->data().getInt(HostRenderParam::kHeight, 0) : 0;
    addIntElement("width", width, rendererSettings);
    addIntElement("height", height, rendererSettings);
    // Without an image size the aspect ratio is undefined; a square image keeps the lens
    // shifts finite.
    const float aspectRatio = width > 0 && height > 0 ? float(width) / float(height) : 1.0f;

    addFloatElement("aspect_ratio", aspectRatio, camera);
    addFloatElement("exposure_duration",
                    hasCameraTag_ ? tag.getReal(CAMTAG_EXPOSURE_DURATION, 0.0f) : exposureDuration_,
                    camera);
    // Positions are scaled to metres; the axes are directions and stay as they are.
    const HostMatrix global = camera_->globalMatrix();
    const Vector pos = global.off * sceneScale_;
    addVectorElement("pos", pos.x, pos.y, pos.z, camera, true);
    addVectorElement("up", global.v2.x, global.v2.y, global.v2.z, camera, true);
    addVectorElement("forwards", global.v3.x, global.v3.y, global.v3.z, camera, true);
    addFloatElement("focus_distance",
                    lens.getReal(HostCameraParam::kFocusDistance, 0.0f) * sceneScale_, camera);

    const float filmWidth = lens.getReal(HostCameraParam::kFilmWidth, kDefaultFilmWidth);
    const float focalLength = lens.getReal(HostCameraParam::kFocalLength, 0.0f);
    // Film width in millimetres to metres.
    const float sensorWidth =
        hasCameraTag_ ? float(double(filmWidth) * 0.001) : kUntaggedSensorWidth;
    addFloatElement("sensor_width", sensorWidth, camera);
    const float half = float((double(filmWidth) * 0.5) / double(focalLength));
    const float fov = float(2.0 * std::atan(double(half)));
    const float lensSensorDistance =
        float(double(sensorWidth) / (2.0 * std::tan(double(fov) * 0.5)));
    addFloatElement("lens_sensor_dist", lensSensorDistance, camera);
    const float fNumber = hasCameraTag_ ? fNumberFor(tag.getInt(CAMTAG_FSTOP, 0)) : kDefaultFNumber;
    addFloatElement("aperture_radius", lensSensorDistance / (2.0f * fNumber), camera);

    writeApertureShape(*this, tag, camera);
    if (tag.getInt(CAMTAG_DIFFRACTION, CAMTAG_DIFFRACTION_NONE) == CAMTAG_DIFFRACTION_APERTURE &&
        tag.getBool(CAMTAG_OBSTACLE_MAP_ENABLE, false)) {
        TiXmlElement* obstacle = addElement("obstacle_map", camera);
        addStringElement("path", filePathOrMissing(tag, CAMTAG_OBSTACLE_MAP), obstacle);
    }
    addStringElement("white_balance",
                     hasCameraTag_ ? whitePointFor(tag.getInt(CAMTAG_WHITE_BALANCE, 0)) : "D65",
                     camera);
    if (!hasCameraTag_ || tag.getBool(CAMTAG_AUTOFOCUS, false)) {
        addElement("autofocus", camera);
    }
    // The film offsets are fractions of the film's width and height; up is the sign reversed.
    addFloatElement("lens_shift_up_distance",
                    -lens.getReal(HostCameraParam::kFilmOffsetY, 0.0f) * sensorWidth / aspectRatio,
                    camera);
    addFloatElement("lens_shift_right_distance",
                    lens.getReal(HostCameraParam::kFilmOffsetX, 0.0f) * sensorWidth, camera);
    return true;
}
