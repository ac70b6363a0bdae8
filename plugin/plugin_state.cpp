#include "plugin/plugin_state.h"

#include <memory>
#include <new>

namespace {
std::string g_pluginPath;
std::unique_ptr<uint8_t> g_exportFlag;
} // namespace

namespace PluginState {

const std::string& pluginPath() {
    return g_pluginPath;
}
void setPluginPath(const std::string& path) {
    g_pluginPath = path;
}

uint8_t* exportFlag() {
    return g_exportFlag.get();
}

bool allocateExportFlag() {
    if (!g_exportFlag) {
        g_exportFlag.reset(new (std::nothrow) uint8_t(0));
    }
    return g_exportFlag != nullptr;
}

void releaseExportFlag() {
    g_exportFlag.reset();
}

} // namespace PluginState

HostFilename pluginDirectory() {
    return HostFilename(PluginState::pluginPath()).directory();
}

HostFilename presetsDirectory() {
    return pluginDirectory() + "presets";
}
