#include "commands/render_script.h"

#include "commands/batch_script.h"
#include "commands/settings_file.h"
#include "plugin/host/application.h"
#include "plugin/plugin_state.h"
#include "plugin/renderer.h"

namespace {

// The scene and image paths the renderer gets: directory, one backslash, name and the fixed
// suffix, whatever suffix the chosen file had.
std::string withSuffix(const HostFilename& file, const char* suffix) {
    return (file.directory() + (file.fileStem() + suffix)).text();
}

} // namespace

HostFilename renderScriptFile() {
    return presetsDirectory() + "zarvex_run.cmd";
}

bool renderScriptText(const HostFilename& executable, int32_t seed, const RenderLaunch& launch,
                      std::string& text, std::string& refusal) {
    BatchScript script("renderer");
    Renderer::RenderCommand command;
    command.console = launch.console;
    command.seed = seed;
    command.haltSamples = launch.haltSamples;
    command.networkMaster = launch.startMaster;
    command.port = launch.port;
    std::string directory;
    const bool pathsFit =
        script.path(executable.directory().text(), directory) &&
        script.argumentPath(withSuffix(launch.sceneFile, ".zvs"), command.scenePath) &&
        (launch.imageFile.empty() ||
         script.argumentPath(withSuffix(launch.imageFile, ".png"), command.imagePath));
    if (!pathsFit) {
        refusal = script.refusal();
        return false;
    }
    script.line("@echo off");
    script.line("cd /d \"" + directory + "\"");
    // Every launch is a frame range from 1 to 1: one block with the frame label 1.
    script.line("echo Rendering frame 1...");
    script.line(std::string("start ") + (launch.belowNormal ? "/belownormal " : "") +
                Renderer::renderCommandLine(command));
    script.line("echo Done!");
    script.line("echo ------------------");
    text = script.bytes();
    return true;
}

HostFilename writeRenderScript(const RenderLaunch& launch) {
    HostFilename executable;
    if (!readRendererLocation(executable, true, launch.console)) {
        chooseRendererDirectory();
        if (!readRendererLocation(executable, true, launch.console)) {
            return HostFilename();
        }
    }
    std::string text;
    std::string refusal;
    if (!renderScriptText(executable, makeRenderSeed(), launch, text, refusal)) {
        host().console(refusal);
        return HostFilename();
    }
    const HostFilename script = renderScriptFile();
    // An old script must not run in place of this one.
    if (!host().writeFile(script, text)) {
        host().console("The renderer was not started: could not write " + script.text());
        return HostFilename();
    }
    return script;
}

bool runRenderer(const RenderLaunch& launch) {
    const HostFilename script = writeRenderScript(launch);
    if (script.empty()) {
        return false;
    }
    host().executeFile(script);
    return true;
}

double SeedRandom::next() {
    state_ = ((state_ + 1) * 69069) % kModulus;
    return double(state_) / double(kModulus);
}

int32_t renderSeed(int32_t firstReading, int32_t secondReading) {
    SeedRandom random{uint32_t(firstReading)};
    const float value = float(random.next());
    const float product = value * float(secondReading);
    if (!(product > 0.0f)) {
        return 0;
    }
    if (product >= 2147483648.0f) {
        return INT32_MAX;
    }
    return int32_t(product);
}

int32_t makeRenderSeed() {
    const int32_t first = host().timerMs();
    const int32_t second = host().timerMs();
    return renderSeed(first, second);
}
