#include "headless/ui_script.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace headless {

namespace {

constexpr UiPrompt::Kind kAllKinds[] = {UiPrompt::Kind::Message,   UiPrompt::Kind::Question,
                                        UiPrompt::Kind::LoadFile,  UiPrompt::Kind::SaveFile,
                                        UiPrompt::Kind::Directory, UiPrompt::Kind::Dialog};

bool fits(const UiAnswer& a, UiPrompt::Kind kind, const std::string& title) {
    return (!a.kind || *a.kind == kind) && (a.title.empty() || a.title == title);
}

std::string trim(const std::string& s) {
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && std::isspace((unsigned char)s[begin])) {
        ++begin;
    }
    while (end > begin && std::isspace((unsigned char)s[end - 1])) {
        --end;
    }
    return s.substr(begin, end - begin);
}

// Splits off the first word of `rest`.
std::string firstWord(std::string& rest) {
    rest = trim(rest);
    std::size_t end = 0;
    while (end < rest.size() && !std::isspace((unsigned char)rest[end])) {
        ++end;
    }
    std::string word = rest.substr(0, end);
    rest = trim(rest.substr(end));
    return word;
}

// A value in double quotes keeps its blanks; the quotes go.
std::string unquote(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool parseGadget(const std::string& word, int32_t& id) {
    if (word.empty() || word.size() > 10) {
        return false;
    }
    long long v = 0;
    for (char c : word) {
        if (!std::isdigit((unsigned char)c)) {
            return false;
        }
        v = v * 10 + (c - '0');
    }
    if (v > INT32_MAX) {
        return false;
    }
    id = int32_t(v);
    return true;
}

} // namespace

const char* promptKindName(UiPrompt::Kind kind) {
    switch (kind) {
    case UiPrompt::Kind::Message:
        return "message";
    case UiPrompt::Kind::Question:
        return "question";
    case UiPrompt::Kind::LoadFile:
        return "load";
    case UiPrompt::Kind::SaveFile:
        return "save";
    case UiPrompt::Kind::Directory:
        return "directory";
    case UiPrompt::Kind::Dialog:
        return "dialog";
    }
    return "prompt";
}

bool promptKindFromName(const std::string& name, UiPrompt::Kind& kind) {
    for (UiPrompt::Kind k : kAllKinds) {
        if (name == promptKindName(k)) {
            kind = k;
            return true;
        }
    }
    return false;
}

void UiScript::answer(std::optional<UiPrompt::Kind> kind, const std::string& value,
                      const std::string& title) {
    answers_.push_back(UiAnswer{kind, title, value});
}

void UiScript::clear() {
    answers_.clear();
    dialogs_.clear();
}

std::size_t UiScript::pending(UiPrompt::Kind kind) const {
    return std::size_t(std::count_if(answers_.begin(), answers_.end(), [kind](const UiAnswer& a) {
        return !a.kind || *a.kind == kind;
    }));
}

std::optional<std::string> UiScript::take(UiPrompt::Kind kind, const std::string& title) {
    const auto it = std::find_if(answers_.begin(), answers_.end(),
                                 [&](const UiAnswer& a) { return fits(a, kind, title); });
    if (it == answers_.end()) {
        return std::nullopt;
    }
    std::string value = it->value;
    answers_.erase(it);
    if (value == "cancel") {
        return std::nullopt;
    }
    return value;
}

std::optional<DialogScript> UiScript::takeDialog(int32_t resource) {
    const auto it =
        std::find_if(dialogs_.begin(), dialogs_.end(), [resource](const DialogScript& d) {
            return d.resource == 0 || d.resource == resource;
        });
    if (it == dialogs_.end()) {
        return std::nullopt;
    }
    DialogScript script = std::move(*it);
    dialogs_.erase(it);
    return script;
}

bool UiScript::parse(const std::string& text, std::string& error) {
    std::deque<UiAnswer> answers;
    std::deque<DialogScript> dialogs;
    std::optional<DialogScript> open;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(number) + ": " + why;
        return false;
    };
    while (std::getline(in, line)) {
        ++number;
        std::string rest = trim(line);
        if (rest.empty() || rest[0] == '#') {
            continue;
        }
        const std::string word = firstWord(rest);
        if (word == "dialog") {
            if (open) {
                return fail("a dialog block inside another; close the first with end");
            }
            DialogScript script;
            if (!rest.empty() && !parseGadget(rest, script.resource)) {
                return fail("a dialog resource is a number: " + rest);
            }
            open = std::move(script);
        } else if (word == "end") {
            if (!open) {
                return fail("end without dialog");
            }
            dialogs.push_back(std::move(*open));
            open.reset();
        } else if (word == "set" || word == "press") {
            if (!open) {
                return fail(word + " outside a dialog block");
            }
            DialogStep step;
            step.action = word == "set" ? DialogStep::Action::Set : DialogStep::Action::Press;
            const std::string gadget = firstWord(rest);
            if (gadget.empty()) {
                return fail(word + " needs a gadget ID or name");
            }
            if (!parseGadget(gadget, step.gadget)) {
                step.gadgetName = gadget;
            }
            if (step.action == DialogStep::Action::Set) {
                if (rest.empty()) {
                    return fail("set needs a value");
                }
                step.value = unquote(rest);
            } else if (!rest.empty()) {
                return fail("press takes only a gadget");
            }
            open->steps.push_back(step);
        } else {
            UiAnswer a;
            UiPrompt::Kind kind;
            if (word != "any") {
                if (!promptKindFromName(word, kind) || kind == UiPrompt::Kind::Message ||
                    kind == UiPrompt::Kind::Dialog) {
                    return fail("unknown step: " + word);
                }
                a.kind = kind;
            }
            // A quoted text with more after it is the title; alone, it is the answer.
            if (!rest.empty() && rest[0] == '"') {
                const std::size_t close = rest.find('"', 1);
                if (close == std::string::npos) {
                    return fail("a quoted text without its closing quote");
                }
                const std::string after = trim(rest.substr(close + 1));
                if (!after.empty()) {
                    a.title = rest.substr(1, close - 1);
                    rest = after;
                }
            }
            if (rest.empty()) {
                return fail(word + " needs an answer");
            }
            a.value = unquote(rest);
            answers.push_back(std::move(a));
        }
    }
    if (open) {
        ++number;
        return fail("a dialog block without end");
    }
    answers_.insert(answers_.end(), answers.begin(), answers.end());
    for (DialogScript& d : dialogs) {
        dialogs_.push_back(std::move(d));
    }
    return true;
}

} // namespace headless
