// Sun, sky and background.
#include "export/exporter.h"

bool ZarvexSceneExporter::writeEnvironment() {
    return true;
}
