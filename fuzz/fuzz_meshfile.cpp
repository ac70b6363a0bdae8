// Feeds any bytes to readMeshFile as a mesh file. A mesh that reads back must write out as
// exactly the bytes it was read from (without what follows the last triangle).
#include "meshfile/zarvex_mesh.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string scratchPath(const char* name) {
    return "/tmp/tolvane-fuzz-meshfile-" + std::to_string(getpid()) + "-" + name;
}

bool writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::uint8_t chunk[4096];
        std::size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
            bytes.insert(bytes.end(), chunk, chunk + got);
        }
        std::fclose(file);
    }
    return bytes;
}

const std::string input = scratchPath("input.zvmesh");
const std::string output = scratchPath("output.zvmesh");

void removeScratchFiles() {
    std::remove(input.c_str());
    std::remove(output.c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit(removeScratchFiles);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!writeFile(input, data, size)) {
        std::abort();
    }
    ZarvexMesh mesh;
    try {
        readMeshFile(input, mesh);
    } catch (const ZarvexMeshExcep&) {
        return 0;
    }
    writeMeshFile(output, mesh);
    const std::vector<std::uint8_t> written = readFile(output);
    if (written.size() > size || std::memcmp(written.data(), data, written.size()) != 0) {
        std::abort();
    }
    return 0;
}
