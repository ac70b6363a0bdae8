#include "objects/material_group.h"

bool MaterialGroup::init(HostNode*) {
    return true;
}
