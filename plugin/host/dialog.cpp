#include "plugin/host/dialog.h"

#include "plugin/host/application.h"

bool GeDialog::createLayout() {
    return true;
}
bool GeDialog::initValues() {
    return true;
}
bool GeDialog::command(int32_t, const HostContainer&) {
    return true;
}

int32_t GeDialog::message(const HostContainer& msg, HostContainer&) {
    if (msg.getInt(0) == DialogMessage::kAction) {
        return command(msg.getInt(DialogMessage::kGadget), msg) ? 1 : 0;
    }
    return 0;
}

bool GeDialog::open(bool modal) {
    HostApplication* app = hostOrNull();
    return app != nullptr && app->openDialog(*this, modal);
}

bool GeDialog::loadDialogResource(int32_t resourceId) {
    return hostDialog_ && hostDialog_->loadLayout(resourceId);
}
bool GeDialog::setBool(int32_t id, bool value) {
    return hostDialog_ && hostDialog_->setBool(id, value);
}
bool GeDialog::setInt(int32_t id, int32_t value, int32_t min, int32_t max, int32_t step) {
    return hostDialog_ && hostDialog_->setInt(id, value, min, max, step);
}
bool GeDialog::setReal(int32_t id, Real value, Real min, Real max, Real step) {
    return hostDialog_ && hostDialog_->setReal(id, value, min, max, step);
}
bool GeDialog::setString(int32_t id, const std::string& value) {
    return hostDialog_ && hostDialog_->setString(id, value);
}
bool GeDialog::getBool(int32_t id, bool& value) const {
    return hostDialog_ && hostDialog_->getBool(id, value);
}
bool GeDialog::getInt(int32_t id, int32_t& value) const {
    return hostDialog_ && hostDialog_->getInt(id, value);
}
bool GeDialog::getReal(int32_t id, Real& value) const {
    return hostDialog_ && hostDialog_->getReal(id, value);
}
bool GeDialog::getString(int32_t id, std::string& value) const {
    return hostDialog_ && hostDialog_->getString(id, value);
}
bool GeDialog::enable(int32_t id, bool on) {
    return hostDialog_ && hostDialog_->enable(id, on);
}
bool GeDialog::close(bool result) {
    return hostDialog_ && hostDialog_->close(result);
}
