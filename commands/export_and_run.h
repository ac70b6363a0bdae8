// The "Export and Run" command: opens the export dialog.
#pragma once

#include "plugin/host/plugin_data.h"
#include <cstdint>

class MyExportAndRun : public CommandData {
public:
    // The plug-in-wide export-in-progress flag, handed over at registration.
    static void setExportFlag(uint8_t* flag);
    static uint8_t* exportFlag();

    // Opens a new MyExportDialog modally at the host's default position and size with the flag,
    // and destroys it when it closes. The document is not used (the dialog exports the host's
    // active one). Returns true.
    bool execute(HostDocument* doc) override;
};
