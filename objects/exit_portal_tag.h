// The exit portal tag: exports its object as an exit portal.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class MyExitPortal : public TagData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<MyExitPortal>(); }
};
