// The material group: an empty object that holds material helpers.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class MaterialGroup : public ObjectData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<MaterialGroup>(); }
};
