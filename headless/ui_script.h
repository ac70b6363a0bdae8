// Answers to the prompts a plug-in shows: file and directory choosers, yes/no questions and
// message boxes. Tests and the command line queue the answers in order; a prompt with no answer
// left is cancelled. Every prompt is recorded.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace headless {

struct UiPrompt {
    enum class Kind { Message, Question, LoadFile, SaveFile, Directory, Dialog };
    Kind kind = Kind::Message;
    // The message, the question or the chooser's title.
    std::string text;
    // What was answered; empty for a cancelled prompt or a message box.
    std::string answer;
    bool cancelled = false;
};

class UiScript {
public:
    // Queues an answer: a path (native or Windows text) for a chooser, "yes" or "no" for a
    // question, "cancel" to cancel whatever prompt comes.
    void push(const std::string& answer) { answers_.push_back(answer); }
    void clear() { answers_.clear(); }
    std::size_t pending() const { return answers_.size(); }

    // The next answer, or none: the prompt is then cancelled.
    std::optional<std::string> next();

    void record(UiPrompt prompt) { transcript_.push_back(std::move(prompt)); }
    const std::vector<UiPrompt>& transcript() const { return transcript_; }

private:
    std::deque<std::string> answers_;
    std::vector<UiPrompt> transcript_;
};

} // namespace headless
