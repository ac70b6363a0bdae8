// Editing state of a document: object selection, undo steps, document settings and messages.
#include "headless/document.h"

namespace headless {

std::vector<HostObject*> HDocument::activeObjects(bool children) const {
    std::vector<HostObject*> active;
    // With children off, the selected objects below a selected object are left out: the walk
    // skips the subtree of every object it reports.
    std::vector<HostObject*> stack;
    for (HostObject* o = objects_.first; o != nullptr;) {
        const bool selected = static_cast<HObject*>(o)->selected();
        if (selected) {
            active.push_back(o);
        }
        HostObject* child = o->down();
        if (child != nullptr && (children || !selected)) {
            stack.push_back(o->next());
            o = child;
            continue;
        }
        o = o->next();
        while (o == nullptr && !stack.empty()) {
            o = stack.back();
            stack.pop_back();
        }
    }
    return active;
}

void HDocument::setSelected(HostObject* object, bool selected) {
    if (auto* own = dynamic_cast<HObject*>(object); own != nullptr && own->document() == this) {
        own->setSelected(selected);
    }
}

bool HDocument::startUndo() {
    if (undoOpen_) {
        return false;
    }
    undoOpen_ = true;
    openUndo_.clear();
    return true;
}

bool HDocument::addUndo(HostUndo kind, HostNode* node) {
    if (!undoOpen_ || node == nullptr) {
        return false;
    }
    openUndo_.push_back({kind, node->uid()});
    return true;
}

bool HDocument::endUndo() {
    if (!undoOpen_) {
        return false;
    }
    undoOpen_ = false;
    if (!openUndo_.empty()) {
        undoSteps_.push_back(std::move(openUndo_));
    }
    openUndo_.clear();
    return true;
}

bool HDocument::undo() {
    if (undoSteps_.empty()) {
        return false;
    }
    const std::vector<UndoRecord> step = std::move(undoSteps_.back());
    undoSteps_.pop_back();
    for (auto it = step.rbegin(); it != step.rend(); ++it) {
        if (it->kind != HostUndo::NewNode) {
            continue;
        }
        HostNode* node = findNode(it->node);
        if (HostObject* object = node ? node->toObject() : nullptr) {
            object->remove();
        }
    }
    return true;
}

} // namespace headless
