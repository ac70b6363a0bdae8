// Document time and evaluation: the animation at the current time, the tags' expressions, then
// the caches of generators and deformers rebuilt from the parameters this left.
#include "headless/document.h"
#include "headless/evaluation.h"

#include "plugin/host/plugin_data.h"

namespace headless {

bool HDocument::setFps(int32_t fps) {
    if (fps < 1) {
        return false;
    }
    fps_ = fps;
    return true;
}

bool HDocument::evaluate() {
    evaluations_.push_back(time_);
    animation_.apply(*this, time_.seconds);
    bool ok = true;
    forEachObject(firstObject(), [&](HostObject* object) {
        for (HostTag* tag = object->firstTag(); tag != nullptr; tag = tag->next()) {
            // Only tag plug-ins get a tag node a plug-in instance, so the instance is a TagData.
            auto* expression = static_cast<TagData*>(tag->pluginData());
            if (expression != nullptr && expression->execute(tag, this, object) != 0) {
                ok = false;
            }
        }
    });
    evaluateDocument(*this);
    return ok;
}

} // namespace headless
