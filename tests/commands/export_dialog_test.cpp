#include "commands/export_and_run.h"
#include "commands/export_dialog.h"
#include "commands/export_dialog_ids.h"
#include "commands/settings_file.h"

#include "fixture.h"

#include "plugin/host/document.h"

#include <map>

namespace {

using headless::DialogScript;
using headless::DialogStep;
using headless::ScriptedDialog;
using headless::UiPrompt;

class ExportDialogTest : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        fs::create_directories(path("out"));
    }

    // Queues a dialog script: the steps, then `look` sees the dialog.
    void script(std::vector<DialogStep> steps,
                std::function<void(ScriptedDialog&)> look = nullptr) {
        DialogScript s;
        s.resource = EXPORTDLG_RESOURCE;
        s.steps = std::move(steps);
        s.driver = std::move(look);
        host.ui().dialog(std::move(s));
    }

    bool openDialog() {
        MyExportDialog dialog(&flag);
        return dialog.open();
    }

    const UiPrompt& lastDialog() {
        for (auto it = host.ui().transcript().rbegin(); it != host.ui().transcript().rend(); ++it) {
            if (it->kind == UiPrompt::Kind::Dialog) {
                return *it;
            }
        }
        static const UiPrompt none;
        return none;
    }

    void storeLastSettings(const std::map<std::string, std::string>& keys) {
        std::string text = "<global_settings><PATH>C:\\zarvex</PATH></global_settings>\n"
                           "<last_settings>";
        for (const auto& [key, value] : keys) {
            text += "<" + key + ">" + value + "</" + key + ">";
        }
        write(settingsPath(), text + "</last_settings>\n");
    }

    static DialogStep set(int32_t id, const std::string& value) {
        return {DialogStep::Action::Set, id, "", value};
    }
    static DialogStep press(int32_t id) { return {DialogStep::Action::Press, id, "", ""}; }

    uint8_t flag = 0;
};

TEST_F(ExportDialogTest, FirstUseAsksForTheRendererAndShowsTheBuiltInValues) {
    host.ui().answer(UiPrompt::Kind::Directory, "D:\\Renderers\\Zarvex");
    std::map<int32_t, std::string> shown;
    script({}, [&](ScriptedDialog& d) {
        for (int32_t id :
             {EXPORTDLG_RENDERER_PATH, EXPORTDLG_EXPORTANDRUN, EXPORTDLG_PRIORITY_ID,
              EXPORTDLG_PORT_NUMBER, EXPORTDLG_STARTMASTER, EXPORTDLG_EXPORT_ANIMATION_STATIC}) {
            shown[id] = d.valueText(id);
        }
    });
    EXPECT_FALSE(openDialog());
    ASSERT_GE(host.ui().transcript().size(), 2u);
    EXPECT_EQ(host.ui().transcript()[0].kind, UiPrompt::Kind::Directory);
    EXPECT_EQ(host.ui().transcript()[0].text, "Choose Zarvex dir");
    EXPECT_EQ(shown, (std::map<int32_t, std::string>{
                         {EXPORTDLG_RENDERER_PATH, "D:\\Renderers\\Zarvex\\zarvex.exe"},
                         {EXPORTDLG_EXPORTANDRUN, "true"},
                         {EXPORTDLG_PRIORITY_ID, "1660"},
                         {EXPORTDLG_PORT_NUMBER, "7777"},
                         {EXPORTDLG_STARTMASTER, "false"},
                         {EXPORTDLG_EXPORT_ANIMATION_STATIC, "true"}}));
    // Closing the dialog saves nothing: the file still holds only the renderer's directory.
    EXPECT_EQ(read(settingsPath()),
              "<global_settings>\n    <PATH>D:\\Renderers\\Zarvex</PATH>\n</global_settings>\n");
}

TEST_F(ExportDialogTest, ACancelledChooserShowsTheBareExecutable) {
    std::string shown;
    script({}, [&](ScriptedDialog& d) { shown = d.valueText(EXPORTDLG_RENDERER_PATH); });
    openDialog();
    EXPECT_EQ(shown, "zarvex.exe");
}

