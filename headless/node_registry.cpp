#include "headless/node_registry.h"

#include <unordered_map>

namespace headless {

namespace {

std::unordered_map<uint64_t, HostNode*>& registry() {
    static std::unordered_map<uint64_t, HostNode*> nodes;
    return nodes;
}

uint64_t g_nextUid = 1;

} // namespace

uint64_t registerNode(HostNode* node) {
    while (registry().count(g_nextUid) != 0) {
        ++g_nextUid;
    }
    const uint64_t uid = g_nextUid++;
    registry()[uid] = node;
    return uid;
}

uint64_t registerNodeAs(HostNode* node, uint64_t uid) {
    if (uid == 0 || registry().count(uid) != 0) {
        return registerNode(node);
    }
    registry()[uid] = node;
    if (uid >= g_nextUid) {
        g_nextUid = uid + 1;
    }
    return uid;
}

void unregisterNode(uint64_t uid) {
    registry().erase(uid);
}

HostNode* findRegisteredNode(uint64_t uid) {
    const auto it = registry().find(uid);
    return it == registry().end() ? nullptr : it->second;
}

} // namespace headless
