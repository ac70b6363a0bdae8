#include "commands/export_and_run.h"

#include "commands/export_dialog.h"
#include "plugin/host/application.h"

#include <exception>
#include <string>

namespace {
uint8_t* g_exportFlag = nullptr;
}

void MyExportAndRun::setExportFlag(uint8_t* flag) {
    g_exportFlag = flag;
}
uint8_t* MyExportAndRun::exportFlag() {
    return g_exportFlag;
}

bool MyExportAndRun::execute(HostDocument*) {
    // Nothing may throw into the host.
    try {
        MyExportDialog dialog(g_exportFlag);
        dialog.open();
    } catch (const std::exception& e) {
        host().console(std::string("Export and Run failed: ") + e.what());
    } catch (...) {
        host().console("Export and Run failed.");
    }
    return true;
}
