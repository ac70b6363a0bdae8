// Evaluation of a headless document: every generator's cache and every deformed copy rebuilt
// from the objects and parameters as they stand, and the commands built on it.
#pragma once

#include "headless/document.h"
#include "headless/view.h"

#include <memory>

namespace headless {

// Caches deeper than this (generators inside generated objects) are not built: an evaluation
// always ends, whatever links the objects hold.
constexpr int kMaxCacheDepth = 16;
// At most this many caches are built in one evaluation, so that instances whose copies hold
// further instances of each other cannot multiply without end.
constexpr long kMaxCachesPerEvaluation = 1000000;

// Rebuilds the caches of the whole document. Primitives get the polygon object of their
// parameters, the subdivision generator the subdivided copy of its first child (which becomes its
// input, state bit 512), plug-in objects their virtual objects (asked with `generateFlags`);
// objects below an enabled twist deformer get a deformed copy. Objects without a generator role
// lose any cache they had.
void evaluateDocument(HDocument& doc, int32_t generateFlags = HostGenerate::kForRendering);
// The same for one object and the objects below it.
void evaluateObject(HObject& object, int32_t generateFlags, int depth = 0);

// The object's current state (its deformed or generated geometry, joined into one) as a new
// editable polygon object with the object's name, local matrix and tags; null for an object with
// no polygons in any state.
std::unique_ptr<HObject> currentStateToObject(HObject& object);

// The editor's object drawing pass: each plug-in object of the document draws into `view`.
void drawDocument(HDocument& doc, HView& view);

} // namespace headless
