// The built-in demo document: a small scene that shows every kind of node the host and the
// plug-in offer, animated over one second, for trying the export road without a document file.
// It is built through the host's node creation, so plug-in nodes get their first values from the
// plug-in: start the plug-in first.
#pragma once

#include "plugin/host/filename.h"

#include <memory>
#include <string>

namespace headless {

class HDocument;
class HeadlessHost;

// The demo document, or null with a reason when a node could not be created (the plug-in is
// not started, or does not register a node the demo uses).
//
// `folder` (Windows path text, may be empty) is the folder the demo lives in, as a saved
// document does: the document's path is the file "demo.tvd" there, so the texture search finds
// the bitmap shaders' textures, named without a folder, in its "tex" folder; the files that are
// not searched for (the shader-language shader's texture, the camera's obstacle map and the
// included material file) are named by their full paths there. Without a folder the document has
// no path and names those files relative to the folder they would be in.
std::unique_ptr<HDocument> buildDemoDocument(HeadlessHost& host, std::string& error,
                                             const HostFilename& folder = HostFilename());

// Writes the files the demo refers to into `folder` (Windows path text; it must exist): the
// textures and the obstacle map as small PNG images in its "tex" folder (made when missing) and
// the included material file. False with a reason when a file could not be written.
bool writeDemoFiles(HeadlessHost& host, const HostFilename& folder, std::string& error);

// The names of those files relative to the demo's folder, for tests and listings.
namespace DemoFile {
constexpr const char* kBrick = "tex\\brick.png";
constexpr const char* kBrickBump = "tex\\brick_bump.png";
constexpr const char* kMarble = "tex\\marble.png";
constexpr const char* kObstacleMap = "tex\\obstacle.png";
constexpr const char* kGold = "gold.zvm";
} // namespace DemoFile

} // namespace headless
