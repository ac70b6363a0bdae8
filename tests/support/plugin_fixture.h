// The built plug-in, copied to a private folder and started in a headless host as the host
// application starts it. Tests change the copy (its resources, icons, presets) freely.
#pragma once

#include "headless/host.h"
#include "headless/plugin_session.h"
#include "tests/support/temp_dir.h"

#include <memory>
#include <string>

namespace testing_support {

class PluginFolder {
public:
    // Copies the plug-in folder of this build tree into a new temporary directory.
    PluginFolder();
    // The native path of the copied plug-in folder.
    const std::string& path() const { return path_; }
    std::string file(const std::string& relative) const { return path_ + "/" + relative; }
    // Replaces string resource `id` in res/strings.xml (an empty text keeps the entry, empty).
    void setString(int id, const std::string& text);

private:
    TempDir dir_;
    std::string path_;
};

// A headless host with its console kept (not echoed) and the plug-in loaded from `folder`.
class HostWithPlugin {
public:
    explicit HostWithPlugin(const PluginFolder& folder);
    ~HostWithPlugin();

    // Loads the module and runs actions 1, message 1 and 2.
    headless::StartResult start();

    headless::HeadlessHost& host() { return *host_; }
    headless::PluginSession& session() { return *session_; }

private:
    const PluginFolder& folder_;
    std::unique_ptr<headless::HeadlessHost> host_;
    std::unique_ptr<headless::PluginSession> session_;
};

} // namespace testing_support
