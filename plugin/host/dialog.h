// Dialogs. A plug-in derives from GeDialog or GeModalDialog and overrides the callbacks; the host
// calls them while the dialog is open and carries out the gadget calls on its own dialog window.
#pragma once

#include "plugin/host/container.h"

#include <cstdint>
#include <string>

// Message IDs a dialog receives.
namespace DialogMessage {
// A gadget changed or a button was pressed; the container's kGadget entry names it.
constexpr int32_t kAction = 1648444244;
constexpr int32_t kGadget = 1;
} // namespace DialogMessage

// The host side of an open dialog.
class HostDialog {
public:
    virtual ~HostDialog() = default;
    virtual bool loadLayout(int32_t resourceId) = 0;
    virtual bool setBool(int32_t id, bool value) = 0;
    virtual bool setInt(int32_t id, int32_t value, int32_t min, int32_t max, int32_t step) = 0;
    virtual bool setReal(int32_t id, Real value, Real min, Real max, Real step) = 0;
    virtual bool setString(int32_t id, const std::string& value) = 0;
    virtual bool getBool(int32_t id, bool& value) const = 0;
    virtual bool getInt(int32_t id, int32_t& value) const = 0;
    virtual bool getReal(int32_t id, Real& value) const = 0;
    virtual bool getString(int32_t id, std::string& value) const = 0;
    virtual bool enable(int32_t id, bool on) = 0;
    virtual bool isEnabled(int32_t id) const = 0;
    virtual bool close(bool result) = 0;
};

class GeDialog {
public:
    virtual ~GeDialog() = default;

    // Build the layout, normally with loadDialogResource.
    virtual bool createLayout();
    // Set the gadgets' first values; false keeps the dialog from opening.
    virtual bool initValues();
    // A gadget was used.
    virtual bool command(int32_t id, const HostContainer& msg);
    // Every message the dialog receives; the default turns action messages into command calls.
    virtual int32_t message(const HostContainer& msg, HostContainer& result);

    // Opens the dialog at the host's default position and size and returns when it closes
    // (modal) with its result.
    bool open(bool modal);

    bool loadDialogResource(int32_t resourceId);
    bool setBool(int32_t id, bool value);
    bool setInt(int32_t id, int32_t value, int32_t min = INT32_MIN, int32_t max = INT32_MAX,
                int32_t step = 1);
    bool setReal(int32_t id, Real value, Real min, Real max, Real step);
    bool setString(int32_t id, const std::string& value);
    bool getBool(int32_t id, bool& value) const;
    bool getInt(int32_t id, int32_t& value) const;
    bool getReal(int32_t id, Real& value) const;
    bool getString(int32_t id, std::string& value) const;
    bool enable(int32_t id, bool on);
    bool close(bool result);

    // Called by the host when the dialog opens (its window) and closes (null).
    void attachHostDialog(HostDialog* hostDialog) { hostDialog_ = hostDialog; }

private:
    HostDialog* hostDialog_ = nullptr;
};

class GeModalDialog : public GeDialog {
public:
    bool open() { return GeDialog::open(true); }
};
