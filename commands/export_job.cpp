#include "commands/export_job.h"

#include "commands/render_script.h"
#include "export/exporter.h"
#include "plugin/host/application.h"
#include "plugin/host/document.h"

#include <exception>
#include <string>

namespace {

// One frame's export; a failure that escapes the exporter ends the loop instead of the host.
bool exportOneFrame(ZarvexSceneExporter& exporter, int32_t frame) {
    exporter.setFrameNumber(frame);
    return exportSceneGuarded(exporter);
}

} // namespace

ExportFlagScope::ExportFlagScope(uint8_t* flag) : flag_(flag) {
    if (flag_ != nullptr) {
        *flag_ = 1;
    }
}

void ExportFlagScope::clear() {
    if (flag_ != nullptr) {
        *flag_ = 0;
        flag_ = nullptr;
    }
}

bool exportSceneGuarded(ZarvexSceneExporter& exporter) {
    try {
        return exporter.exportScene() == 1;
    } catch (const std::exception& e) {
        host().console(std::string("Export failed: ") + e.what());
    } catch (...) {
        host().console("Export failed.");
    }
    return false;
}

FrameLoopResult exportFrameRange(HostDocument& doc, int32_t first, int32_t last,
                                 const std::function<bool(int32_t frame)>& exportFrame) {
    FrameLoopResult result;
    const HostTime remembered = doc.time();
    for (int64_t frame = first; frame <= last; ++frame) {
        doc.setTime(HostTime::fromFrame(int32_t(frame), doc.fps()));
        doc.evaluate();
        if (!exportFrame(int32_t(frame))) {
            result.failed = true;
            break;
        }
        ++result.exported;
    }
    doc.setTime(remembered);
    doc.evaluate();
    return result;
}

bool runExportJob(const ExportJob& job) {
    if (job.document == nullptr) {
        return false;
    }
    ExportFlagScope flag(job.exportFlag);
    ZarvexSceneExporter exporter;
    exporter.configureExport(job.document, job.sceneFile, job.renderAlpha, job.noGeometry,
                             job.renderClay, job.startMaster, job.animationStatic,
                             job.separateSettings, job.separateMaterials,
                             job.firstFrame != job.lastFrame);
    const FrameLoopResult frames =
        exportFrameRange(*job.document, job.firstFrame, job.lastFrame,
                         [&exporter](int32_t frame) { return exportOneFrame(exporter, frame); });
    HostApplication& app = host();
    app.refresh(HostRefresh::DocumentUpdate);
    app.refresh(HostRefresh::Event);
    app.refresh(HostRefresh::Views);
    flag.clear();
    const bool complete = !frames.failed && frames.exported > 0;
    if (frames.exported == 0 && !frames.failed) {
        app.console("No frame was exported: the first frame (" + std::to_string(job.firstFrame) +
                    ") comes after the last (" + std::to_string(job.lastFrame) + ").");
    }
    if (!job.exportAndRun) {
        return complete;
    }
    if (!complete) {
        app.console("The renderer was not started: the export did not complete.");
        return false;
    }
    RenderLaunch launch;
    launch.sceneFile = job.sceneFile;
    launch.belowNormal = job.belowNormal;
    launch.console = job.console;
    launch.startMaster = job.startMaster;
    launch.port = job.port;
    launch.imageFile = job.imageFile;
    launch.haltSamples = -1;
    runRenderer(launch);
    return true;
}
