#include "plugin/renderer.h"

namespace Renderer {

namespace {
std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}
} // namespace

std::string renderCommandLine(const RenderCommand& command) {
    std::string line = command.console ? kConsoleProgram : kWindowProgram;
    line += kSeedSwitch;
    line += std::to_string(command.seed);
    line += ' ';
    line += quoted(command.scenePath);
    if (command.haltSamples != -1) {
        line += kHaltSamplesSwitch;
        line += std::to_string(command.haltSamples);
    }
    if (command.networkMaster) {
        line += kNetworkMasterSwitch;
        line += std::to_string(command.port);
    }
    if (!command.imagePath.empty()) {
        line += kOutputImageSwitch;
        line += quoted(command.imagePath);
    }
    return line;
}

std::string packCommandLine(const std::string& materialFile, const std::string& archiveFile) {
    return std::string(kConsoleProgram) + " " + kPackSwitch + quoted(materialFile) + " " +
           quoted(archiveFile) + " ";
}

std::string unpackCommandLine(const std::string& archiveFile, const std::string& directory) {
    return std::string(kConsoleProgram) + " " + kUnpackSwitch + quoted(archiveFile) + " " +
           quoted(directory) + " ";
}

} // namespace Renderer
