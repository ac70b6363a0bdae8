// The view's frame and safe frame: where in the view the rendered image appears.
#include "headless/document.h"
#include "headless/view.h"
#include "plugin/host/render_data.h"

#include <cmath>

namespace headless {

namespace {
constexpr int32_t kHorizontal = 1;
constexpr int32_t kVertical = 2;
} // namespace

void HView::setSize(int32_t width, int32_t height) {
    width_ = width > 0 ? width : 1;
    height_ = height > 0 ? height : 1;
}

bool HView::frame(HostViewFrame& frame) const {
    frame = {0, 0, width_ - 1, height_ - 1};
    return true;
}

bool HView::safeFrame(HostSafeFrame& safeFrame) const {
    const HostRenderData* renderData = document_ ? document_->activeRenderData() : nullptr;
    if (renderData == nullptr) {
        return false;
    }
    const int32_t renderWidth = renderData->data().getInt(HostRenderParam::kWidth);
    const int32_t renderHeight = renderData->data().getInt(HostRenderParam::kHeight);
    if (renderWidth <= 0 || renderHeight <= 0) {
        return false;
    }
    const double renderAspect = double(renderWidth) / double(renderHeight);
    const double viewAspect = double(width_) / double(height_);
    if (renderAspect >= viewAspect) {
        // Wider than the view: full width, bars above and below.
        const int32_t shown = int32_t(std::lround(double(width_) / renderAspect));
        const int32_t from = (height_ - shown) / 2;
        safeFrame = {from, from + shown - 1, kVertical};
    } else {
        const int32_t shown = int32_t(std::lround(double(height_) * renderAspect));
        const int32_t from = (width_ - shown) / 2;
        safeFrame = {from, from + shown - 1, kHorizontal};
    }
    return true;
}

} // namespace headless
