// The plug-in's settings file, "tolvaneSettings.cfg" in the presets folder: the renderer's
// directory (global_settings/PATH).
#pragma once

#include "plugin/host/filename.h"

// The renderer directory stored in the settings file; with `withExecutable` the renderer program
// in it, "zarvex_console.exe" with `console`, else "zarvex.exe". False when the file cannot be
// read or parsed or holds no global_settings with a PATH; `path` is then left alone. An empty
// PATH reads as found.
bool readRendererLocation(HostFilename& path, bool withExecutable, bool console);
