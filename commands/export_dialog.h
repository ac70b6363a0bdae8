// The export options dialog: shows the renderer's executable, restores the options of the last
// export, asks for the scene file (and optionally an output image), runs the export job and saves
// the options. Modal; a new dialog is made for every use of "Export and Run".
#pragma once

#include "plugin/host/dialog.h"
#include "plugin/host/filename.h"

#include <cstdint>

struct LastSettings;

class MyExportDialog : public GeModalDialog {
public:
    // `exportFlag` is the plug-in-wide export-in-progress flag (may be null).
    explicit MyExportDialog(uint8_t* exportFlag) : exportFlag_(exportFlag) {}
    ~MyExportDialog() override = default;

    // Loads dialog resource 10021; without it the dialog does not open.
    bool createLayout() override;
    // The built-in first values, the renderer path (the directory chooser once when the settings
    // file has none; false, so that the dialog does not open, when it still cannot be read), the
    // last export's options and the enabling rules.
    bool initValues() override;
    // Export, Cancel and the renderer directory button.
    bool command(int32_t id, const HostContainer& msg) override;
    // Applies the enabling rules on every gadget change before the command handler runs.
    int32_t message(const HostContainer& msg, HostContainer& result) override;

    const HostFilename& rendererPath() const { return rendererPath_; }
    const HostFilename& sceneFile() const { return sceneFile_; }

private:
    void setBuiltInValues();
    void showSettings(const LastSettings& settings);
    LastSettings readGadgets() const;
    bool gadgetBool(int32_t id) const;
    int32_t gadgetInt(int32_t id) const;
    void applyEnablingRules();
    void showRendererPath();
    void exportAndSaveOptions();
    void chooseDirectory();

    HostFilename rendererPath_;
    HostFilename sceneFile_;
    uint8_t* exportFlag_;
};
