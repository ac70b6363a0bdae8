// The plug-in's commands on the headless host, without loading the module: the plug-in's folder
// is a temporary directory on drive C: with a copy of the resources, the renderer a script that
// records how it was started.
#pragma once

#include "headless/host.h"
#include "plugin/host/application.h"
#include "plugin/plugin_state.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

class CommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tolvane-commands-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
        fs::create_directories(root + "/plugin/presets");
        fs::copy(std::string(TOLVANE_SOURCE_DIR) + "/res", root + "/plugin/res",
                 fs::copy_options::recursive);
        host.drives().mapDrive('C', root);
        host.clock().setFake(100000);
        PluginState::setPluginPath("C:\\plugin\\tolvane.so");
        setHost(&host);
        ASSERT_TRUE(host.loadResources(HostFilename("C:\\plugin")));
    }

    void TearDown() override {
        host.waitForPrograms();
        setHost(nullptr);
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // The native path of a path below the temporary directory ("plugin/presets/x").
    std::string path(const std::string& relative) const { return root + "/" + relative; }

    std::string settingsPath() const { return path("plugin/presets/tolvaneSettings.cfg"); }
    std::string scriptPath() const { return path("plugin/presets/zarvex_run.cmd"); }

    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    static void write(const std::string& file, const std::string& bytes) {
        fs::create_directories(fs::path(file).parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    // A renderer directory C:\zarvex whose programs write their arguments, one per line, into
    // args.txt beside them.
    void installFakeRenderer() {
        for (const char* program : {"zarvex.exe", "zarvex_console.exe"}) {
            const std::string file = path(std::string("zarvex/") + program);
            write(file,
                  "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > \"$(dirname \"$0\")/args.txt\"\n");
            ::chmod(file.c_str(), 0755);
        }
    }

    // The arguments the fake renderer was started with (after the program has ended).
    std::vector<std::string> recordedArguments() {
        host.waitForPrograms();
        std::vector<std::string> lines;
        std::istringstream in(read(path("zarvex/args.txt")));
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    void storeRendererDirectory(const std::string& windowsDirectory) {
        write(settingsPath(),
              "<global_settings>\n    <PATH>" + windowsDirectory + "</PATH>\n</global_settings>\n");
    }

    bool consoleHas(const std::string& line) const {
        for (const std::string& l : host.consoleLines()) {
            if (l == line) {
                return true;
            }
        }
        return false;
    }

    int consoleCount(const std::string& prefix) const {
        int n = 0;
        for (const std::string& l : host.consoleLines()) {
            n += l.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
        }
        return n;
    }

    std::string root;
    headless::HeadlessHost host;
};
