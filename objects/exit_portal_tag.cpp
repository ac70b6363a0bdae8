#include "objects/exit_portal_tag.h"

#include "objects/exit_portal_tag_ids.h"
#include "plugin/host/description.h"
#include "plugin/host/node.h"
#include "plugin/plugin_ids.h"

bool MyExitPortal::init(HostNode* node) {
    node->data().setBool(EXITPORTAL_ENABLED, true);
    return true;
}

bool MyExitPortal::getDescription(HostNode*, HostDescription& description, uint32_t& flags) {
    if (!description.load(PluginId::kExitPortalTag)) {
        return false;
    }
    flags |= kDescriptionLoaded;
    return true;
}

int32_t MyExitPortal::execute(HostTag*, HostDocument*, HostObject*) {
    return 0;
}
