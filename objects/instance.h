// The instance object: places another object of the document again without copying its geometry.
#pragma once

#include "plugin/host/plugin_data.h"

#include <cstdint>
#include <memory>

class ZarvexInstance : public ObjectData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<ZarvexInstance>(); }
    // The plug-in-wide export-in-progress flag, handed over at registration.
    static void setExportFlag(uint8_t* flag);
    static uint8_t* exportFlag();
};
