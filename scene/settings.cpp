// renderer_settings, tonemapping, layer names and material aliases.
#include "export/exporter.h"

#include "commands/settings_file.h"
#include "objects/camera_tag_ids.h"
#include "plugin/host/document.h"
#include "plugin/host/render_data.h"
#include "plugin/plugin_ids.h"
#include "scene/relative_path.h"
#include "scene/render_settings_ids.h"

#include <algorithm>

namespace {

// Metres per host unit of a RENDERSET_UNIT value; false for a value outside the table.
bool sceneScaleForUnit(int32_t unit, const HostContainer& settings, float& scale) {
    switch (unit) {
    case RENDERSET_UNIT_KM:
        scale = 1000.0f;
        return true;
    case RENDERSET_UNIT_M:
        scale = 1.0f;
        return true;
    case RENDERSET_UNIT_CM:
        scale = 0.01f;
        return true;
    case RENDERSET_UNIT_MM:
        scale = 0.001f;
        return true;
    case RENDERSET_UNIT_CUSTOM:
        scale = settings.getReal(RENDERSET_CUSTOM_SCALE, 0.0f);
        return true;
    default:
        return false;
    }
}

struct Integrator {
    bool metropolis = false;
    bool bidirectional = false;
};

// The node never stores another value; anything else renders as the node's initial choice,
// bidirectional with Metropolis sampling.
Integrator integratorFor(int32_t value) {
    switch (value) {
    case RENDERSET_INTEGRATOR_PT:
        return {false, false};
    case RENDERSET_INTEGRATOR_BIDIR:
        return {false, true};
    case RENDERSET_INTEGRATOR_MLT:
        return {true, false};
    default:
        return {true, true};
    }
}

} // namespace

void ZarvexSceneExporter::findRenderSettings() {
    renderSettings_ = nullptr;
    HostRenderData* renderData = document_ ? document_->activeRenderData() : nullptr;
    if (renderData == nullptr) {
        return;
    }
    for (HostVideoPost* effect = renderData->firstVideoPost(); effect != nullptr;
         effect = effect->next()) {
        if (effect->type() == PluginId::kRenderSettings && !effect->hasBit(HostBit::kDisabled)) {
            renderSettings_ = &effect->data();
            return;
        }
    }
}

bool ZarvexSceneExporter::writeRendererSettings(TiXmlElement* rendererSettings) {
    if (renderSettings_ == nullptr) {
        addBoolElement("metropolis", true, rendererSettings);
        addBoolElement("bidirectional", false, rendererSettings);
        return false;
    }
    const HostContainer& rs = *renderSettings_;
    float scale = sceneScale_;
    if (sceneScaleForUnit(rs.getInt(RENDERSET_UNIT, RENDERSET_UNIT_CM), rs, scale)) {
        sceneScale_ = scale;
    }
    const Integrator integrator = integratorFor(rs.getInt(RENDERSET_INTEGRATOR, 0));

    addBoolElement("metropolis", integrator.metropolis, rendererSettings);
    if (rs.getBool(RENDERSET_ADVANCED, false)) {
        addFloatElement("large_mutation_prob", rs.getReal(RENDERSET_LARGE_MUTATION_PROB, 0.0f),
                        rendererSettings);
        addFloatElement("max_change", rs.getReal(RENDERSET_MAX_CHANGE, 0.0f), rendererSettings);
        addIntElement("max_num_consec_rejections",
                      rs.getInt(RENDERSET_MAX_NUM_CONSEC_REJECTIONS, 0), rendererSettings);
        addIntElement("max_depth", rs.getInt(RENDERSET_MAX_DEPTH, 0), rendererSettings);
        addIntElement("bih_tri_threshold", rs.getInt(RENDERSET_BIH_TRI_THRESHOLD, 0),
                      rendererSettings);
    }
    addFloatElement("halt_time", rs.getReal(RENDERSET_HALT_TIME, 0.0f), rendererSettings);
    addFloatElement("halt_samples_per_pixel", rs.getReal(RENDERSET_HALT_SAMPLES_PER_PIXEL, 0.0f),
                    rendererSettings);
    addBoolElement("bidirectional", integrator.bidirectional, rendererSettings);
    addBoolElement("hybrid", rs.getBool(RENDERSET_HYBRID, false), rendererSettings);
    addBoolElement("logging", rs.getBool(RENDERSET_LOGGING, false), rendererSettings);
    // Stored as seconds in reals, written as whole seconds.
    addIntElement("display_period", rs.getInt(RENDERSET_DISPLAY_PERIOD, 0), rendererSettings);
    addIntElement("image_save_period", rs.getInt(RENDERSET_IMAGE_SAVE_PERIOD, 0), rendererSettings);
    addBoolElement("save_untonemapped_exr", rs.getBool(RENDERSET_SAVE_UNTONEMAPPED_EXR, false),
                   rendererSettings);
    addBoolElement("save_tonemapped_exr", rs.getBool(RENDERSET_SAVE_TONEMAPPED_EXR, false),
                   rendererSettings);
    addBoolElement("save_zvi", rs.getBool(RENDERSET_SAVE_RAW_IMAGE, false), rendererSettings);
    if (rs.getBool(RENDERSET_AUTO_THREADS, false)) {
        addBoolElement("auto_choose_num_threads", true, rendererSettings);
    } else {
        addBoolElement("auto_choose_num_threads", false, rendererSettings);
        addIntElement("num_threads", rs.getInt(RENDERSET_NUM_THREADS, 0), rendererSettings);
    }
    addBoolElement("cache_trees", rs.getBool(RENDERSET_CACHE_TREES, false), rendererSettings);
    addBoolElement("polarisation", false, rendererSettings);
    return true;
}