TEST_F(ExportDialogTest, DoesNotOpenWithoutALayoutOrARendererLocation) {
    // The chooser's answer cannot be stored where a directory stands in for the settings file.
    fs::create_directory(settingsPath());
    EXPECT_FALSE(openDialog());
    EXPECT_EQ(lastDialog().error, "the dialog did not open");
    fs::remove(settingsPath());
    fs::remove_all(path("plugin/res/dialogs"));
    ASSERT_TRUE(host.loadResources(HostFilename("C:\\plugin")));
    host.ui().clear();
    EXPECT_FALSE(openDialog());
    EXPECT_EQ(lastDialog().error, "the dialog did not open");
    // The layout fails before anything is asked.
    EXPECT_EQ(host.ui().transcript().back().kind, UiPrompt::Kind::Dialog);
    EXPECT_EQ(host.ui().transcript().size(), 3u);
}

TEST_F(ExportDialogTest, RestoresTheLastSettings) {
    storeLastSettings({{"EXPORTANDRUN", "false"},
                       {"RENDERCLAY", "true"},
                       {"RENDERALPHA", "yes"},
                       {"EXPORT_ANIMATION_END", "48"},
                       {"PRIORITY_ID", "1661"}});
    std::map<int32_t, std::string> shown;
    script({}, [&](ScriptedDialog& d) {
        for (int32_t id : {EXPORTDLG_EXPORTANDRUN, EXPORTDLG_RENDERCLAY, EXPORTDLG_RENDERALPHA,
                           EXPORTDLG_EXPORT_ANIMATION_END, EXPORTDLG_PRIORITY_ID,
                           EXPORTDLG_PORT_NUMBER, EXPORTDLG_EXPORT_ANIMATION_STATIC}) {
            shown[id] = d.valueText(id);
        }
    });
    openDialog();
    // Keys that are missing from the section restore as off or 0.
    EXPECT_EQ(shown,
              (std::map<int32_t, std::string>{{EXPORTDLG_EXPORTANDRUN, "false"},
                                              {EXPORTDLG_RENDERCLAY, "true"},
                                              {EXPORTDLG_RENDERALPHA, "false"},
                                              {EXPORTDLG_EXPORT_ANIMATION_END, "48"},
                                              {EXPORTDLG_PRIORITY_ID, "1661"},
                                              {EXPORTDLG_PORT_NUMBER, "0"},
                                              {EXPORTDLG_EXPORT_ANIMATION_STATIC, "false"}}));
}

TEST_F(ExportDialogTest, EnablingRules) {
    const std::vector<int32_t> gadgets = {EXPORTDLG_PRIORITY_ID,
                                          EXPORTDLG_CONSOLEMODE,
                                          EXPORTDLG_STARTMASTER,
                                          EXPORTDLG_PORT_NUMBER,
                                          EXPORTDLG_EXPORT_ANIMATION_START,
                                          EXPORTDLG_EXPORT_ANIMATION_END,
                                          EXPORTDLG_EXPORT_ANIMATION_STATIC,
                                          EXPORTDLG_EXPORT_ANIMATION,
                                          EXPORTDLG_SEPERATE_SETTINGS,
                                          EXPORTDLG_SEPERATE_MATS,
                                          EXPORTDLG_NOGEOMETRY,
                                          EXPORTDLG_RENDERALPHA};
    struct Case {
        const char* run;
        const char* master;
        const char* animation;
        std::string enabled; // one letter per gadget above: y enabled, n disabled
    };
    for (const Case& c : {Case{"false", "true", "false", "nnnnnnnnnnny"},
                          Case{"true", "false", "false", "yyynnnnnnnny"},
                          Case{"true", "true", "false", "yyyynnnnnnny"},
                          Case{"false", "false", "true", "nnnnyyynnnny"}}) {
        storeLastSettings({{"EXPORTANDRUN", c.run},
                           {"STARTMASTER", c.master},
                           {"EXPORT_ANIMATION", c.animation}});
        std::string enabled;
        script({}, [&](ScriptedDialog& d) {
            for (int32_t id : gadgets) {
                enabled += d.isEnabled(id) ? 'y' : 'n';
            }
        });
        openDialog();
        EXPECT_EQ(enabled, c.enabled) << c.run << c.master << c.animation;
    }
}

