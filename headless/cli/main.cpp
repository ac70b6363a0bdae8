// tolvane-host: the headless host's command-line program.
#include "headless/cli/cli.h"

#include <unistd.h>

#include <filesystem>

namespace headless::cli {

std::string defaultPluginDirectory() {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return "plugins/tolvane";
    }
    return (program.parent_path().parent_path() / "plugins" / "tolvane").string();
}

} // namespace headless::cli

int main(int argc, char** argv) {
    using namespace headless::cli;
    CLI::App app{"tolvane-host: a headless stand-in for the host application that loads the\n"
                 "Tolvane plug-in module and drives it as a user would."};
    app.require_subcommand(1);
    Common common;
    common.pluginDirectory = defaultPluginDirectory();
    app.add_option("--plugin", common.pluginDirectory,
                   "The plug-in folder (the module with res/, presets/ and preview/ beside it)")
        ->capture_default_str();
    int exitCode = 0;
    addStartCommand(app, common, exitCode);
    addExportCommand(app, common, exitCode);
    addQuickRenderCommand(app, common, exitCode);
    addSaveDemoCommand(app, common, exitCode);
    CLI11_PARSE(app, argc, argv);
    return exitCode;
}
