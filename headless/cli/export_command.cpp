// tolvane-host export: "Export and Run" as a user does it.
#include "headless/cli/cli.h"
#include "headless/cli/session.h"
#include "headless/cli/stored_options.h"
#include "headless/demo.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>

namespace fs = std::filesystem;

namespace headless::cli {

namespace {

struct ExportOptions {
    std::vector<std::string> paths;
    bool demo = false;
    std::string frames;
    bool alpha = false;
    bool clay = false;
    bool noGeometry = false;
    bool run = false;
    bool console = false;
    std::optional<int> master;
    std::string image;
    std::string renderer;
    bool wait = false;
};

bool parseFrames(const std::string& text, int& first, int& last) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return false;
    }
    try {
        std::size_t used = 0;
        first = std::stoi(text.substr(0, colon), &used);
        if (used != colon) {
            return false;
        }
        const std::string rest = text.substr(colon + 1);
        last = std::stoi(rest, &used);
        return used == rest.size();
    } catch (const std::exception&) {
        return false;
    }
}

std::string absolute(const std::string& path) {
    std::error_code ec;
    const fs::path p = fs::absolute(path, ec);
    return ec ? path : p.lexically_normal().string();
}

// The files the demo wrote into its folder, as native paths.
std::vector<std::string> demoFiles(const fs::path& folder) {
    std::vector<std::string> files;
    for (const char* relative : {DemoFile::kBrick, DemoFile::kBrickBump, DemoFile::kMarble,
                                 DemoFile::kObstacleMap, DemoFile::kGold}) {
        std::string native = relative;
        std::replace(native.begin(), native.end(), '\\', '/');
        files.push_back((folder / native).string());
    }
    return files;
}

// The files of one export: the scene, the mesh folder beside it and `more`.
void listWritten(const std::string& scene, const std::vector<std::string>& more) {
    const fs::path scenePath = fs::path(scene).replace_extension(".zvs");
    const fs::path models = scenePath.parent_path() / ("models." + scenePath.stem().string());
    std::cout << "Wrote:\n  " << scenePath.string() << '\n';
    std::error_code ec;
    if (fs::is_directory(models, ec)) {
        std::vector<std::string> files;
        for (const auto& entry : fs::directory_iterator(models, ec)) {
            files.push_back(entry.path().string());
        }
        // demo-2 before demo-10: the names differ only in their numbers.
        std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;
        });
        for (const std::string& f : files) {
            std::cout << "  " << f << '\n';
        }
    }
    for (const std::string& f : more) {
        std::cout << "  " << f << '\n';
    }
}

// What a user does in the export dialog, from the options.
std::function<void(ScriptedDialog&)> dialogDriver(const ExportOptions& o, bool animation, int first,
                                                  int last, UiScript& ui, std::string& failure) {
    return [&o, animation, first, last, &ui, &failure](ScriptedDialog& dialog) {
        std::vector<std::pair<std::string, std::string>> steps;
        // The directory chooser came up as the dialog opened when the plug-in knew no renderer;
        // otherwise the renderer is chosen with the dialog's button.
        if (!o.renderer.empty() && ui.pending(UiPrompt::Kind::Directory) > 0) {
            steps.push_back({"EXPORTDLG_CHOOSE_DIR", ""});
        }
        steps.push_back({"EXPORTANDRUN", o.run ? "true" : "false"});
        if (o.run) {
            steps.push_back({"CONSOLEMODE", o.console ? "true" : "false"});
            steps.push_back({"STARTMASTER", o.master ? "true" : "false"});
            if (o.master) {
                steps.push_back({"PORT_NUMBER", std::to_string(*o.master)});
            }
        }
        steps.push_back({"RENDERALPHA", o.alpha ? "true" : "false"});
        steps.push_back({"RENDERCLAY", o.clay ? "true" : "false"});
        steps.push_back({"SPECIFY_RENDER_OUTPUT", o.image.empty() ? "false" : "true"});
        if (animation) {
            steps.push_back({"EXPORT_ANIMATION_START", std::to_string(first)});
            steps.push_back({"EXPORT_ANIMATION_END", std::to_string(last)});
        }
        steps.push_back({"EXPORTDLG_EXPORT", ""});
        for (const auto& [name, value] : steps) {
            std::cout << "[dialog " << dialog.resourceId() << "] "
                      << (value.empty() ? "press " + name : "set " + name + " " + value) << '\n';
            const int32_t id = dialog.gadgetId(name);
            std::string error;
            const bool done =
                id != 0 && (value.empty() ? dialog.press(id, error) : dialog.set(id, value, error));
            if (!done) {
                failure = id == 0 ? "the export dialog has no gadget " + name : error;
                return;
            }
        }
    };
}

