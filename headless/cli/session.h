// What the subcommands of tolvane-host share: a host with the plug-in started, its console on
// standard output, and the document a command works on.
#pragma once

#include "headless/host.h"
#include "headless/plugin_session.h"

#include <string>

namespace headless::cli {

// IDs of the plug-in's commands the tool runs (registered by the plug-in under these IDs).
constexpr int32_t kExportAndRunCommand = 1021741;
constexpr int32_t kQuickRenderCommand = 1023920;
// The export dialog's resource.
constexpr int32_t kExportDialog = 10021;

class Session {
public:
    Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Loads and starts the plug-in from its folder; false after printing why.
    bool start(const std::string& pluginDirectory);
    // Makes a document file (native path) or the built-in demo the active document; false after
    // printing why. The demo lives in `folder` (native path, existing) when one is given: the
    // files it refers to (textures, obstacle map, included material) are written there.
    bool openDocument(const std::string& path);
    bool openDemo(const std::string& folder = std::string());

    HeadlessHost& host() { return host_; }
    // The Windows text the plug-in sees for a native path.
    std::string windowsPath(const std::string& nativePath) const;

private:
    HeadlessHost host_;
    PluginSession plugin_;
};

// The native path of the settings file in a plug-in folder.
std::string settingsFilePath(const std::string& pluginDirectory);

// How many console lines from `from` on begin with `prefix`.
int countConsoleLines(const HeadlessHost& host, std::size_t from, const std::string& prefix);

// Prints "tolvane-host: " and the message to standard error.
void printError(const std::string& message);

} // namespace headless::cli
