// The renderer's programs and the command lines the plug-in starts them with. The renderer is a
// separate program in the directory stored as PATH in the settings file; the plug-in starts it
// only through the batch script it writes, never links to it, and neither waits for it nor
// watches it. Every start of a renderer program is built from these forms.
#pragma once

#include <cstdint>
#include <string>

namespace Renderer {

// The renderer with its window, and without (also the material packer).
constexpr const char* kWindowProgram = "zarvex.exe";
constexpr const char* kConsoleProgram = "zarvex_console.exe";

// Switches, with the blank that separates each from what precedes it.
constexpr const char* kSeedSwitch = " -seed ";
constexpr const char* kHaltSamplesSwitch = " -haltspp ";
constexpr const char* kNetworkMasterSwitch = " -n wm -p ";
constexpr const char* kOutputImageSwitch = " -o ";
constexpr const char* kPackSwitch = "--pack ";
constexpr const char* kUnpackSwitch = "--unpack ";

// What one render start asks of the renderer. Paths are full Windows paths.
struct RenderCommand {
    bool console = false;
    int32_t seed = 0;
    std::string scenePath;
    // Stop after this many samples per pixel; -1 renders until stopped.
    int32_t haltSamples = -1;
    bool networkMaster = false;
    int32_t port = 7777;
    // Where the renderer saves its image; empty for none.
    std::string imagePath;
};

// The program and its arguments, run in the renderer's directory:
//   PROGRAM -seed S "SCENE" [-haltspp H] [-n wm -p PORT] [-o "IMAGE"]
std::string renderCommandLine(const RenderCommand& command);

// zarvex_console.exe --pack "MATERIAL" "ARCHIVE" , each quoted path followed by one blank: the
// packer writes the packed archive (.pzvm) of a material file (.zvm).
std::string packCommandLine(const std::string& materialFile, const std::string& archiveFile);
// zarvex_console.exe --unpack "ARCHIVE" "DIRECTORY" : the packer extracts the archive into the
// directory, the material file included.
std::string unpackCommandLine(const std::string& archiveFile, const std::string& directory);

} // namespace Renderer
