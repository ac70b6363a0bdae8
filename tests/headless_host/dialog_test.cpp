#include "headless/dialog_resource.h"
#include "headless/dialog_window.h"
#include "headless/host.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

namespace {

using namespace headless;

constexpr const char* kLayout = R"(<dialog id="7" name="TEST" title="Test">
    <group label="Options">
        <checkbox id="1" name="ON" label="On" value="true"/>
        <integer id="2" name="COUNT" min="0" max="10" value="3"/>
        <real id="3" name="SCALE"/>
        <chooser id="4" name="MODE" value="41">
            <choice id="40" name="FAST" label="Fast"/>
            <choice id="41" name="GOOD" label="Good"/>
        </chooser>
        <edit id="5" name="NAME" value="room"/>
        <text id="6" name="INFO"/>
    </group>
    <separator/>
    <button id="8" name="OK" label="OK"/>
    <button id="9" name="LOCKED" enabled="false"/>
</dialog>
)";

TEST(DialogResource, ParsesGadgetsInLayoutOrder) {
    DialogResource r;
    std::string error;
    ASSERT_TRUE(parseDialogResource(kLayout, r, error)) << error;
    EXPECT_EQ(r.id, 7);
    EXPECT_EQ(r.title, "Test");
    ASSERT_EQ(r.gadgets.size(), 10u);
    EXPECT_EQ(r.gadgets[0].kind, GadgetKind::Group);
    EXPECT_EQ(r.find(2)->group, 0);
    EXPECT_EQ(r.find(2)->max, 10);
    EXPECT_EQ(r.find(4)->choices.size(), 2u);
    EXPECT_FALSE(r.find(9)->enabled);
}

