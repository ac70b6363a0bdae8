#include "commands/settings_file.h"

#include "plugin/host/application.h"
#include "plugin/plugin_state.h"
#include "plugin/renderer.h"
#include "util/xml_parse.h"

namespace {
const char* const kSettingsFile = "tolvaneSettings.cfg";
} // namespace

bool readRendererLocation(HostFilename& path, bool withExecutable, bool console) {
    std::string text;
    if (!host().readFile(presetsDirectory() + kSettingsFile, text)) {
        return false;
    }
    TiXmlDocument settings;
    if (!parseXmlDocument(text, settings)) {
        return false;
    }
    const TiXmlElement* global = settings.FirstChildElement("global_settings");
    const TiXmlElement* location = global ? global->FirstChildElement("PATH") : nullptr;
    if (location == nullptr) {
        return false;
    }
    HostFilename directory(location->GetText() ? location->GetText() : "");
    if (withExecutable) {
        directory = directory + (console ? Renderer::kConsoleProgram : Renderer::kWindowProgram);
    }
    path = directory;
    return true;
}
