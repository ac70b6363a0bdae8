// The subdivision tag: the renderer's subdivision settings of its object's mesh. It has no
// behaviour in the host beyond holding its parameters.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class MySubdivision : public TagData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<MySubdivision>(); }
    // Writes 3 subdivisions, curvature threshold 0.1, displacement error 0, no wrapping; the
    // pixel threshold, smoothing and view dependence stay unset (they read 0 and off).
    bool init(HostNode* node) override;
    // The tag's own description; false when it cannot be loaded.
    bool getDescription(HostNode* node, HostDescription& description, uint32_t& flags) override;
    // Nothing to do per frame: 0.
    int32_t execute(HostTag* tag, HostDocument* doc, HostObject* op) override;
};
