// tolvane-host save-demo: the built-in demo document as a document file.
#include "headless/cli/cli.h"
#include "headless/cli/session.h"
#include "headless/document_file.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace headless::cli {

namespace {

int runSaveDemo(const Common& common, const std::string& path) {
    Session session;
    // The demo's files go beside the document, where its textures are looked for.
    const std::filesystem::path folder =
        std::filesystem::absolute(path).lexically_normal().parent_path();
    if (!session.start(common.pluginDirectory) || !session.openDemo(folder.string())) {
        return 1;
    }
    const std::string text = saveDocumentFile(session.host().document());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        printError("cannot write " + path);
        return 1;
    }
    std::cout << "Wrote the demo document to " << path << ", and the files it refers to to "
              << folder.string() << '\n';
    return 0;
}

} // namespace

CLI::App* addSaveDemoCommand(CLI::App& app, Common& common, int& exitCode) {
    auto path = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand(
        "save-demo", "Write the built-in demo document as a document file, to look at, edit\n"
                     "and export with `tolvane-host export DOCUMENT SCENE.zvs`.");
    cmd->add_option("document", *path, "The document file to write")->required();
    cmd->callback([&common, &exitCode, path] { exitCode = runSaveDemo(common, *path); });
    return cmd;
}

} // namespace headless::cli