TEST_F(ExportDialogTest, EveryChangeReappliesTheRules) {
    storeRendererDirectory("C:\\zarvex");
    std::vector<bool> portEnabled;
    script({set(EXPORTDLG_STARTMASTER, "true")}, [&](ScriptedDialog& d) {
        portEnabled.push_back(d.isEnabled(EXPORTDLG_PORT_NUMBER));
        std::string error;
        d.press(EXPORTDLG_EXPORTANDRUN, error);
        portEnabled.push_back(d.isEnabled(EXPORTDLG_PORT_NUMBER));
        portEnabled.push_back(d.isEnabled(EXPORTDLG_STARTMASTER));
        // A greyed gadget cannot be used.
        EXPECT_FALSE(d.set(EXPORTDLG_STARTMASTER, "false", error));
        EXPECT_EQ(error, "gadget 1697 (STARTMASTER) is disabled");
    });
    openDialog();
    EXPECT_EQ(portEnabled, (std::vector<bool>{true, false, false}));
}

TEST_F(ExportDialogTest, ExportRunsTheJobSavesTheOptionsAndCloses) {
    storeRendererDirectory("C:\\zarvex");
    host.ui().answer(UiPrompt::Kind::SaveFile, "C:\\out\\room");
    script({set(EXPORTDLG_EXPORTANDRUN, "false"), set(EXPORTDLG_RENDERCLAY, "true"),
            press(EXPORTDLG_EXPORT)});
    EXPECT_TRUE(openDialog());
    EXPECT_TRUE(fs::exists(path("out/room.zvs")));
    EXPECT_EQ(consoleCount("Saved scene to: C:\\out\\room.zvs"), 1);
    EXPECT_EQ(host.cursors(), (std::vector<int32_t>{HostCursor::kBusy}));
    const std::optional<LastSettings> saved = readLastSettings();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->exportAndRun, 0);
    EXPECT_EQ(saved->renderClay, 1);
    EXPECT_EQ(saved->portNumber, 7777);
    EXPECT_EQ(saved->priorityId, 1660);
    EXPECT_EQ(saved->exportAnimationStatic, 1);
    HostFilename location;
    ASSERT_TRUE(readRendererLocation(location, false, false));
    EXPECT_EQ(location.text(), "C:\\zarvex");
}

TEST_F(ExportDialogTest, AnsweringNoToOverwriteOrCancellingAPromptKeepsTheDialogOpen) {
    storeRendererDirectory("C:\\zarvex");
    write(path("out/room.zvs"), "old");
    host.ui().answer(UiPrompt::Kind::SaveFile, "C:\\out\\room.zvs");
    host.ui().answer(UiPrompt::Kind::Question, "no");
    std::vector<bool> open;
    script({press(EXPORTDLG_EXPORT)}, [&](ScriptedDialog& d) {
        open.push_back(d.isOpen());
        std::string error;
        d.press(EXPORTDLG_EXPORT, error); // the save prompt finds no answer: cancelled
        open.push_back(d.isOpen());
    });
    EXPECT_FALSE(openDialog());
    EXPECT_EQ(open, (std::vector<bool>{true, true}));
    EXPECT_EQ(read(path("out/room.zvs")), "old");
    EXPECT_EQ(consoleCount("Saved scene to: "), 0);
    EXPECT_FALSE(readLastSettings());
    std::vector<std::string> asked;
    for (const UiPrompt& p : host.ui().transcript()) {
        asked.push_back(p.text + (p.cancelled ? " (cancelled)" : ""));
    }
    EXPECT_EQ(asked,
              (std::vector<std::string>{"Save zvs...", "File already exists. Overwrite?",
                                        "Save zvs... (cancelled)", "dialog 10021 (cancelled)"}));
}

