#include "headless/dialog_window.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace headless {

namespace {

HostValue zeroValue(GadgetKind kind) {
    switch (kind) {
    case GadgetKind::Checkbox:
        return HostValue(false);
    case GadgetKind::Integer:
    case GadgetKind::Chooser:
        return HostValue(int32_t(0));
    case GadgetKind::Real:
        return HostValue(Real(0));
    case GadgetKind::Text:
    case GadgetKind::Edit:
        return HostValue(std::string());
    case GadgetKind::Group:
    case GadgetKind::Separator:
    case GadgetKind::Button:
        break;
    }
    return HostValue();
}

// The layout's first value; parseDialogResource has checked that it fits the kind.
HostValue firstValue(const DialogGadget& g) {
    if (g.value.empty()) {
        return zeroValue(g.kind);
    }
    switch (g.kind) {
    case GadgetKind::Checkbox:
        return HostValue(g.value == "true");
    case GadgetKind::Integer:
    case GadgetKind::Chooser:
        return HostValue(int32_t(std::strtol(g.value.c_str(), nullptr, 10)));
    case GadgetKind::Real:
        return HostValue(Real(std::strtod(g.value.c_str(), nullptr)));
    case GadgetKind::Text:
    case GadgetKind::Edit:
        return HostValue(g.value);
    case GadgetKind::Group:
    case GadgetKind::Separator:
    case GadgetKind::Button:
        break;
    }
    return HostValue();
}

bool boolWord(const std::string& text, bool& value) {
    std::string t = text;
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return std::tolower(c); });
    if (t == "true" || t == "on" || t == "yes" || t == "1") {
        value = true;
        return true;
    }
    if (t == "false" || t == "off" || t == "no" || t == "0") {
        value = false;
        return true;
    }
    return false;
}

bool wholeNumber(const std::string& text, long long& value) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0';
}

bool number(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(value);
}

std::string describe(int32_t id, const DialogGadget* g) {
    std::string text = "gadget " + std::to_string(id);
    if (g != nullptr && !g->name.empty()) {
        text += " (" + g->name + ")";
    }
    return text;
}

int32_t toInt32(double v) {
    if (v >= 2147483647.0) {
        return INT32_MAX;
    }
    if (v <= -2147483648.0) {
        return INT32_MIN;
    }
    return int32_t(v);
}

} // namespace

bool HDialogWindow::loadLayout(int32_t resourceId) {
    const DialogResource* layout = resources_.dialog(resourceId);
    if (layout == nullptr) {
        return false;
    }
    layout_ = layout;
    gadgets_.clear();
    closed_ = false;
    result_ = false;
    for (const DialogGadget& g : layout->gadgets) {
        if (g.id == 0) {
            continue;
        }
        Gadget gadget;
        gadget.definition = &g;
        gadget.value = firstValue(g);
        gadget.enabled = g.enabled;
        gadget.min = g.min;
        gadget.max = g.max;
        gadgets_[g.id] = gadget;
    }
    return true;
}

HDialogWindow::Gadget* HDialogWindow::find(int32_t id) {
    const auto it = gadgets_.find(id);
    return it == gadgets_.end() ? nullptr : &it->second;
}

const HDialogWindow::Gadget* HDialogWindow::find(int32_t id) const {
    const auto it = gadgets_.find(id);
    return it == gadgets_.end() ? nullptr : &it->second;
}

bool HDialogWindow::setBool(int32_t id, bool value) {
    Gadget* g = find(id);
    if (g == nullptr || g->definition->kind != GadgetKind::Checkbox) {
        return false;
    }
    g->value = HostValue(value);
    return true;
}

bool HDialogWindow::setInt(int32_t id, int32_t value, int32_t min, int32_t max, int32_t) {
    Gadget* g = find(id);
    if (g == nullptr) {
        return false;
    }
    switch (g->definition->kind) {
    case GadgetKind::Checkbox:
        g->value = HostValue(value != 0);
        return true;
    case GadgetKind::Integer:
        if (min > max) {
            std::swap(min, max);
        }
        g->min = min;
        g->max = max;
        g->value = HostValue(std::clamp(value, min, max));
        return true;
    case GadgetKind::Chooser:
        g->value = HostValue(value);
        return true;
    case GadgetKind::Real:
        g->value = HostValue(Real(value));
        return true;
    default:
        return false;
    }
}

bool HDialogWindow::setReal(int32_t id, Real value, Real min, Real max, Real) {
    Gadget* g = find(id);
    if (g == nullptr ||
        !(g->definition->kind == GadgetKind::Real || g->definition->kind == GadgetKind::Integer)) {
        return false;
    }
    if (min > max) {
        std::swap(min, max);
    }
    g->min = min;
    g->max = max;
    const Real clamped = std::clamp(value, min, max);
    g->value =
        g->definition->kind == GadgetKind::Real ? HostValue(clamped) : HostValue(toInt32(clamped));
    return true;
}

bool HDialogWindow::setString(int32_t id, const std::string& value) {
    Gadget* g = find(id);
    if (g == nullptr ||
        !(g->definition->kind == GadgetKind::Text || g->definition->kind == GadgetKind::Edit)) {
        return false;
    }
    g->value = HostValue(value);
    return true;
}

bool HDialogWindow::getBool(int32_t id, bool& value) const {
    const Gadget* g = find(id);
    if (g == nullptr) {
        return false;
    }
    if (const bool* b = g->value.get<bool>()) {
        value = *b;
        return true;
    }
    if (const int32_t* i = g->value.get<int32_t>()) {
        value = *i != 0;
        return true;
    }
    return false;
}

