// The camera tag: the renderer's lens and film model on a host camera.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class CameraTag : public TagData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<CameraTag>(); }
};
