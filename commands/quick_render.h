// The "Quick Render" command: exports the document to a scratch folder and starts the renderer.
#pragma once

#include "plugin/host/plugin_data.h"
#include <cstdint>

class QuickRender : public CommandData {
public:
    // The plug-in-wide export-in-progress flag, handed over at registration.
    static void setExportFlag(uint8_t* flag);
    static uint8_t* exportFlag();
};
