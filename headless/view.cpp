#include "headless/view.h"

#include "plugin/host/host_ids.h"

namespace headless {

HView::HView() : editorCamera_(std::make_unique<HObject>(HostType::kCamera)) {
    editorCamera_->setName("Editor Camera");
}

HostObject* HView::sceneCamera() const {
    HostNode* node = sceneCamera_ != 0 ? findRegisteredNode(sceneCamera_) : nullptr;
    return node != nullptr ? node->toObject() : nullptr;
}

void HView::setSceneCamera(HostObject* camera) {
    sceneCamera_ = camera ? camera->uid() : 0;
}

void HView::drawLine(const Vector& from, const Vector& to) {
    lines_.push_back({from, to, pen_, false});
}

void HView::drawLine2D(const Vector& from, const Vector& to) {
    lines_.push_back({from, to, pen_, true});
}

} // namespace headless
