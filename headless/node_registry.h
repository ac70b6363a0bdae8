// Every live node of the headless host by its unique ID, so that links resolve in constant time.
#pragma once

#include <cstdint>

class HostNode;

namespace headless {

// Registers `node` under a fresh ID and returns it (never 0).
uint64_t registerNode(HostNode* node);
// Registers `node` under `uid` when no live node holds it, else under a fresh ID; returns the ID.
uint64_t registerNodeAs(HostNode* node, uint64_t uid);
void unregisterNode(uint64_t uid);
HostNode* findRegisteredNode(uint64_t uid);

} // namespace headless
