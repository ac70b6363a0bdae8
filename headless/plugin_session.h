// Loading the plug-in module into the headless host and starting and ending it the way the host
// application does: dynamic loading, then c4d_main with action 1 (the interface root and the
// module's path as Windows text), message 1 (resources), action 2 (start) and, at the end,
// action 3.
#pragma once

#include "headless/host.h"

#include <cstdint>
#include <string>

namespace headless {

struct StartResult {
    // The module loaded and exports c4d_main.
    bool loaded = false;
    int32_t initialise = 0;
    int32_t resources = 0;
    int32_t start = 0;
    std::string error;
    bool started() const { return start == 1; }
};

class PluginSession {
public:
    explicit PluginSession(HeadlessHost& host) : host_(host) {}
    ~PluginSession();
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    // Loads the module from `pluginDirectory` (a native path) and runs the start sequence. Stops
    // at the first step that fails.
    StartResult start(const std::string& pluginDirectory);

    // Loads the module without starting it; false with a reason in `error`.
    bool open(const std::string& pluginDirectory, std::string& error);
    // One call of c4d_main; -1 when no module is loaded.
    int32_t call(int32_t action, void* p1 = nullptr, void* p2 = nullptr, void* p3 = nullptr);
    // Action 1 with this host and the module's path.
    int32_t initialise();
    // Frees the plug-in's nodes and commands, sends action 3 and unloads the module.
    void shutdown();

    // The module file as the plug-in sees its path.
    const std::string& modulePath() const { return windowsModulePath_; }

private:
    HeadlessHost& host_;
    void* handle_ = nullptr;
    int32_t (*entry_)(int32_t, void*, void*, void*) = nullptr;
    std::string windowsModulePath_;
    bool initialised_ = false;
};

// The native path of the module file in `pluginDirectory`: the first "*.so" file by name, or
// empty.
std::string findPluginModule(const std::string& pluginDirectory);

} // namespace headless
