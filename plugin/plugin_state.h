// Plug-in-wide state, created while the host starts the plug-in and released at its last end.
#pragma once

#include "plugin/host/filename.h"

#include <cstdint>
#include <string>

namespace PluginState {

// The path of the plug-in file as the host handed it over, whole (however long it is).
const std::string& pluginPath();
void setPluginPath(const std::string& path);

// The export-in-progress flag: 1 while a scene export runs. Null before the start sequence and
// after the last end.
uint8_t* exportFlag();
// Allocates the flag (set to 0) unless it exists; false when the allocation fails.
bool allocateExportFlag();
void releaseExportFlag();

} // namespace PluginState

// The directory that holds the plug-in file: its `res`, `presets` and `preview` folders.
HostFilename pluginDirectory();
// pluginDirectory() + "presets".
HostFilename presetsDirectory();