TEST(DialogResource, RefusesLayoutsThatDoNotFit) {
    struct Case {
        const char* text;
        const char* error;
    };
    for (const Case& c : {
             Case{"<dialog id=\"1\"><slider id=\"2\"/></dialog>",
                  "dialog 1: unknown gadget <slider>"},
             Case{"<dialog id=\"1\"><button/></dialog>", "dialog 1: a button without an id"},
             Case{"<dialog id=\"1\"><button id=\"x\"/></dialog>",
                  "dialog 1: a button with the non-numeric id \"x\""},
             Case{"<dialog id=\"1\"><button id=\"2\"/><text id=\"2\"/></dialog>",
                  "dialog 1: the id 2 is used twice"},
             Case{"<dialog id=\"1\"><checkbox id=\"2\" value=\"yes\"/></dialog>",
                  "dialog 1: gadget 2 cannot take the value \"yes\""},
             Case{"<dialog id=\"1\"><integer id=\"2\" max=\"5\" value=\"6\"/></dialog>",
                  "dialog 1: gadget 2 cannot take the value \"6\""},
             Case{"<dialog id=\"1\"><chooser id=\"2\" value=\"3\"><choice id=\"4\"/></chooser>"
                  "</dialog>",
                  "dialog 1: gadget 2 cannot take the value \"3\""},
             Case{"<dialog id=\"1\"><chooser id=\"2\"/></dialog>",
                  "dialog 1: chooser 2 has no choices"},
             Case{"<dialog id=\"1\"><button id=\"2\"><text id=\"3\"/></button></dialog>",
                  "dialog 1: a button holds no other gadgets"},
             Case{"<dialog><button id=\"2\"/></dialog>", "a dialog without a numeric id"},
             Case{"<dialog id=\"1\"/><dialog id=\"2\"/>", "the file holds one <dialog> element"},
             Case{"<dialog id=\"1\">", "not well-formed XML"},
         }) {
        DialogResource r;
        std::string error;
        EXPECT_FALSE(parseDialogResource(c.text, r, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

// A dialog that records every action message it hears and closes on OK.
class RecordingDialog : public GeDialog {
public:
    explicit RecordingDialog(int32_t resource, bool initOk = true)
        : resource_(resource), initOk_(initOk) {}
    bool createLayout() override { return loadDialogResource(resource_); }
    bool initValues() override {
        setInt(2, 4, 0, 5, 1);
        return initOk_;
    }
    bool command(int32_t id, const HostContainer&) override {
        commands.push_back(id);
        if (id == 8) {
            close(true);
        }
        return true;
    }
    std::vector<int32_t> commands;

private:
    int32_t resource_;
    bool initOk_;
};

class DialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("res/strings.xml", "<strings/>");
        dir.write("res/dialogs/7.xml", kLayout);
        host.drives().mapDrive('P', dir.path());
        ASSERT_TRUE(host.loadResources(HostFilename("P:\\")));
        // Dialogs open through the host the plug-in side knows.
        setHost(&host);
    }
    void TearDown() override { setHost(nullptr); }
    TempDir dir;
    HeadlessHost host;
};

TEST_F(DialogWindowTest, TheDialogFillsAndReadsItsGadgets) {
    RecordingDialog dialog(7);
    HDialogWindow window(host.resources(), dialog);
    dialog.attachHostDialog(&window);
    ASSERT_TRUE(dialog.createLayout());
    bool on = false;
    int32_t count = 0;
    std::string name;
    EXPECT_TRUE(dialog.getBool(1, on));
    EXPECT_TRUE(on);
    EXPECT_TRUE(dialog.getInt(2, count));
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(dialog.getString(5, name));
    EXPECT_EQ(name, "room");
    EXPECT_TRUE(dialog.setInt(2, 99, 0, 5, 1));
    EXPECT_TRUE(dialog.getInt(2, count));
    EXPECT_EQ(count, 5);
    // Values of the wrong kind and gadgets that do not exist are refused.
    EXPECT_FALSE(dialog.setString(1, "x"));
    EXPECT_FALSE(dialog.setBool(5, true));
    EXPECT_FALSE(dialog.setBool(77, true));
    EXPECT_FALSE(dialog.getString(2, name));
    EXPECT_TRUE(dialog.setInt(1, 0));
    EXPECT_TRUE(dialog.getBool(1, on));
    EXPECT_FALSE(on);
    Real scale = 1;
    EXPECT_TRUE(dialog.getReal(3, scale));
    EXPECT_EQ(scale, 0);
    dialog.attachHostDialog(nullptr);
}

TEST_F(DialogWindowTest, AUserChangesEnabledGadgetsWithValuesTheyTake) {
    RecordingDialog dialog(7);
    HDialogWindow window(host.resources(), dialog);
    dialog.attachHostDialog(&window);
    ASSERT_TRUE(dialog.createLayout());
    struct Case {
        int32_t id;
        const char* value;
        const char* result; // the value afterwards, or the error
    };
    for (const Case& c : {
             Case{1, "off", "false"},
             Case{1, "YES", "true"},
             Case{1, "maybe", "gadget 1 (ON) is a check box: true or false, not \"maybe\""},
             Case{2, "7", "7"},
             Case{2, "-4", "0"},
             Case{2, "2.5", "gadget 2 (COUNT) takes a whole number, not \"2.5\""},
             Case{3, "0.25", "0.25"},
             Case{3, "nan", "gadget 3 (SCALE) takes a number, not \"nan\""},
             Case{4, "40", "40"},
             Case{4, "GOOD", "41"},
             Case{4, "Fast", "40"},
             Case{4, "42", "gadget 4 (MODE) has no choice \"42\""},
             Case{5, "hall", "hall"},
             Case{6, "x", "gadget 6 (INFO) takes no value"},
             Case{8, "x", "gadget 8 (OK) takes no value"},
             Case{9, "x", "gadget 9 (LOCKED) is disabled"},
             Case{77, "x", "dialog 7 has no gadget 77"},
         }) {
        std::string error;
        const bool done = window.set(c.id, c.value, error);
        EXPECT_EQ(done ? window.valueText(c.id) : error, c.result) << c.id << " " << c.value;
    }
    // Every accepted change reached the dialog as an action; refused ones did not.
    EXPECT_EQ(dialog.commands, (std::vector<int32_t>{1, 1, 2, 2, 3, 4, 4, 4, 5}));
    std::string error;
    EXPECT_TRUE(window.press(1, error));
    EXPECT_EQ(window.valueText(1), "false");
    EXPECT_FALSE(window.press(2, error));
    EXPECT_EQ(error, "gadget 2 (COUNT) cannot be pressed");
    EXPECT_TRUE(window.press(8, error));
    EXPECT_TRUE(window.closed());
    EXPECT_TRUE(window.result());
    EXPECT_FALSE(window.press(8, error));
    EXPECT_EQ(error, "the dialog is not open");
    dialog.attachHostDialog(nullptr);
}

TEST_F(DialogWindowTest, TheHostRunsTheDialogsScript) {
    RecordingDialog dialog(7);
    DialogScript script;
    script.steps = {{DialogStep::Action::Set, 0, "COUNT", "2"},
                    {DialogStep::Action::Press, 1, "", ""}};
    std::vector<std::string> seen;
    script.driver = [&](ScriptedDialog& d) {
        seen.push_back(d.valueText(d.gadgetId("COUNT")));
        seen.push_back(d.valueText(1));
        std::string error;
        d.press(8, error);
    };
    host.ui().dialog(script);
    EXPECT_TRUE(dialog.open(true));
    EXPECT_EQ(seen, (std::vector<std::string>{"2", "false"}));
    EXPECT_EQ(dialog.commands, (std::vector<int32_t>{2, 1, 8}));
    const UiPrompt& prompt = host.ui().transcript().back();
    EXPECT_EQ(prompt.text, "dialog 7");
    EXPECT_EQ(prompt.answer, "true");
    EXPECT_EQ(prompt.steps, (std::vector<std::string>{"set COUNT 2", "press 1"}));
}

TEST_F(DialogWindowTest, AScriptThatRunsOutOrFailsLeavesTheUserToCloseTheWindow) {
    RecordingDialog dialog(7);
    DialogScript script;
    script.steps = {{DialogStep::Action::Set, 0, "NOPE", "1"},
                    {DialogStep::Action::Press, 8, "", ""}};
    bool driven = false;
    script.driver = [&](ScriptedDialog&) { driven = true; };
    host.ui().dialog(script);
    EXPECT_FALSE(dialog.open(true));
    EXPECT_FALSE(driven);
    EXPECT_TRUE(dialog.commands.empty());
    EXPECT_EQ(host.ui().transcript().back().error, "dialog 7 has no gadget named NOPE");
    // No script at all: the window is closed at once.
    EXPECT_FALSE(dialog.open(true));
    EXPECT_EQ(host.ui().transcript().back().answer, "false");
}

TEST_F(DialogWindowTest, ADialogWithoutItsLayoutOrWithFailingValuesDoesNotOpen) {
    std::vector<std::unique_ptr<RecordingDialog>> dialogs;
    dialogs.push_back(std::make_unique<RecordingDialog>(8));
    dialogs.push_back(std::make_unique<RecordingDialog>(7, false));
    for (const auto& dialog : dialogs) {
        bool driven = false;
        DialogScript script;
        script.driver = [&](ScriptedDialog&) { driven = true; };
        host.ui().dialog(script);
        EXPECT_FALSE(dialog->open(true));
        EXPECT_FALSE(driven);
        EXPECT_EQ(host.ui().transcript().back().error, "the dialog did not open");
        // The dialog's gadget calls go nowhere once it is closed.
        EXPECT_FALSE(dialog->setBool(1, true));
        host.ui().clear();
    }
}

} // namespace
