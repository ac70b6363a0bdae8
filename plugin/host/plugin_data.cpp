#include "plugin/host/plugin_data.h"

#include "plugin/host/object.h"

bool NodeData::init(HostNode*) {
    return true;
}
void NodeData::free(HostNode*) {}
bool NodeData::message(HostNode*, int32_t, void*) {
    return true;
}
bool NodeData::getDescription(HostNode*, HostDescription&, uint32_t&) {
    return true;
}
bool NodeData::getParameter(HostNode*, int32_t, HostValue&, uint32_t&) {
    return true;
}
bool NodeData::setParameter(HostNode*, int32_t, const HostValue&, uint32_t&) {
    return true;
}

std::unique_ptr<HostObject> ObjectData::getVirtualObjects(HostObject*, int32_t) {
    return nullptr;
}
bool ObjectData::draw(HostObject*, HostDrawPass, HostView*) {
    return true;
}
void ObjectData::getDimension(HostObject*, Vector& center, Vector& radius) {
    center = Vector();
    radius = Vector();
}

int32_t TagData::execute(HostTag*, HostDocument*, HostObject*) {
    return 0;
}
bool TagData::draw(HostTag*, HostObject*, HostView*) {
    return true;
}

int32_t ShaderData::initRender(HostShader*) {
    return 0;
}
int32_t ShaderData::renderInfo(HostShader*) {
    return 0;
}
void ShaderData::freeRender(HostShader*) {}
Vector ShaderData::output(HostShader*, Real, Real) {
    return Vector();
}

int32_t VideoPostData::execute(HostVideoPost*, int32_t) {
    return 0;
}
int32_t VideoPostData::executeLine(HostVideoPost*, int32_t, int32_t) {
    return 0;
}

bool CommandData::execute(HostDocument*) {
    return true;
}
