// tolvane-host quick-render: "Quick Render" as a user does it.
#include "headless/cli/cli.h"
#include "headless/cli/session.h"

#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

namespace headless::cli {

namespace {

struct QuickRenderOptions {
    std::vector<std::string> document;
    bool demo = false;
    std::string renderer;
    bool wait = false;
};

// Chooses the renderer directory with the export dialog's button and closes the dialog, as a
// user does before a quick render (the dialog asks for the directory itself when it opens
// without one).
bool chooseRenderer(HeadlessHost& host, const std::string& directory) {
    UiScript& ui = host.ui();
    ui.answer(UiPrompt::Kind::Directory, directory, "Choose Zarvex dir");
    DialogScript script;
    script.resource = kExportDialog;
    std::string failure;
    script.driver = [&ui, &failure](ScriptedDialog& dialog) {
        for (const char* button : {"EXPORTDLG_CHOOSE_DIR", "EXPORTDLG_CANCEL"}) {
            if (std::string(button) == "EXPORTDLG_CHOOSE_DIR" &&
                ui.pending(UiPrompt::Kind::Directory) == 0) {
                continue;
            }
            std::cout << "[dialog " << dialog.resourceId() << "] press " << button << '\n';
            const int32_t id = dialog.gadgetId(button);
            if (id == 0 || !dialog.press(id, failure)) {
                failure = failure.empty() ? std::string("no gadget ") + button : failure;
                return;
            }
        }
    };
    ui.dialog(std::move(script));
    if (!host.runCommand(kExportAndRunCommand) || !failure.empty()) {
        printError("could not choose the renderer directory in the export dialog" +
                   (failure.empty() ? std::string() : ": " + failure));
        return false;
    }
    return true;
}

int runQuickRender(const Common& common, const QuickRenderOptions& o) {
    if (o.document.size() != (o.demo ? 0u : 1u)) {
        printError(o.demo ? "quick-render --demo takes no document file"
                          : "quick-render takes a document file (or --demo)");
        return 2;
    }
    Session session;
    if (!session.start(common.pluginDirectory) ||
        !(o.demo ? session.openDemo() : session.openDocument(o.document.front()))) {
        return 1;
    }
    HeadlessHost& host = session.host();
    if (!o.renderer.empty()) {
        std::error_code ec;
        if (!chooseRenderer(host, fs::absolute(o.renderer, ec).lexically_normal().string())) {
            return 1;
        }
    }
    const std::size_t consoleStart = host.consoleLines().size();
    const bool ran = host.runCommand(kQuickRenderCommand);
    if (!ran || countConsoleLines(host, consoleStart, "Saved scene to: ") != 1) {
        printError("the quick render failed");
        return 1;
    }
    if (o.wait) {
        host.waitForPrograms();
    }
    return 0;
}

} // namespace

CLI::App* addQuickRenderCommand(CLI::App& app, Common& common, int& exitCode) {
    auto options = std::make_shared<QuickRenderOptions>();
    CLI::App* cmd = app.add_subcommand(
        "quick-render",
        "Run \"Quick Render\" on a document: export its current frame into the plug-in's\n"
        "presets/quickrender folder and start the renderer on it. With --renderer the\n"
        "renderer directory is chosen first in the export dialog, as a user does it.");
    cmd->add_option("document", options->document, "The document file (or --demo)");
    cmd->add_flag("--demo", options->demo, "Render the built-in demo document");
    cmd->add_option("--renderer", options->renderer,
                    "The renderer directory (holding zarvex.exe and zarvex_console.exe)")
        ->type_name("DIR");
    cmd->add_flag("--wait", options->wait, "Wait until the started renderer has ended");
    cmd->callback([&common, &exitCode, options] { exitCode = runQuickRender(common, *options); });
    return cmd;
}

} // namespace headless::cli