int runExport(const Common& common, const ExportOptions& o) {
    if (o.paths.size() != (o.demo ? 1u : 2u)) {
        printError(o.demo ? "export --demo takes the scene file only"
                          : "export takes a document file and a scene file (or --demo and a "
                            "scene file)");
        return 2;
    }
    int first = 0;
    int last = 0;
    const bool animation = !o.frames.empty();
    if (animation && (!parseFrames(o.frames, first, last) || first > last)) {
        printError("--frames takes FIRST:LAST, whole numbers such as 0:2 with FIRST <= LAST");
        return 2;
    }
    const std::string scene = absolute(o.paths.back());
    // As a user makes a new folder in the file chooser.
    std::error_code ec;
    fs::create_directories(fs::path(scene).parent_path(), ec);
    Session session;
    // The demo lives beside its scene, so that the scene finds the demo's textures.
    if (!session.start(common.pluginDirectory) ||
        !(o.demo ? session.openDemo(fs::path(scene).parent_path().string())
                 : session.openDocument(o.paths.front()))) {
        return 1;
    }
    std::string error;
    if (!storeLockedOptions(settingsFilePath(common.pluginDirectory),
                            {{"NOGEOMETRY", o.noGeometry}, {"EXPORT_ANIMATION", animation}},
                            error)) {
        printError(error);
        return 1;
    }
    HeadlessHost& host = session.host();
    UiScript& ui = host.ui();
    if (!o.renderer.empty()) {
        ui.answer(UiPrompt::Kind::Directory, absolute(o.renderer), "Choose Zarvex dir");
    }
    ui.answer(UiPrompt::Kind::SaveFile, scene, "Save zvs...");
    if (!o.image.empty()) {
        ui.answer(UiPrompt::Kind::SaveFile, absolute(o.image), "Save png...");
    }
    ui.answer(UiPrompt::Kind::Question, "yes", "File already exists. Overwrite?");
    std::string failure;
    DialogScript script;
    script.resource = kExportDialog;
    script.driver = dialogDriver(o, animation, first, last, ui, failure);
    ui.dialog(std::move(script));

    const std::size_t consoleStart = host.consoleLines().size();
    if (!host.runCommand(kExportAndRunCommand)) {
        printError("the plug-in has no \"Export and Run\" command");
        return 1;
    }
    const std::vector<UiPrompt>& transcript = host.ui().transcript();
    const auto dialog = std::find_if(transcript.rbegin(), transcript.rend(), [](const UiPrompt& p) {
        return p.kind == UiPrompt::Kind::Dialog;
    });
    if (dialog == transcript.rend() || !dialog->error.empty() || !failure.empty()) {
        printError("the export dialog " +
                   (dialog == transcript.rend()
                        ? std::string("did not open")
                        : "failed: " + (failure.empty() ? dialog->error : failure)));
        return 1;
    }
    const int expected = animation ? last - first + 1 : 1;
    const int saved = countConsoleLines(host, consoleStart, "Saved scene to: ");
    if (dialog->answer != "true" || saved != expected) {
        printError("the export failed: " + std::to_string(saved) + " of " +
                   std::to_string(expected) + " frames were written");
        return 1;
    }
    listWritten(scene,
                o.demo ? demoFiles(fs::path(scene).parent_path()) : std::vector<std::string>());
    if (o.wait) {
        host.waitForPrograms();
    }
    return 0;
}

} // namespace

CLI::App* addExportCommand(CLI::App& app, Common& common, int& exitCode) {
    auto options = std::make_shared<ExportOptions>();
    CLI::App* cmd = app.add_subcommand(
        "export",
        "Export a document as a Zarvex scene through \"Export and Run\", as a user does it:\n"
        "run the command, set the export dialog's options, press Export, answer the file\n"
        "prompts (and \"File already exists. Overwrite?\" with yes). Prints the plug-in's\n"
        "console and the files written; exits non-zero when the export failed. Paths are\n"
        "native; the plug-in sees them as Windows paths (Z: is /).");
    cmd->add_option("paths", options->paths, "DOCUMENT SCENE.zvs, or SCENE.zvs with --demo")
        ->required();
    cmd->add_flag("--demo", options->demo, "Export the built-in demo document");
    cmd->add_option("--frames", options->frames,
                    "Export the frame range FIRST:LAST (each frame overwrites the scene file)")
        ->type_name("FIRST:LAST");
    cmd->add_flag("--alpha", options->alpha, "Ask the renderer for a foreground alpha channel");
    cmd->add_flag("--clay", options->clay, "Render every material as clay");
    cmd->add_flag("--no-geometry", options->noGeometry, "Write no mesh files");
    CLI::Option* run =
        cmd->add_flag("--run", options->run, "Start the renderer on the scene afterwards");
    cmd->add_flag("--console", options->console, "Start the console renderer")->needs(run);
    cmd->add_option("--master", options->master, "Start the renderer as network master on PORT")
        ->check(CLI::Range(1, 65535))
        ->type_name("PORT")
        ->needs(run);
    cmd->add_option("--image", options->image, "The renderer saves its image as FILE.png")
        ->type_name("FILE.png");
    cmd->add_option("--renderer", options->renderer,
                    "The renderer directory (holding zarvex.exe and zarvex_console.exe)")
        ->type_name("DIR");
    cmd->add_flag("--wait", options->wait, "Wait until the started renderer has ended");
    cmd->callback([&common, &exitCode, options] { exitCode = runExport(common, *options); });
    return cmd;
}

} // namespace headless::cli
