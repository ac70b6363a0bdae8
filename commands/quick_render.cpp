#include "commands/quick_render.h"

namespace {
uint8_t* g_exportFlag = nullptr;
}

void QuickRender::setExportFlag(uint8_t* flag) {
    g_exportFlag = flag;
}
uint8_t* QuickRender::exportFlag() {
    return g_exportFlag;
}
