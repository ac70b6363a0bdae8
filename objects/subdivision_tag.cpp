#include "objects/subdivision_tag.h"

#include "objects/subdivision_tag_ids.h"
#include "plugin/host/description.h"
#include "plugin/host/node.h"
#include "plugin/plugin_ids.h"

bool MySubdivision::init(HostNode* node) {
    HostContainer& d = node->data();
    d.setInt(SUBDIV_MAX_SUBDIVISIONS, 3);
    d.setReal(SUBDIV_CURVATURE_THRESHOLD, 0.1f);
    d.setReal(SUBDIV_DISPLACEMENT_ERROR_THRESHOLD, 0.0f);
    d.setBool(SUBDIV_WRAP_U, false);
    d.setBool(SUBDIV_WRAP_V, false);
    return true;
}

bool MySubdivision::getDescription(HostNode*, HostDescription& description, uint32_t& flags) {
    if (!description.load(PluginId::kSubdivisionTag)) {
        return false;
    }
    flags |= kDescriptionLoaded;
    return true;
}

int32_t MySubdivision::execute(HostTag*, HostDocument*, HostObject*) {
    return 0;
}
