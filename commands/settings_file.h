// The plug-in's settings file, tolvaneSettings.cfg in the presets folder: the renderer's
// directory (section global_settings) and the options of the last export (section
// last_settings). It is an XML text of top-level elements side by side; content the plug-in does
// not know is kept when it rewrites the file.
#pragma once

#include "plugin/host/filename.h"

#include <cstdint>
#include <optional>
#include <string>

// The fifteen options of the last export, in the file's order: eleven booleans held as 0 or 1,
// then four integers. A record read from the file starts all zero, so a missing key reads as
// off or 0.
struct LastSettings {
    int32_t specifyRenderOutput = 0;
    int32_t exportAndRun = 0;
    int32_t startMaster = 0;
    int32_t renderAlpha = 0;
    int32_t noGeometry = 0;
    int32_t renderClay = 0;
    int32_t separateMaterials = 0;
    int32_t separateSettings = 0;
    int32_t exportAnimation = 0;
    int32_t exportAnimationStatic = 0;
    int32_t consoleMode = 0;
    int32_t exportAnimationStart = 0;
    int32_t exportAnimationEnd = 0;
    int32_t priorityId = 0;
    int32_t portNumber = 0;

    bool operator==(const LastSettings& o) const;
};

// One key of last_settings: its element name, its field, whether it is a boolean, and the export
// dialog gadget that shows it.
struct LastSettingsKey {
    const char* name;
    int32_t LastSettings::*field;
    bool isBool;
    int32_t gadget;
};
constexpr int kLastSettingsKeyCount = 15;
// The keys in the file's order.
extern const LastSettingsKey kLastSettingsKeys[kLastSettingsKeyCount];

// presetsDirectory() + "tolvaneSettings.cfg".
HostFilename settingsFile();

// The renderer directory from global_settings/PATH, with "zarvex_console.exe" (console) or
// "zarvex.exe" appended when withExecutable is set. False, leaving `path` alone, when the file
// cannot be loaded or has no global_settings with a PATH. An empty PATH is found: the path is
// then the bare executable name (or empty).
bool readRendererLocation(HostFilename& path, bool withExecutable, bool console);

// Asks the user for the renderer directory ("Choose Zarvex dir") and stores it as PATH. A
// cancelled choice stores an empty PATH when none is stored yet, so that the location then reads
// as found; a PATH already stored stays. Returns true.
bool chooseRendererDirectory();

// The last_settings section, or none when the file cannot be loaded or has no such section.
std::optional<LastSettings> readLastSettings();

// Rewrites the settings file with a new last_settings section (`settings`) or a new
// global_settings section holding PATH (`rendererDirectory`); exactly one of the two is given.
// The section replaces the first one of its name and goes to the end of the file; everything
// else stays. The file is replaced atomically (written beside it, then renamed). An existing
// file that does not parse is first kept as tolvaneSettings.cfg.bak and the new file holds only
// the section written. False when the file could not be written (it is then unchanged).
bool writeSettingsFile(const std::optional<LastSettings>& settings,
                       const std::optional<std::string>& rendererDirectory);
