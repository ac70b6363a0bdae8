// The light tag: emission spectrum, emission scale and light profile of a host light.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class MyLightTag : public TagData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<MyLightTag>(); }
};
