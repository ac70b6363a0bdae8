// The built-in demo document: a small scene that shows every kind of node the host and the
// plug-in offer, animated over one second, for trying the export road without a document file.
// It is built through the host's node creation, so plug-in nodes get their first values from the
// plug-in: start the plug-in first.
#pragma once

#include <memory>
#include <string>

namespace headless {

class HDocument;
class HeadlessHost;

// The demo document, or null with a reason when a node could not be created (the plug-in is
// not started, or does not register a node the demo uses).
std::unique_ptr<HDocument> buildDemoDocument(HeadlessHost& host, std::string& error);

} // namespace headless
