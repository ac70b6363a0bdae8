#include "commands/create_instances.h"

#include "objects/instance_ids.h"
#include "plugin/host/application.h"
#include "plugin/host/document.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/object.h"
#include "plugin/plugin_ids.h"

namespace {
// The document setting that marks the document as changed.
constexpr int32_t kDocumentChanged = 1018;
} // namespace

bool CreateInstances::execute(HostDocument* doc) {
    if (doc == nullptr) {
        doc = host().activeDocument();
    }
    if (doc == nullptr) {
        return true;
    }
    const std::vector<HostObject*> selected = doc->activeObjects(true);
    doc->startUndo();
    for (HostObject* object : selected) {
        std::unique_ptr<HostObject> instance = host().createObject(PluginId::kInstance);
        if (!instance) {
            continue;
        }
        instance->data().setLink(INSTANCE_LINK, object);
        instance->setName(object->name());
        const HostMatrix global = object->globalMatrix();
        HostObject* inserted = doc->insertObject(std::move(instance), object->up(), object);
        if (inserted != nullptr) {
            inserted->setGlobalMatrix(global);
            doc->addUndo(HostUndo::NewNode, inserted);
        }
    }
    if (selected.empty()) {
        if (std::unique_ptr<HostObject> instance = host().createObject(PluginId::kInstance)) {
            if (HostObject* inserted = doc->insertObject(std::move(instance), nullptr, nullptr)) {
                doc->addUndo(HostUndo::NewNode, inserted);
            }
        }
    }
    doc->endUndo();
    doc->message(HostMessage::kUpdate);
    doc->settings().setBool(kDocumentChanged, true);
    host().eventAdd();
    return true;
}
