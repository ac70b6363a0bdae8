#include "commands/quick_render.h"

#include "commands/export_job.h"
#include "commands/render_script.h"
#include "export/exporter.h"
#include "plugin/host/application.h"
#include "plugin/host/document.h"
#include "plugin/plugin_state.h"

#include <string>

namespace {

uint8_t* g_exportFlag = nullptr;

} // namespace

void QuickRender::setExportFlag(uint8_t* flag) {
    g_exportFlag = flag;
}
uint8_t* QuickRender::exportFlag() {
    return g_exportFlag;
}

HostFilename QuickRender::folder() {
    return presetsDirectory() + "quickrender";
}

HostFilename QuickRender::sceneFile() {
    return folder() + "quickrender.zvs";
}

bool QuickRender::execute(HostDocument* doc) {
    HostApplication& app = host();
    app.setCursor(HostCursor::kBusy);
    const HostFilename directory = folder();
    if (!app.fileExists(directory, true) && !app.createDirectory(directory)) {
        app.console(directory.text());
        app.console("Quickrender dir could not be created.");
        return false;
    }
    ExportFlagScope flag(g_exportFlag);
    ZarvexSceneExporter exporter;
    exporter.configureExport(app.activeDocument(), sceneFile(), false, false, false);
    exporter.setFrameNumber(doc != nullptr ? doc->time().frame(doc->fps()) : 0);
    const bool exported = exportSceneGuarded(exporter);
    flag.clear();
    app.refresh(HostRefresh::DocumentUpdate);
    if (exported) {
        RenderLaunch launch;
        launch.sceneFile = sceneFile();
        launch.belowNormal = true;
        launch.console = false;
        launch.startMaster = false;
        launch.port = 7777;
        launch.haltSamples = -1;
        runRenderer(launch);
    } else {
        app.console("The renderer was not started: the export did not complete.");
    }
    app.refresh(HostRefresh::Event);
    app.refresh(HostRefresh::Views);
    return true;
}
