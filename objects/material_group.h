// The material group: an empty object that holds material helpers. It has no parameters of its
// own; its initialisation writes nothing and succeeds.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class MaterialGroup : public ObjectData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<MaterialGroup>(); }
    bool init(HostNode* node) override;
};
