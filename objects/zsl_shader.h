// The shader that carries renderer shader-language code in a host material channel.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class ZSLData : public ShaderData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<ZSLData>(); }
};
