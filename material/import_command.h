// The "Import .zvm" command: brings the materials of a renderer material file into the document.
#pragma once

#include "plugin/host/plugin_data.h"

class ImportZVM : public CommandData {
public:
};
