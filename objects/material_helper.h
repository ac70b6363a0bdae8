// The material helper: the renderer's definition of one host material. It links the host
// material and holds the renderer material type with all its settings in its container.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class MyMaterialHelper : public ObjectData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<MyMaterialHelper>(); }

    // Writes the initial values: a diffuse material of 0.8 grey without emission, and the
    // channel choices and texture mappings of every property.
    bool init(HostNode* node) override;
};