bool HDialogWindow::getInt(int32_t id, int32_t& value) const {
    const Gadget* g = find(id);
    if (g == nullptr) {
        return false;
    }
    if (const int32_t* i = g->value.get<int32_t>()) {
        value = *i;
        return true;
    }
    if (const bool* b = g->value.get<bool>()) {
        value = *b ? 1 : 0;
        return true;
    }
    if (const Real* r = g->value.get<Real>()) {
        value = toInt32(*r);
        return true;
    }
    return false;
}

bool HDialogWindow::getReal(int32_t id, Real& value) const {
    const Gadget* g = find(id);
    if (g == nullptr) {
        return false;
    }
    if (const Real* r = g->value.get<Real>()) {
        value = *r;
        return true;
    }
    if (const int32_t* i = g->value.get<int32_t>()) {
        value = Real(*i);
        return true;
    }
    return false;
}

bool HDialogWindow::getString(int32_t id, std::string& value) const {
    const Gadget* g = find(id);
    const std::string* s = g != nullptr ? g->value.get<std::string>() : nullptr;
    if (s == nullptr) {
        return false;
    }
    value = *s;
    return true;
}

bool HDialogWindow::enable(int32_t id, bool on) {
    Gadget* g = find(id);
    if (g == nullptr) {
        return false;
    }
    g->enabled = on;
    return true;
}

bool HDialogWindow::isEnabled(int32_t id) const {
    const Gadget* g = find(id);
    return g != nullptr && g->enabled;
}

bool HDialogWindow::close(bool result) {
    if (!isOpen()) {
        return false;
    }
    closed_ = true;
    result_ = result;
    return true;
}

void HDialogWindow::closeByUser() {
    close(false);
}

int32_t HDialogWindow::gadgetId(const std::string& name) const {
    for (const auto& [id, gadget] : gadgets_) {
        if (gadget.definition->name == name) {
            return id;
        }
    }
    return 0;
}

std::string HDialogWindow::valueText(int32_t id) const {
    const Gadget* g = find(id);
    if (g == nullptr) {
        return std::string();
    }
    if (const bool* b = g->value.get<bool>()) {
        return *b ? "true" : "false";
    }
    if (const int32_t* i = g->value.get<int32_t>()) {
        return std::to_string(*i);
    }
    if (const Real* r = g->value.get<Real>()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.9g", double(*r));
        return buffer;
    }
    if (const std::string* s = g->value.get<std::string>()) {
        return *s;
    }
    return std::string();
}

HDialogWindow::Gadget* HDialogWindow::usable(int32_t id, std::string& error) {
    if (!isOpen()) {
        error = "the dialog is not open";
        return nullptr;
    }
    Gadget* g = find(id);
    if (g == nullptr) {
        error = "dialog " + std::to_string(resourceId()) + " has no gadget " + std::to_string(id);
        return nullptr;
    }
    if (!g->enabled) {
        error = describe(id, g->definition) + " is disabled";
        return nullptr;
    }
    return g;
}

void HDialogWindow::sendAction(int32_t id) {
    HostContainer msg;
    msg.setInt(0, DialogMessage::kAction);
    msg.setInt(DialogMessage::kGadget, id);
    HostContainer result;
    dialog_.message(msg, result);
}

bool HDialogWindow::set(int32_t id, const std::string& value, std::string& error) {
    Gadget* g = usable(id, error);
    if (g == nullptr) {
        return false;
    }
    const DialogGadget& d = *g->definition;
    const std::string what = describe(id, &d);
    switch (d.kind) {
    case GadgetKind::Checkbox: {
        bool on = false;
        if (!boolWord(value, on)) {
            error = what + " is a check box: true or false, not \"" + value + "\"";
            return false;
        }
        g->value = HostValue(on);
        break;
    }
    case GadgetKind::Integer: {
        long long v = 0;
        if (!wholeNumber(value, v)) {
            error = what + " takes a whole number, not \"" + value + "\"";
            return false;
        }
        g->value =
            HostValue(int32_t(std::clamp<long long>(v, (long long)g->min, (long long)g->max)));
        break;
    }
    case GadgetKind::Real: {
        double v = 0;
        if (!number(value, v)) {
            error = what + " takes a number, not \"" + value + "\"";
            return false;
        }
        g->value = HostValue(Real(std::clamp(v, g->min, g->max)));
        break;
    }
    case GadgetKind::Chooser: {
        long long v = 0;
        const bool numeric = wholeNumber(value, v);
        const auto choice =
            std::find_if(d.choices.begin(), d.choices.end(), [&](const GadgetChoice& c) {
                return (numeric && c.id == v) || c.name == value || c.label == value;
            });
        if (choice == d.choices.end()) {
            error = what + " has no choice \"" + value + "\"";
            return false;
        }
        g->value = HostValue(choice->id);
        break;
    }
    case GadgetKind::Edit:
        g->value = HostValue(value);
        break;
    case GadgetKind::Text:
    case GadgetKind::Button:
    case GadgetKind::Group:
    case GadgetKind::Separator:
        error = what + " takes no value";
        return false;
    }
    sendAction(id);
    return true;
}

bool HDialogWindow::press(int32_t id, std::string& error) {
    Gadget* g = usable(id, error);
    if (g == nullptr) {
        return false;
    }
    const DialogGadget& d = *g->definition;
    if (d.kind == GadgetKind::Checkbox) {
        const bool* on = g->value.get<bool>();
        g->value = HostValue(!(on != nullptr && *on));
    } else if (d.kind != GadgetKind::Button) {
        error = describe(id, &d) + " cannot be pressed";
        return false;
    }
    sendAction(id);
    return true;
}

} // namespace headless
