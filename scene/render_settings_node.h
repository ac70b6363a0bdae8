// The render-settings node: the renderer's settings as a render effect of the document.
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class RenderSettingsNode : public VideoPostData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<RenderSettingsNode>(); }
};
