// What the user does, scripted: answers to the prompts a plug-in shows (file and directory
// choosers, yes/no questions) and, for each dialog that opens, the gadgets to set and the buttons
// to press. Tests and the command line queue them; a prompt that finds no answer is cancelled, and
// a dialog whose script has run out is closed by the user (a cancel). Every prompt is recorded.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace headless {

struct UiPrompt {
    enum class Kind { Message, Question, LoadFile, SaveFile, Directory, Dialog };

    UiPrompt() = default;
    UiPrompt(Kind kind_, std::string text_, std::string answer_, bool cancelled_)
        : kind(kind_), text(std::move(text_)), answer(std::move(answer_)), cancelled(cancelled_) {}

    Kind kind = Kind::Message;
    // The message, the question, the chooser's title, or "dialog N" with the resource ID.
    std::string text;
    // What was answered; empty for a cancelled prompt or a message box. For a dialog "true" or
    // "false", the result it closed with.
    std::string answer;
    bool cancelled = false;
    // For a dialog: the script's steps as they ran, and the reason the script stopped early.
    std::vector<std::string> steps;
    std::string error;
};

// The name of a prompt kind as scripts and transcripts write it: "message", "question", "load",
// "save", "directory", "dialog".
const char* promptKindName(UiPrompt::Kind kind);
bool promptKindFromName(const std::string& name, UiPrompt::Kind& kind);

// One queued answer.
struct UiAnswer {
    // The prompt kind it answers; none answers any prompt.
    std::optional<UiPrompt::Kind> kind;
    // The title (or question) it answers; empty answers any.
    std::string title;
    // A path (native or Windows text) for a chooser, "yes" or "no" for a question; "cancel"
    // cancels.
    std::string value;
};

// An open dialog as a script sees and uses it.
class ScriptedDialog {
public:
    virtual ~ScriptedDialog() = default;
    virtual int32_t resourceId() const = 0;
    virtual bool isOpen() const = 0;
    virtual bool hasGadget(int32_t id) const = 0;
    // The ID of the gadget with that name in the dialog's layout, or 0.
    virtual int32_t gadgetId(const std::string& name) const = 0;
    virtual bool isEnabled(int32_t id) const = 0;
    // The gadget's value as text: "true"/"false", a number, or the text it shows.
    virtual std::string valueText(int32_t id) const = 0;
    // What a user does: types or picks a value (check boxes take true/false, on/off, yes/no or
    // 1/0; choosers a choice's ID or name), or clicks (a button, or a check box, which toggles).
    // The dialog hears of it as a user's change. False with a reason when the gadget is missing,
    // disabled or does not take the value.
    virtual bool set(int32_t id, const std::string& value, std::string& error) = 0;
    virtual bool press(int32_t id, std::string& error) = 0;
};

struct DialogStep {
    enum class Action { Set, Press };
    Action action = Action::Press;
    // The gadget by ID, or by its name in the layout when the ID is 0.
    int32_t gadget = 0;
    std::string gadgetName;
    std::string value;
};

// What is done in one dialog: its steps in order, then the driver, a function that can look at
// the dialog before it acts (the command line uses one).
struct DialogScript {
    // The dialog resource it is for; 0 for whatever dialog opens next.
    int32_t resource = 0;
    std::vector<DialogStep> steps;
    std::function<void(ScriptedDialog&)> driver;
};

class UiScript {
public:
    // Queues an answer for the next prompt of `kind` (none: any prompt) and, when `title` is
    // not empty, that title.
    void answer(std::optional<UiPrompt::Kind> kind, const std::string& value,
                const std::string& title = std::string());
    // Queues an answer for whatever prompt comes next.
    void push(const std::string& value) { answer(std::nullopt, value); }
    void dialog(DialogScript script) { dialogs_.push_back(std::move(script)); }
    void clear();

    // Reads a script text (docs/headless-host.md describes it) and queues what it says; false
    // with the line and the reason in `error`, queueing nothing.
    bool parse(const std::string& text, std::string& error);

    std::size_t pending() const { return answers_.size(); }
    // Queued answers that a prompt of `kind` could take.
    std::size_t pending(UiPrompt::Kind kind) const;
    std::size_t pendingDialogs() const { return dialogs_.size(); }
    const std::deque<UiAnswer>& answers() const { return answers_; }

    // Takes the first queued answer that fits the prompt; none when nothing fits or the answer
    // is "cancel": the prompt is then cancelled.
    std::optional<std::string> take(UiPrompt::Kind kind, const std::string& title);
    // Takes the first dialog script for that resource (or for any dialog).
    std::optional<DialogScript> takeDialog(int32_t resource);

    void record(UiPrompt prompt) { transcript_.push_back(std::move(prompt)); }
    const std::vector<UiPrompt>& transcript() const { return transcript_; }

private:
    std::deque<UiAnswer> answers_;
    std::deque<DialogScript> dialogs_;
    std::vector<UiPrompt> transcript_;
};

} // namespace headless
