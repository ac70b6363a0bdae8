#include "plugin/host/application.h"

#include <cstdlib>

namespace {
HostApplication* g_host = nullptr;
}

HostApplication& host() {
    if (g_host == nullptr) {
        std::abort();
    }
    return *g_host;
}

HostApplication* hostOrNull() {
    return g_host;
}

void setHost(HostApplication* app) {
    g_host = app;
}
