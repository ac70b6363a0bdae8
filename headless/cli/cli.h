// The tolvane-host command line: one subcommand per file, each adding itself to the program.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace headless::cli {

// Options every subcommand shares.
struct Common {
    std::string pluginDirectory;
};

// The plug-in folder of this build tree: plugins/tolvane beside the program's bin folder.
std::string defaultPluginDirectory();

// Each returns the subcommand it added; the subcommand's callback sets `exitCode`.
CLI::App* addStartCommand(CLI::App& app, Common& common, int& exitCode);
CLI::App* addExportCommand(CLI::App& app, Common& common, int& exitCode);
CLI::App* addQuickRenderCommand(CLI::App& app, Common& common, int& exitCode);
CLI::App* addSaveDemoCommand(CLI::App& app, Common& common, int& exitCode);

} // namespace headless::cli
