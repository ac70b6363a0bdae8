// The material helper: the renderer's definition of one host material.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class MyMaterialHelper : public ObjectData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<MyMaterialHelper>(); }
};