bool ZarvexSceneExporter::writeToneMapping() {
    TiXmlElement* toneMapping = addElement("tonemapping", sceneRoot_);
    const HostContainer& tag = cameraTagData_;
    switch (tag.getInt(CAMTAG_TONEMAPPING, CAMTAG_TM_REINHARD)) {
    case CAMTAG_TM_LINEAR: {
        TiXmlElement* linear = addElement("linear", toneMapping);
        addFloatElement("scale", tag.getReal(CAMTAG_SCALE, 0.0f), linear);
        break;
    }
    case CAMTAG_TM_CAMERA: {
        TiXmlElement* camera = addElement("camera", toneMapping);
        addFloatElement("film_iso", tag.getReal(CAMTAG_FILM_ISO, 0.0f), camera);
        addFloatElement("ev_adjust", tag.getReal(CAMTAG_EV_ADJUST, 0.0f), camera);
        const HostFilename response =
            tag.getFilename(CAMTAG_RESPONSE_FUNCTION, HostFilename("Fileneme/not/set"));
        // The renderer reads the response function relative to its own directory.
        std::string path;
        HostFilename rendererDirectory;
        if (readRendererLocation(rendererDirectory, false, false)) {
            path = relativePath(rendererDirectory.text(), response.text()).value_or("");
        }
        addStringElement("response_function_path", path, camera);
        break;
    }
    default: {
        TiXmlElement* reinhard = addElement("reinhard", toneMapping);
        addFloatElement("pre_scale", tag.getReal(CAMTAG_SCALE, 3.0f), reinhard);
        addFloatElement("post_scale", tag.getReal(CAMTAG_POST_SCALE, 1.0f), reinhard);
        addFloatElement("burn", tag.getReal(CAMTAG_BURN, 10.0f), reinhard);
        break;
    }
    }
    return true;
}

void ZarvexSceneExporter::writeLayerName(const std::string& name, int32_t index) {
    TiXmlElement* layer = addElement("layer_name", sceneRoot_);
    addStringElement("layer_name", name, layer);
    addIntElement("layer_index", index, layer);
}

int32_t ZarvexSceneExporter::emitterLayer(int32_t userLayer) {
    // Layers come from helper and light-tag parameters and from imported material files, so
    // any integer may arrive here.
    const int32_t layer = std::clamp(userLayer, int32_t(0), kHighestUserLayer) + layerBase_;
    if (layer > highestLayer_) {
        highestLayer_ = layer;
    }
    return layer;
}

void ZarvexSceneExporter::writeLayers() {
    for (int32_t i = layerBase_; i <= highestLayer_; ++i) {
        writeLayerName("Layer " + std::to_string(i - layerBase_), i);
    }
}

void ZarvexSceneExporter::writeMaterialAlias(const std::string& currentName,
                                             const std::string& newName) {
    TiXmlElement* alias = addElement("alias_material", sceneRoot_);
    addStringElement("current_name", currentName, alias);
    addStringElement("new_name", newName, alias);
}
