// The subdivision tag: the renderer's subdivision settings of its object's mesh.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class MySubdivision : public TagData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<MySubdivision>(); }
};
