// The exit portal tag: exports its object as an exit portal. It has no behaviour in the host beyond
// holding its parameter.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class MyExitPortal : public TagData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<MyExitPortal>(); }
    // EXITPORTAL_ENABLED on.
    bool init(HostNode* node) override;
    // The tag's own description; false when it cannot be loaded.
    bool getDescription(HostNode* node, HostDescription& description, uint32_t& flags) override;
    // Nothing to do per frame: 0.
    int32_t execute(HostTag* tag, HostDocument* doc, HostObject* op) override;
};
