// The "Export and Run" command: opens the export dialog.
#pragma once

#include "plugin/host/plugin_data.h"
#include <cstdint>

class MyExportAndRun : public CommandData {
public:
    // The plug-in-wide export-in-progress flag, handed over at registration.
    static void setExportFlag(uint8_t* flag);
    static uint8_t* exportFlag();
};
