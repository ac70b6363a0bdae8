#include "tests/support/plugin_fixture.h"

#include <filesystem>
#include <regex>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testing_support {

PluginFolder::PluginFolder() : path_(dir_.file("tolvane")) {
    std::error_code ec;
    fs::copy(TOLVANE_PLUGIN_DIR, path_, fs::copy_options::recursive, ec);
    if (ec) {
        throw std::runtime_error("cannot copy the plug-in folder: " + ec.message());
    }
}

void PluginFolder::setString(int id, const std::string& text) {
    const std::string strings = file("res/strings.xml");
    const std::string before = readFile(strings);
    const std::regex entry("<string id=\"" + std::to_string(id) + "\">[^<]*</string>");
    const std::string after = std::regex_replace(
        before, entry, "<string id=\"" + std::to_string(id) + "\">" + text + "</string>");
    if (after == before && before.find("id=\"" + std::to_string(id) + "\"") == std::string::npos) {
        throw std::runtime_error("no string resource " + std::to_string(id));
    }
    writeFile(strings, after);
}

HostWithPlugin::HostWithPlugin(const PluginFolder& folder)
    : folder_(folder), host_(std::make_unique<headless::HeadlessHost>()),
      session_(std::make_unique<headless::PluginSession>(*host_)) {}

HostWithPlugin::~HostWithPlugin() {
    session_.reset();
    host_.reset();
}

headless::StartResult HostWithPlugin::start() {
    return session_->start(folder_.path());
}

} // namespace testing_support
