#include "commands/pack_script.h"

#include "commands/batch_script.h"
#include "commands/render_script.h"
#include "commands/settings_file.h"
#include "plugin/host/application.h"
#include "plugin/renderer.h"

namespace {

// The packer needs this long to extract an archive.
constexpr int32_t kUnpackWaitMs = 3000;

} // namespace

bool packScriptText(const HostFilename& rendererDirectory, bool pack, const HostFilename& first,
                    const HostFilename& second, std::string& text, std::string& refusal) {
    BatchScript script("material packer");
    std::string directory;
    std::string a;
    std::string b;
    if (!script.path(rendererDirectory.text(), directory) ||
        !script.argumentPath(first.text(), a) || !script.argumentPath(second.text(), b)) {
        refusal = script.refusal();
        return false;
    }
    script.line("@echo off");
    script.line("cd /d \"" + directory + "\"");
    script.text("start " +
                (pack ? Renderer::packCommandLine(a, b) : Renderer::unpackCommandLine(a, b)));
    text = script.bytes();
    return true;
}

HostFilename writePackScript(bool pack, const HostFilename& first, const HostFilename& second) {
    HostFilename directory;
    readRendererLocation(directory, false, false);
    std::string text;
    std::string refusal;
    if (!packScriptText(directory, pack, first, second, text, refusal)) {
        host().console(refusal);
        return HostFilename();
    }
    const HostFilename script = renderScriptFile();
    if (!host().writeFile(script, text)) {
        host().console("The material packer was not started: could not write " + script.text());
        return HostFilename();
    }
    return script;
}

bool packMaterialFile(const HostFilename& materialFile, const HostFilename& archiveFile) {
    const HostFilename script = writePackScript(true, materialFile, archiveFile);
    if (script.empty()) {
        return false;
    }
    host().executeFile(script);
    return true;
}

HostFilename unpackMaterialArchive(const HostFilename& archiveFile,
                                   const HostFilename& targetDirectory) {
    const HostFilename script = writePackScript(false, archiveFile, targetDirectory);
    if (script.empty()) {
        return HostFilename();
    }
    host().executeFile(script);
    host().sleepMs(kUnpackWaitMs);
    for (const std::string& entry : host().listDirectory(targetDirectory)) {
        const HostFilename name(entry);
        if (name.checkSuffix("zvm")) {
            return targetDirectory + name;
        }
    }
    return HostFilename();
}
