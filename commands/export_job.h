// The export job the export dialog runs once the user has confirmed: the frame loop over the
// document, one scene export per frame, the export-in-progress flag and the optional start of the
// renderer.
#pragma once

#include "plugin/host/filename.h"

#include <cstdint>
#include <functional>

class HostDocument;
class ZarvexSceneExporter;

// Holds the plug-in-wide export-in-progress flag (may be null) at 1 for its lifetime, so that
// instance objects generate nothing while an export reads the document.
class ExportFlagScope {
public:
    explicit ExportFlagScope(uint8_t* flag);
    ~ExportFlagScope() { clear(); }
    ExportFlagScope(const ExportFlagScope&) = delete;
    ExportFlagScope& operator=(const ExportFlagScope&) = delete;
    // Sets the flag back to 0 before the scope ends.
    void clear();

private:
    uint8_t* flag_;
};

// One run of `exporter`; true when it saved the scene. Does not throw: a failure that escapes the
// exporter is reported on the console instead of reaching the host.
bool exportSceneGuarded(ZarvexSceneExporter& exporter);

struct ExportJob {
    HostDocument* document = nullptr;
    // The scene file; the scene is saved with the suffix "zvs".
    HostFilename sceneFile;
    // The renderer's output image; empty for none.
    HostFilename imageFile;
    // Inclusive; every frame is exported to the same scene file, so it holds the last one.
    int32_t firstFrame = 0;
    int32_t lastFrame = 0;
    // Export options.
    bool renderAlpha = false;
    bool noGeometry = false;
    bool renderClay = false;
    // Launch options.
    bool exportAndRun = false;
    bool belowNormal = false;
    bool console = false;
    bool startMaster = false;
    int32_t port = 7777;
    // Shown, saved and handed on; they change nothing in the output.
    bool animationStatic = true;
    bool separateSettings = false;
    bool separateMaterials = false;
    // The plug-in-wide export-in-progress flag (may be null): 1 while the frames export.
    uint8_t* exportFlag = nullptr;
};

// What the frame loop did.
struct FrameLoopResult {
    int32_t exported = 0;
    // A frame failed; the loop stopped there.
    bool failed = false;
};

// The frame loop: for each frame from `first` to `last` in increasing order, sets the
// document's time to the frame at its frame rate, has it evaluated and calls `exportFrame`; stops
// at the first frame for which `exportFrame` returns false. Afterwards the time goes back to
// what it was and the document is evaluated again. Nothing is exported when first > last.
FrameLoopResult exportFrameRange(HostDocument& doc, int32_t first, int32_t last,
                                 const std::function<bool(int32_t frame)>& exportFrame);

// Runs the job: the flag set, an exporter configured with the document, the scene file and the
// options, the frame loop, the three refresh calls, the flag cleared, and with EXPORTANDRUN the
// renderer started on the scene. The renderer is not started when a frame failed or no frame was
// exported; a console line says so. Returns true when the range held frames and every one was
// exported.
// Does not throw: a failure inside an export ends the loop with a console line.
bool runExportJob(const ExportJob& job);
