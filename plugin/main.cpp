// The module's one exported entry. The host calls it with an action code while it starts and
// ends, and with messages in between.
#include "plugin/entry.h"

extern "C" __attribute__((visibility("default"))) int32_t c4d_main(int32_t action, void* p1,
                                                                   void* p2, void* p3) {
    return pluginMain(action, p1, p2, p3);
}
