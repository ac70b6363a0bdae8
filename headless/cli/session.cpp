#include "headless/cli/session.h"

#include "headless/demo.h"
#include "headless/document_file.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace headless::cli {

Session::Session() : plugin_(host_) {
    host_.setConsoleEcho(&std::cout);
}

bool Session::start(const std::string& pluginDirectory) {
    const StartResult result = plugin_.start(pluginDirectory);
    if (!result.started()) {
        printError(result.error);
        return false;
    }
    return true;
}

bool Session::openDocument(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        printError("cannot read the document file " + path);
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    std::unique_ptr<HDocument> doc = loadDocumentFile(host_, text.str(), error);
    if (!doc) {
        printError(path + ": " + error);
        return false;
    }
    doc->setPath(HostFilename(windowsPath(path)));
    host_.setDocument(std::move(doc));
    return true;
}

bool Session::openDemo(const std::string& folder) {
    std::string error;
    HostFilename where;
    if (!folder.empty()) {
        where = HostFilename(windowsPath(folder));
        if (!writeDemoFiles(host_, where, error)) {
            printError(error);
            return false;
        }
    }
    std::unique_ptr<HDocument> doc = buildDemoDocument(host_, error, where);
    if (!doc) {
        printError(error);
        return false;
    }
    host_.setDocument(std::move(doc));
    return true;
}

std::string Session::windowsPath(const std::string& nativePath) const {
    return host_.drives().toWindows(nativePath);
}

std::string settingsFilePath(const std::string& pluginDirectory) {
    return (std::filesystem::path(pluginDirectory) / "presets" / "tolvaneSettings.cfg").string();
}

int countConsoleLines(const HeadlessHost& host, std::size_t from, const std::string& prefix) {
    int count = 0;
    const std::vector<std::string>& lines = host.consoleLines();
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (lines[i].compare(0, prefix.size(), prefix) == 0) {
            ++count;
        }
    }
    return count;
}

void printError(const std::string& message) {
    std::cout.flush();
    std::cerr << "tolvane-host: " << message << '\n';
}

} // namespace headless::cli
