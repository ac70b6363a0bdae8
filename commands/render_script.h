// Starting the renderer: the render script zarvex_run.cmd in the presets folder, which changes
// into the renderer's directory and starts zarvex.exe or zarvex_console.exe on a scene with the
// `start` command, and the seed that makes each start differ. The plug-in has the host execute
// the script and never waits for the renderer.
#pragma once

#include "plugin/host/filename.h"

#include <cstdint>
#include <string>

// One start of the renderer.
struct RenderLaunch {
    // The scene to render; its directory and its name without suffix are used, with ".zvs".
    HostFilename sceneFile;
    bool belowNormal = false;
    // zarvex_console.exe instead of zarvex.exe.
    bool console = false;
    bool startMaster = false;
    // The network master's port.
    int32_t port = 7777;
    // Where the renderer saves its image, with ".png"; empty for none.
    HostFilename imageFile;
    // Samples per pixel after which the renderer stops; -1 for none.
    int32_t haltSamples = -1;
};

// presetsDirectory() + "zarvex_run.cmd": one file that every launch overwrites.
HostFilename renderScriptFile();

// The six lines of the render script for the renderer executable `executable` (its directory is
// the working directory, its file name the program unless console is set), each ended by a line
// feed:
//   @echo off
//   cd /d "R"
//   echo Rendering frame 1...
//   start [/belownormal ]P -seed S "D\N.zvs"[ -haltspp H][ -n wm -p PORT][ -o "ID\IN.png"]
//   echo Done!
//   echo ------------------
// False, with the console line in `refusal`, when a path cannot be written (batch_script.h).
bool renderScriptText(const HostFilename& executable, int32_t seed, const RenderLaunch& launch,
                      std::string& text, std::string& refusal);

// Writes the render script: the renderer location from the settings file (the directory chooser
// once when it is missing), a fresh seed, the text above. Returns the script's file, or empty
// when no location could be read, the script was refused (a console line says why) or could not
// be written (a console line says so); nothing is written then.
HostFilename writeRenderScript(const RenderLaunch& launch);

// Writes the render script and has the host execute it. True when the script was written and
// handed to the host; the renderer's own success is not known to the plug-in.
bool runRenderer(const RenderLaunch& launch);

// The seed generator: state' = ((state + 1) * 69069) mod 2^31, value = state' / 2^31.
class SeedRandom {
public:
    explicit SeedRandom(uint32_t seed) : state_(seed % kModulus) {}
    // The next value in [0, 1).
    double next();

private:
    static constexpr uint64_t kModulus = uint64_t(1) << 31;
    uint64_t state_;
};

// The seed from two timer readings: the generator seeded with the first gives one value, which
// is rounded to single precision, multiplied by the second reading in single precision and
// truncated toward zero. Products beyond 2147483647 give 2147483647, negative ones 0.
int32_t renderSeed(int32_t firstReading, int32_t secondReading);
// renderSeed from two readings of the host's millisecond timer.
int32_t makeRenderSeed();
