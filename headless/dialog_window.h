// A dialog window of the headless host: the gadgets of a dialog layout with their values and
// enabled states, filled and read by the plug-in's dialog and used by the UI script as a user
// would use them. Every user change reaches the dialog as the host's action message.
#pragma once

#include "headless/resources.h"
#include "headless/ui_script.h"
#include "plugin/host/container.h"
#include "plugin/host/dialog.h"

#include <cstdint>
#include <map>
#include <string>

namespace headless {

class HDialogWindow final : public HostDialog, public ScriptedDialog {
public:
    HDialogWindow(const ResourceSet& resources, GeDialog& dialog)
        : resources_(resources), dialog_(dialog) {}

    // --- HostDialog: what the plug-in's dialog does with its window.
    bool loadLayout(int32_t resourceId) override;
    bool setBool(int32_t id, bool value) override;
    bool setInt(int32_t id, int32_t value, int32_t min, int32_t max, int32_t step) override;
    bool setReal(int32_t id, Real value, Real min, Real max, Real step) override;
    bool setString(int32_t id, const std::string& value) override;
    bool getBool(int32_t id, bool& value) const override;
    bool getInt(int32_t id, int32_t& value) const override;
    bool getReal(int32_t id, Real& value) const override;
    bool getString(int32_t id, std::string& value) const override;
    bool enable(int32_t id, bool on) override;
    bool isEnabled(int32_t id) const override;
    bool close(bool result) override;

    // --- ScriptedDialog: what the user does.
    int32_t resourceId() const override { return layout_ ? layout_->id : 0; }
    // From the layout's loading until the dialog or the user closes it.
    bool isOpen() const override { return layout_ != nullptr && !closed_; }
    bool hasGadget(int32_t id) const override { return gadgets_.count(id) != 0; }
    int32_t gadgetId(const std::string& name) const override;
    std::string valueText(int32_t id) const override;
    bool set(int32_t id, const std::string& value, std::string& error) override;
    bool press(int32_t id, std::string& error) override;

    const DialogResource* layout() const { return layout_; }
    bool closed() const { return closed_; }
    bool result() const { return result_; }
    // The user closes the window: the dialog returns false.
    void closeByUser();

private:
    struct Gadget {
        const DialogGadget* definition = nullptr;
        HostValue value;
        bool enabled = true;
        double min = -2147483648.0;
        double max = 2147483647.0;
    };

    Gadget* find(int32_t id);
    const Gadget* find(int32_t id) const;
    // Finds a gadget the user can reach, or says why not.
    Gadget* usable(int32_t id, std::string& error);
    void sendAction(int32_t id);

    const ResourceSet& resources_;
    GeDialog& dialog_;
    const DialogResource* layout_ = nullptr;
    std::map<int32_t, Gadget> gadgets_;
    bool closed_ = false;
    bool result_ = false;
};

} // namespace headless
