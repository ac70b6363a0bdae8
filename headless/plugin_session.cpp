#include "headless/plugin_session.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace headless {

namespace {
constexpr int32_t kActionInitialise = 1;
constexpr int32_t kActionStart = 2;
constexpr int32_t kActionEnd = 3;
constexpr int32_t kActionMessage = 6;
constexpr intptr_t kMessageLoadResources = 1;
} // namespace

std::string findPluginModule(const std::string& pluginDirectory) {
    std::error_code ec;
    std::vector<std::string> modules;
    for (const auto& entry : fs::directory_iterator(pluginDirectory, ec)) {
        if (entry.is_regular_file(ec) && entry.path().extension() == ".so") {
            modules.push_back(entry.path().string());
        }
    }
    std::sort(modules.begin(), modules.end());
    return modules.empty() ? std::string() : modules.front();
}

PluginSession::~PluginSession() {
    shutdown();
}

bool PluginSession::open(const std::string& pluginDirectory, std::string& error) {
    const std::string module = findPluginModule(pluginDirectory);
    if (module.empty()) {
        error = "no plug-in module in " + pluginDirectory;
        return false;
    }
    handle_ = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* why = dlerror();
        error = "cannot load " + module + ": " + (why ? why : "unknown error");
        return false;
    }
    entry_ =
        reinterpret_cast<int32_t (*)(int32_t, void*, void*, void*)>(dlsym(handle_, "c4d_main"));
    if (entry_ == nullptr) {
        error = module + " does not export c4d_main";
        dlclose(handle_);
        handle_ = nullptr;
        return false;
    }
    windowsModulePath_ = host_.drives().toWindows(fs::absolute(module).string());
    return true;
}

int32_t PluginSession::call(int32_t action, void* p1, void* p2, void* p3) {
    return entry_ != nullptr ? entry_(action, p1, p2, p3) : -1;
}

int32_t PluginSession::initialise() {
    HostApplication* root = &host_;
    const int32_t result =
        call(kActionInitialise, root, nullptr, const_cast<char*>(windowsModulePath_.c_str()));
    initialised_ = initialised_ || result == 1;
    return result;
}

StartResult PluginSession::start(const std::string& pluginDirectory) {
    StartResult r;
    if (!open(pluginDirectory, r.error)) {
        return r;
    }
    r.loaded = true;
    r.initialise = initialise();
    if (r.initialise != 1) {
        r.error =
            "the plug-in refused the host (action 1 answered " + std::to_string(r.initialise) + ")";
        return r;
    }
    r.resources = call(kActionMessage, reinterpret_cast<void*>(kMessageLoadResources));
    if (r.resources != 1) {
        r.error = "the plug-in could not load its resources";
        return r;
    }
    r.start = call(kActionStart);
    if (r.start != 1) {
        r.error = "the plug-in's start sequence failed";
    }
    return r;
}

void PluginSession::shutdown() {
    if (handle_ == nullptr) {
        return;
    }
    // Plug-in instances run module code when freed: they go before the module does.
    host_.releasePlugins();
    if (initialised_) {
        call(kActionEnd);
        initialised_ = false;
    }
    dlclose(handle_);
    handle_ = nullptr;
    entry_ = nullptr;
}

} // namespace headless
