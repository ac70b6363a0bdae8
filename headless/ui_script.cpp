#include "headless/ui_script.h"

namespace headless {

std::optional<std::string> UiScript::next() {
    if (answers_.empty()) {
        return std::nullopt;
    }
    std::string answer = answers_.front();
    answers_.pop_front();
    if (answer == "cancel") {
        return std::nullopt;
    }
    return answer;
}

} // namespace headless
