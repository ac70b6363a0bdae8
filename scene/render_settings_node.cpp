#include "scene/render_settings_node.h"

#include "plugin/host/application.h"
#include "plugin/host/description.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/node.h"
#include "plugin/plugin_ids.h"
#include "scene/render_settings_ids.h"

#include <initializer_list>

namespace {

// The host's unit preference: 1 km, 2 m, 3 cm, 4 mm.
int32_t unitForPreference(int32_t preference) {
    switch (preference) {
    case 1:
        return RENDERSET_UNIT_KM;
    case 2:
        return RENDERSET_UNIT_M;
    case 3:
        return RENDERSET_UNIT_CM;
    case 4:
        return RENDERSET_UNIT_MM;
    default:
        return RENDERSET_UNIT_CUSTOM;
    }
}

void setHidden(HostDescription& description, std::initializer_list<int32_t> ids, bool hidden) {
    for (const int32_t id : ids) {
        description.setHidden(id, hidden);
    }
}

} // namespace

bool RenderSettingsNode::init(HostNode* node) {
    HostContainer& data = node->data();
    data.setReal(RENDERSET_TURBIDITY, 2.0f);
    data.setBool(RENDERSET_ADVANCED, false);
    data.setInt(RENDERSET_MAX_DEPTH, 10000);
    data.setInt(RENDERSET_MAX_NUM_CONSEC_REJECTIONS, 1000);
    data.setReal(RENDERSET_HALT_TIME, -1.0f);
    data.setBool(RENDERSET_SAVE_RAW_IMAGE, true);
    data.setInt(RENDERSET_INTEGRATOR, RENDERSET_INTEGRATOR_BIDIR_MLT);
    data.setReal(RENDERSET_CUSTOM_SCALE, 1.0f);
    data.setReal(RENDERSET_LARGE_MUTATION_PROB, 0.4f);
    data.setReal(RENDERSET_MAX_CHANGE, 0.01f);
    data.setBool(RENDERSET_LOGGING, true);
    data.setReal(RENDERSET_DISPLAY_PERIOD, 60.0f);
    data.setReal(RENDERSET_IMAGE_SAVE_PERIOD, 300.0f);
    data.setBool(RENDERSET_SAVE_UNTONEMAPPED_EXR, false);
    data.setBool(RENDERSET_SAVE_TONEMAPPED_EXR, false);
    data.setInt(RENDERSET_NUM_THREADS, host().processorThreadCount());
    data.setBool(RENDERSET_CACHE_TREES, true);
    data.setBool(RENDERSET_UNUSED_1359, false);
    data.setBool(RENDERSET_HYBRID, false);
    data.setInt(RENDERSET_BIH_TRI_THRESHOLD, 800);
    data.setInt(RENDERSET_ENVIRONMENT, RENDERSET_ENV_NONE);
    data.setBool(RENDERSET_EXTRA_ATMOSPHERIC, false);
    data.setReal(RENDERSET_HALT_SAMPLES_PER_PIXEL, -1.0f);
    data.setBool(RENDERSET_AUTO_THREADS, true);
    data.setInt(RENDERSET_UNIT,
                unitForPreference(host().worldPreferences().getInt(HostPreference::kUnit, 0)));
    data.setBool(RENDERSET_UNUSED_1392, true);
    data.setReal(RENDERSET_CUSTOM_SCALE, 1.0f);
    return true;
}

bool RenderSettingsNode::message(HostNode*, int32_t, void*) {
    return true;
}

bool RenderSettingsNode::getDescription(HostNode* node, HostDescription& description,
                                        uint32_t& flags) {
    if (!description.load(PluginId::kRenderSettings)) {
        return false;
    }
    const HostContainer& data = node->data();
    description.setHidden(RENDERSET_CUSTOM_SCALE,
                          data.getInt(RENDERSET_UNIT, RENDERSET_UNIT_CM) != RENDERSET_UNIT_CUSTOM);
    switch (data.getInt(RENDERSET_ENVIRONMENT, 0)) {
    case RENDERSET_ENV_SUN_SKY:
        description.setHidden(RENDERSET_BACKGROUND_GROUP, true);
        description.setHidden(RENDERSET_SUN_SKY_GROUP, false);
        break;
    case RENDERSET_ENV_BACKGROUND_MATERIAL:
        description.setHidden(RENDERSET_SUN_SKY_GROUP, true);
        description.setHidden(RENDERSET_BACKGROUND_GROUP, false);
        break;
    case RENDERSET_ENV_NONE:
        setHidden(description, {RENDERSET_BACKGROUND_GROUP, RENDERSET_SUN_SKY_GROUP}, true);
        break;
    default:
        break;
    }
    description.setHidden(RENDERSET_NUM_THREADS, data.getBool(RENDERSET_AUTO_THREADS, false));
    setHidden(description,
              {RENDERSET_LARGE_MUTATION_PROB, RENDERSET_MAX_CHANGE,
               RENDERSET_MAX_NUM_CONSEC_REJECTIONS, RENDERSET_MAX_DEPTH,
               RENDERSET_BIH_TRI_THRESHOLD},
              !data.getBool(RENDERSET_ADVANCED, false));
    flags |= kDescriptionLoaded;
    return true;
}

int32_t RenderSettingsNode::execute(HostVideoPost*, int32_t) {
    return 0;
}

int32_t RenderSettingsNode::executeLine(HostVideoPost*, int32_t, int32_t) {
    return 0;
}
