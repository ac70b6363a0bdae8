#include "headless/ui_script.h"

#include <gtest/gtest.h>

namespace {

using headless::DialogStep;
using headless::UiPrompt;
using headless::UiScript;

TEST(UiScript, AnswersGoToThePromptsTheyFit) {
    UiScript ui;
    ui.answer(UiPrompt::Kind::SaveFile, "/tmp/b.png", "Save png...");
    ui.answer(UiPrompt::Kind::SaveFile, "/tmp/a.zvs");
    ui.answer(UiPrompt::Kind::Question, "yes");
    ui.push("anything");
    EXPECT_EQ(ui.pending(UiPrompt::Kind::SaveFile), 3u);
    // The first answer that fits, whatever was queued before it.
    EXPECT_EQ(ui.take(UiPrompt::Kind::Question, "Overwrite?"), "yes");
    EXPECT_EQ(ui.take(UiPrompt::Kind::SaveFile, "Save zvs..."), "/tmp/a.zvs");
    EXPECT_EQ(ui.take(UiPrompt::Kind::SaveFile, "Save png..."), "/tmp/b.png");
    EXPECT_EQ(ui.take(UiPrompt::Kind::Directory, "Choose"), "anything");
    EXPECT_FALSE(ui.take(UiPrompt::Kind::Directory, "Choose"));
    ui.push("cancel");
    EXPECT_FALSE(ui.take(UiPrompt::Kind::LoadFile, "Open"));
    EXPECT_EQ(ui.pending(), 0u);
}

TEST(UiScript, DialogScriptsGoToTheirResourceOrTheNextDialog) {
    UiScript ui;
    headless::DialogScript forExport;
    forExport.resource = 10021;
    ui.dialog(forExport);
    ui.dialog(headless::DialogScript());
    EXPECT_EQ(ui.takeDialog(10022)->resource, 0);
    EXPECT_FALSE(ui.takeDialog(10022));
    EXPECT_EQ(ui.takeDialog(10021)->resource, 10021);
}

TEST(UiScript, ParsesAScriptText) {
    UiScript ui;
    std::string error;
    ASSERT_TRUE(ui.parse("# the export road\n"
                         "directory /opt/zarvex\n"
                         "save \"Save zvs...\" /tmp/out/room.zvs\n"
                         "save \"/tmp/with blanks.png\"\n"
                         "question yes\n"
                         "any cancel\n"
                         "dialog 10021\n"
                         "  set 1653 true\n"
                         "  set PORT_NUMBER \" 7777 \"\n"
                         "  press EXPORTDLG_EXPORT\n"
                         "end\n",
                         error))
        << error;
    ASSERT_EQ(ui.answers().size(), 5u);
    EXPECT_EQ(ui.answers()[0].kind, UiPrompt::Kind::Directory);
    EXPECT_EQ(ui.answers()[1].title, "Save zvs...");
    EXPECT_EQ(ui.answers()[1].value, "/tmp/out/room.zvs");
    EXPECT_EQ(ui.answers()[2].title, "");
    EXPECT_EQ(ui.answers()[2].value, "/tmp/with blanks.png");
    EXPECT_FALSE(ui.answers()[4].kind);
    std::optional<headless::DialogScript> dialog = ui.takeDialog(10021);
    ASSERT_TRUE(dialog);
    ASSERT_EQ(dialog->steps.size(), 3u);
    EXPECT_EQ(dialog->steps[0].gadget, 1653);
    EXPECT_EQ(dialog->steps[0].value, "true");
    EXPECT_EQ(dialog->steps[1].gadgetName, "PORT_NUMBER");
    EXPECT_EQ(dialog->steps[1].value, " 7777 ");
    EXPECT_EQ(dialog->steps[2].action, DialogStep::Action::Press);
    EXPECT_EQ(dialog->steps[2].gadgetName, "EXPORTDLG_EXPORT");
}

TEST(UiScript, RefusesAMalformedScriptWithTheLineAndQueuesNothing) {
    struct Case {
        const char* text;
        const char* error;
    };
    for (const Case& c : {
             Case{"save\n", "line 2: save needs an answer"},
             Case{"question yes\nmessage ok\n", "line 3: unknown step: message"},
             Case{"set 1 true\n", "line 2: set outside a dialog block"},
             Case{"dialog\npress 1 2\nend\n", "line 3: press takes only a gadget"},
             Case{"dialog\nset 1\nend\n", "line 3: set needs a value"},
             Case{"dialog x\n", "line 2: a dialog resource is a number: x"},
             Case{"dialog\ndialog\n", "line 3: a dialog block inside another; close the first "
                                      "with end"},
             Case{"end\n", "line 2: end without dialog"},
             Case{"dialog\npress 1\n", "line 4: a dialog block without end"},
             Case{"save \"Save zvs... /tmp/a\n", "line 2: a quoted text without its closing quote"},
         }) {
        UiScript ui;
        std::string error;
        // The good first line is not queued either.
        EXPECT_FALSE(ui.parse(std::string("directory /ok\n") + c.text, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_EQ(ui.pending(), 0u);
        EXPECT_EQ(ui.pendingDialogs(), 0u);
    }
}

} // namespace
