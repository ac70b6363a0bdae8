// The "Quick Render" command: exports the document's current frame into a scratch folder of the
// plug-in and starts the window renderer on it, without a dialog or options.
#pragma once

#include "plugin/host/filename.h"
#include "plugin/host/plugin_data.h"
#include <cstdint>

class QuickRender : public CommandData {
public:
    // The plug-in-wide export-in-progress flag, handed over at registration.
    static void setExportFlag(uint8_t* flag);
    static uint8_t* exportFlag();

    // presetsDirectory() + "quickrender", and the scene file "quickrender.zvs" in it.
    static HostFilename folder();
    static HostFilename sceneFile();

    // Exports the host's active document at the current frame of `doc` (its time is not
    // changed) with every export option off and starts the renderer at below-normal priority.
    // False, with two console lines, when the quick render folder cannot be made; true
    // otherwise. A failed export starts no renderer (a console line says so).
    bool execute(HostDocument* doc) override;
};
