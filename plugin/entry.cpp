#include "plugin/entry.h"

#include "plugin/host/application.h"
#include "plugin/plugin_state.h"
#include "plugin/registration.h"

#include <cstdint>

namespace {

namespace Action {
constexpr int32_t kInitialise = 1;
constexpr int32_t kStart = 2;
constexpr int32_t kEnd = 3;
constexpr int32_t kQuery = 4;
constexpr int32_t kMessage = 6;
} // namespace Action

namespace Message {
constexpr intptr_t kAccept = 0;
constexpr intptr_t kLoadResources = 1;
} // namespace Message

int32_t g_initCount = 0;

int32_t initialise(void* root, const char* pluginPath) {
    ++g_initCount;
    if (g_initCount != 1) {
        return 1;
    }
    auto* app = static_cast<HostApplication*>(root);
    if (app == nullptr || app->interfaceVersion() < kMinimumHostInterfaceVersion ||
        pluginPath == nullptr) {
        // A refused hand-over leaves nothing behind, so a later attempt starts afresh.
        --g_initCount;
        return -3;
    }
    setHost(app);
    PluginState::setPluginPath(pluginPath);
    return 1;
}

int32_t end() {
    if (g_initCount > 0 && --g_initCount == 0) {
        PluginState::releaseExportFlag();
        if (HostApplication* app = hostOrNull()) {
            app->releaseResources();
        }
    }
    return 1;
}

int32_t message(intptr_t id) {
    switch (id) {
    case Message::kAccept:
        return 1;
    case Message::kLoadResources: {
        HostApplication* app = hostOrNull();
        return app != nullptr && app->loadResources(pluginDirectory()) ? 1 : -1;
    }
    default:
        return -1;
    }
}

} // namespace

int32_t pluginMain(int32_t action, void* p1, void* p2, void* p3) {
    (void)p2;
    switch (action) {
    case Action::kInitialise:
        return initialise(p1, static_cast<const char*>(p3));
    case Action::kStart:
        return startPlugin() ? 1 : 0;
    case Action::kEnd:
        return end();
    case Action::kQuery:
        return 2;
    case Action::kMessage:
        return message(reinterpret_cast<intptr_t>(p1));
    default:
        return -1;
    }
}
