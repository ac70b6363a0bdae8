#include "objects/instance.h"

namespace {
uint8_t* g_exportFlag = nullptr;
}

void ZarvexInstance::setExportFlag(uint8_t* flag) {
    g_exportFlag = flag;
}
uint8_t* ZarvexInstance::exportFlag() {
    return g_exportFlag;
}
