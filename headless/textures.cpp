// The texture search: where the host finds a texture that a material names without a full path.
#include "headless/host.h"

#include "plugin/host/host_ids.h"

namespace headless {

namespace {
// A drive path ("C:\...") or a network path ("\\server\..."): a name that needs no search.
bool isAbsolute(const std::string& text) {
    return (text.size() >= 2 && text[1] == ':') || text.rfind("\\\\", 0) == 0;
}
} // namespace

HostContainer HeadlessHost::defaultWorldPreferences() {
    HostContainer preferences;
    preferences.setInt(HostPreference::kUnit, 3);
    return preferences;
}

bool HeadlessHost::searchTexture(const HostFilename& documentFolder, const HostFilename& file,
                                 const HostFilename& suggestedFolder, HostFilename& found) const {
    found = HostFilename();
    if (file.empty()) {
        return false;
    }
    if (isAbsolute(file.text()) && fileExists(file)) {
        return true;
    }
    // A name with folders is also looked for by its file name alone, as the host does for
    // textures brought in from other machines.
    const HostFilename bare = file.file();
    std::vector<HostFilename> folders;
    if (!documentFolder.empty()) {
        folders.push_back(documentFolder);
        folders.push_back(documentFolder + "tex");
    }
    if (!suggestedFolder.empty()) {
        folders.push_back(suggestedFolder);
    }
    folders.insert(folders.end(), texturePaths_.begin(), texturePaths_.end());
    for (const HostFilename& folder : folders) {
        for (const HostFilename& name : {file, bare}) {
            const HostFilename candidate = folder + name;
            if (fileExists(candidate)) {
                found = candidate;
                return true;
            }
        }
    }
    return false;
}

} // namespace headless