TEST_F(ExportDialogTest, AStoredAnimationExportsTheStoredRange) {
    storeLastSettings({{"EXPORT_ANIMATION", "true"},
                       {"EXPORT_ANIMATION_START", "3"},
                       {"EXPORT_ANIMATION_END", "5"}});
    host.ui().answer(UiPrompt::Kind::SaveFile, "C:\\out\\anim.zvs");
    script({press(EXPORTDLG_EXPORT)});
    EXPECT_TRUE(openDialog());
    EXPECT_EQ(consoleCount("Saved scene to: C:\\out\\anim.zvs"), 3);
    std::vector<int32_t> frames;
    for (const HostTime& t : host.document().evaluations()) {
        frames.push_back(t.frame(host.document().fps()));
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{3, 4, 5, 0}));
}

TEST_F(ExportDialogTest, AnOutputImageIsAskedForAndHandedToTheRenderer) {
    installFakeRenderer();
    storeRendererDirectory("C:\\zarvex");
    host.ui().answer(UiPrompt::Kind::SaveFile, "C:\\out\\room.zvs", "Save zvs...");
    host.ui().answer(UiPrompt::Kind::SaveFile, "C:\\out\\render.tif", "Save png...");
    script({set(EXPORTDLG_SPECIFY_RENDER_OUTPUT, "true"),
            set(EXPORTDLG_PRIORITY_ID, "EXPORTDLG_PRIORITY_NORMAL"), press(EXPORTDLG_EXPORT)});
    EXPECT_TRUE(openDialog());
    const std::vector<std::string> args = recordedArguments();
    ASSERT_EQ(args.size(), 6u);
    EXPECT_EQ(args[4], "-o");
    EXPECT_EQ(args[5], path("out/render.png"));
    EXPECT_FALSE(host.scriptRuns().at(0).starts.at(0).belowNormal);
}

TEST_F(ExportDialogTest, TheDirectoryButtonChangesTheShownRenderer) {
    storeRendererDirectory("C:\\zarvex");
    host.ui().answer(UiPrompt::Kind::Directory, "E:\\Other");
    std::vector<std::string> shown;
    script({}, [&](ScriptedDialog& d) {
        shown.push_back(d.valueText(EXPORTDLG_RENDERER_PATH));
        std::string error;
        d.press(EXPORTDLG_CHOOSE_DIR, error);
        shown.push_back(d.valueText(EXPORTDLG_RENDERER_PATH));
        d.press(EXPORTDLG_CANCEL, error);
        shown.push_back(d.isOpen() ? "open" : "closed");
    });
    EXPECT_FALSE(openDialog());
    EXPECT_EQ(shown, (std::vector<std::string>{"C:\\zarvex\\zarvex.exe", "E:\\Other\\zarvex.exe",
                                               "closed"}));
    EXPECT_FALSE(readLastSettings());
}

TEST_F(ExportDialogTest, TheCommandOpensTheDialogWithThePluginsFlag) {
    storeRendererDirectory("C:\\zarvex");
    host.ui().answer(UiPrompt::Kind::SaveFile, "C:\\out\\room.zvs");
    script({set(EXPORTDLG_EXPORTANDRUN, "false"), press(EXPORTDLG_EXPORT)});
    uint8_t pluginFlag = 0;
    MyExportAndRun::setExportFlag(&pluginFlag);
    MyExportAndRun command;
    EXPECT_TRUE(command.execute(&host.document()));
    MyExportAndRun::setExportFlag(nullptr);
    EXPECT_EQ(lastDialog().answer, "true");
    EXPECT_EQ(pluginFlag, 0);
    EXPECT_TRUE(fs::exists(path("out/room.zvs")));
}

} // namespace
