// Sun, sky and background.
#include "export/exporter.h"

#include "objects/material_helper_ids.h"
#include "plugin/host/material.h"
#include "plugin/host/object.h"
#include "plugin/plugin_ids.h"
#include "scene/render_settings_ids.h"

namespace {
const char* const kBackgroundMaterial = "background_material";
} // namespace

bool ZarvexSceneExporter::writeEnvironment() {
    if (renderSettings_ == nullptr) {
        // A white, constant background.
        TiXmlElement* background = addElement("background", sceneRoot_);
        writeUniformSpectrum(1.0f, addElement("spectrum", background));
        return true;
    }
    const HostContainer& rs = *renderSettings_;
    switch (rs.getInt(RENDERSET_ENVIRONMENT, 0)) {
    case RENDERSET_ENV_SUN_SKY: {
        TiXmlElement* sky = addElement("skylight", sceneRoot_);
        // Towards the sun object from the origin; straight up without one.
        Vector direction(0, 1, 0);
        if (HostNode* node = rs.getLink(RENDERSET_SUN_OBJECT, document_)) {
            if (HostObject* sun = node->toObject()) {
                direction = normalized(sun->globalMatrix().off);
            }
        }
        addVectorElement("sundir", direction.x, direction.y, direction.z, sky, true);
        addFloatElement("turbidity", rs.getReal(RENDERSET_TURBIDITY, 0.0f), sky);
        addBoolElement("extra_atmospheric", rs.getBool(RENDERSET_EXTRA_ATMOSPHERIC, false), sky);
        // The sun and sky is light layer 0; every user layer moves up by one.
        writeLayerName("Sun/Sky", 0);
        ++layerBase_;
        return true;
    }
    case RENDERSET_ENV_BACKGROUND_MATERIAL: {
        HostNode* node =
            rs.getLink(RENDERSET_BACKGROUND_HELPER, document_, PluginId::kMaterialHelper);
        if (node == nullptr) {
            return false;
        }
        const HostContainer& helper = node->data();
        HostNode* linked = helper.getLink(MATHELPER_MATERIAL, document_);
        HostMaterial* material = linked ? linked->toMaterial() : nullptr;
        if (!helper.getBool(MATHELPER_EMISSION) || material == nullptr) {
            return false;
        }
        TiXmlElement* settings = addElement("background_settings", sceneRoot_);
        TiXmlElement* element = addElement("material", addElement("background_material", settings));
        addStringElement("name", kBackgroundMaterial, element);
        TiXmlElement* diffuse = addElement("diffuse", element);
        int32_t counter = 0;
        writeChannelParameter(ChannelKind::Emission, helper, material, diffuse, counter);
        // The emission texture wraps the scene as a sphere around the renderer's up axis.
        if (TiXmlElement* texture = diffuse->FirstChildElement("texture")) {
            TiXmlElement* rotation = addElement(
                "axis_rotation",
                addElement("rotation",
                           addElement("spherical", addElement("tex_coord_generation", texture))));
            addVectorElement("axis", 0.0f, 0.0f, 1.0f, rotation, false);
            addFloatElement("angle", 0.0f, rotation);
        }
        writeBaseEmission(helper, diffuse);
        writeHelperEmissionScale(settings, helper, kBackgroundMaterial);
        return true;
    }
    default:
        return true;
    }
}
