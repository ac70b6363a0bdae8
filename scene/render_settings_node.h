// The render-settings node: the renderer's settings as a render effect of the document. It holds
// the integrator and its tuning, halt conditions, output and threading options, the scene unit
// and the environment choice; it does nothing while the host renders.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class RenderSettingsNode : public VideoPostData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<RenderSettingsNode>(); }

    // Writes the initial values; the unit follows the host's document unit and the thread count
    // the machine's.
    bool init(HostNode* node) override;
    bool message(HostNode* node, int32_t type, void* data) override;
    // Shows the custom scale only for the custom unit, the sun-and-sky or background group for
    // the environment chosen, the thread count only without automatic threads and the tuning
    // values only in advanced mode. False when the host has no description for the node.
    bool getDescription(HostNode* node, HostDescription& description, uint32_t& flags) override;
    int32_t execute(HostVideoPost* node, int32_t phase) override;
    int32_t executeLine(HostVideoPost* node, int32_t line, int32_t flags) override;
};
