#include "commands/export_and_run.h"

namespace {
uint8_t* g_exportFlag = nullptr;
}

void MyExportAndRun::setExportFlag(uint8_t* flag) {
    g_exportFlag = flag;
}
uint8_t* MyExportAndRun::exportFlag() {
    return g_exportFlag;
}
