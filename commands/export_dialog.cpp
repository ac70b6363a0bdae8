#include "commands/export_dialog.h"

#include "commands/export_dialog_ids.h"
#include "commands/export_job.h"
#include "commands/settings_file.h"
#include "plugin/host/application.h"
#include "plugin/host/document.h"

namespace {

// The option gadgets that only the settings file can change.
constexpr int32_t kAlwaysDisabled[] = {EXPORTDLG_EXPORT_ANIMATION, EXPORTDLG_SEPERATE_SETTINGS,
                                       EXPORTDLG_SEPERATE_MATS, EXPORTDLG_NOGEOMETRY};

} // namespace

bool MyExportDialog::createLayout() {
    return loadDialogResource(EXPORTDLG_RESOURCE);
}

void MyExportDialog::setBuiltInValues() {
    // The other option gadgets keep the values the dialog resource gives them.
    setBool(EXPORTDLG_EXPORTANDRUN, true);
    setBool(EXPORTDLG_STARTMASTER, false);
    setBool(EXPORTDLG_RENDERALPHA, false);
    setBool(EXPORTDLG_EXPORT_ANIMATION, false);
    setBool(EXPORTDLG_EXPORT_ANIMATION_STATIC, true);
    setBool(EXPORTDLG_CONSOLEMODE, false);
    setInt(EXPORTDLG_EXPORT_ANIMATION_START, 0);
    setInt(EXPORTDLG_EXPORT_ANIMATION_END, 0);
    setInt(EXPORTDLG_PRIORITY_ID, EXPORTDLG_PRIORITY_BELOW_NORMAL);
    setInt(EXPORTDLG_PORT_NUMBER, 7777);
}

bool MyExportDialog::initValues() {
    setBuiltInValues();
    if (!readRendererLocation(rendererPath_, true, false)) {
        chooseRendererDirectory();
        if (!readRendererLocation(rendererPath_, true, false)) {
            return false;
        }
    }
    showRendererPath();
    if (const std::optional<LastSettings> last = readLastSettings()) {
        showSettings(*last);
    }
    applyEnablingRules();
    return true;
}

void MyExportDialog::showRendererPath() {
    setString(EXPORTDLG_RENDERER_PATH, rendererPath_.text());
}

void MyExportDialog::showSettings(const LastSettings& settings) {
    for (const LastSettingsKey& key : kLastSettingsKeys) {
        const int32_t value = settings.*key.field;
        if (key.isBool) {
            setBool(key.gadget, value != 0);
        } else {
            setInt(key.gadget, value);
        }
    }
}

bool MyExportDialog::gadgetBool(int32_t id) const {
    bool value = false;
    getBool(id, value);
    return value;
}

int32_t MyExportDialog::gadgetInt(int32_t id) const {
    int32_t value = 0;
    getInt(id, value);
    return value;
}

LastSettings MyExportDialog::readGadgets() const {
    LastSettings settings;
    for (const LastSettingsKey& key : kLastSettingsKeys) {
        settings.*key.field = key.isBool ? (gadgetBool(key.gadget) ? 1 : 0) : gadgetInt(key.gadget);
    }
    return settings;
}

void MyExportDialog::applyEnablingRules() {
    const bool run = gadgetBool(EXPORTDLG_EXPORTANDRUN);
    enable(EXPORTDLG_PRIORITY_ID, run);
    enable(EXPORTDLG_CONSOLEMODE, run);
    enable(EXPORTDLG_STARTMASTER, run);
    enable(EXPORTDLG_PORT_NUMBER, run && gadgetBool(EXPORTDLG_STARTMASTER));
    const bool animation = gadgetBool(EXPORTDLG_EXPORT_ANIMATION);
    enable(EXPORTDLG_EXPORT_ANIMATION_START, animation);
    enable(EXPORTDLG_EXPORT_ANIMATION_END, animation);
    enable(EXPORTDLG_EXPORT_ANIMATION_STATIC, animation);
    for (int32_t id : kAlwaysDisabled) {
        enable(id, false);
    }
}

int32_t MyExportDialog::message(const HostContainer& msg, HostContainer& result) {
    if (msg.getInt(0) == DialogMessage::kAction) {
        applyEnablingRules();
    }
    return GeModalDialog::message(msg, result);
}

bool MyExportDialog::command(int32_t id, const HostContainer&) {
    switch (id) {
    case EXPORTDLG_EXPORT:
        exportAndSaveOptions();
        break;
    case EXPORTDLG_CANCEL:
        close(false);
        break;
    case EXPORTDLG_CHOOSE_DIR:
        chooseDirectory();
        break;
    default:
        break;
    }
    return true;
}

void MyExportDialog::chooseDirectory() {
    chooseRendererDirectory();
    readRendererLocation(rendererPath_, true, false);
    showRendererPath();
    applyEnablingRules();
}

void MyExportDialog::exportAndSaveOptions() {
    HostApplication& app = host();
    app.setCursor(HostCursor::kBusy);
    if (!app.fileSelect(HostFileSelect::Save, "Save zvs...", sceneFile_)) {
        return;
    }
    HostFilename imageFile;
    if (gadgetBool(EXPORTDLG_SPECIFY_RENDER_OUTPUT)) {
        if (!app.fileSelect(HostFileSelect::Save, "Save png...", imageFile)) {
            return;
        }
        imageFile.setSuffix("png");
    }
    sceneFile_.setSuffix("zvs");
    if (app.fileExists(sceneFile_) && !app.questionDialog("File already exists. Overwrite?")) {
        return;
    }
    HostDocument* doc = app.activeDocument();
    ExportJob job;
    job.document = doc;
    job.sceneFile = sceneFile_;
    job.imageFile = imageFile;
    job.exportAndRun = gadgetBool(EXPORTDLG_EXPORTANDRUN);
    job.startMaster = gadgetBool(EXPORTDLG_STARTMASTER);
    job.renderAlpha = gadgetBool(EXPORTDLG_RENDERALPHA);
    job.noGeometry = gadgetBool(EXPORTDLG_NOGEOMETRY);
    job.renderClay = gadgetBool(EXPORTDLG_RENDERCLAY);
    job.separateMaterials = gadgetBool(EXPORTDLG_SEPERATE_MATS);
    job.separateSettings = gadgetBool(EXPORTDLG_SEPERATE_SETTINGS);
    if (gadgetBool(EXPORTDLG_EXPORT_ANIMATION)) {
        job.firstFrame = gadgetInt(EXPORTDLG_EXPORT_ANIMATION_START);
        job.lastFrame = gadgetInt(EXPORTDLG_EXPORT_ANIMATION_END);
        job.animationStatic = gadgetBool(EXPORTDLG_EXPORT_ANIMATION_STATIC);
    } else if (doc != nullptr) {
        job.firstFrame = job.lastFrame = doc->time().frame(doc->fps());
        job.animationStatic = true;
    }
    if (job.exportAndRun) {
        job.belowNormal = gadgetInt(EXPORTDLG_PRIORITY_ID) == EXPORTDLG_PRIORITY_BELOW_NORMAL;
        job.port = gadgetInt(EXPORTDLG_PORT_NUMBER);
        job.console = gadgetBool(EXPORTDLG_CONSOLEMODE);
    }
    job.exportFlag = exportFlag_;
    runExportJob(job);
    writeSettingsFile(readGadgets(), std::nullopt);
    close(true);
}
