// The demo document with the real plug-in module loaded, living in a temporary folder with the
// files it refers to, and its export through "Export and Run" as a user does it.
#pragma once

#include "headless/document.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#ifndef TIXML_USE_STL
#define TIXML_USE_STL
#endif
#include <tinyxml.h>

#include <memory>
#include <string>
#include <vector>

namespace demotest {

class DemoExportTest : public ::testing::Test {
protected:
    void SetUp() override;

    headless::HeadlessHost& host() { return plugin_.host(); }
    headless::HDocument& doc() { return host().document(); }
    // The native path of the demo's folder, and its Windows text.
    const std::string& folder() const { return dir_.path(); }
    std::string windowsPath(const std::string& nativePath);

    // Exports the active document to the native path `scene` with the export dialog's first
    // options; true when the plug-in saved it. The scene's text is then in `text`.
    bool exportTo(const std::string& scene, std::string& text);

    testing_support::TempDir dir_;
    testing_support::PluginFolder folder_;
    testing_support::HostWithPlugin plugin_{folder_};
};

// --- Reading a scene.
// The root element's children named `name`, in order.
std::vector<const TiXmlElement*> elements(const TiXmlElement& parent, const char* name);
// The text of the child `name`, or "" when there is none.
std::string childText(const TiXmlElement& parent, const char* name);
// The text of the first comment inside `element` (the writers name the object there).
std::string commentOf(const TiXmlElement& element);

} // namespace demotest
