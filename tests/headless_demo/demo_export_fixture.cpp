#include "tests/headless_demo/demo_export_fixture.h"

#include "headless/demo.h"
#include "util/xml_parse.h"

namespace demotest {

void DemoExportTest::SetUp() {
    ASSERT_TRUE(plugin_.start().started());
    const HostFilename where(windowsPath(folder()));
    std::string error;
    ASSERT_TRUE(headless::writeDemoFiles(host(), where, error)) << error;
    std::unique_ptr<headless::HDocument> demo = headless::buildDemoDocument(host(), error, where);
    ASSERT_TRUE(demo) << error;
    host().setDocument(std::move(demo));
}

std::string DemoExportTest::windowsPath(const std::string& nativePath) {
    return plugin_.host().drives().toWindows(nativePath);
}

bool DemoExportTest::exportTo(const std::string& scene, std::string& text) {
    std::string error;
    headless::UiScript& ui = host().ui();
    if (!ui.parse("save \"Save zvs...\" \"" + scene +
                      "\"\n"
                      "question yes\n"
                      "dialog 10021\n"
                      "    set EXPORTANDRUN false\n"
                      "    press EXPORTDLG_EXPORT\n"
                      "end\n",
                  error)) {
        ADD_FAILURE() << error;
        return false;
    }
    const std::size_t before = host().consoleLines().size();
    if (!host().runCommand(1021741)) {
        return false;
    }
    bool saved = false;
    for (std::size_t i = before; i < host().consoleLines().size(); ++i) {
        saved = saved || host().consoleLines()[i] == "Saved scene to: " + windowsPath(scene);
    }
    if (saved) {
        text = testing_support::readFile(scene);
    }
    return saved;
}

std::vector<const TiXmlElement*> elements(const TiXmlElement& parent, const char* name) {
    std::vector<const TiXmlElement*> found;
    for (const TiXmlElement* e = parent.FirstChildElement(name); e;
         e = e->NextSiblingElement(name)) {
        found.push_back(e);
    }
    return found;
}

std::string childText(const TiXmlElement& parent, const char* name) {
    const TiXmlElement* child = parent.FirstChildElement(name);
    return child && child->GetText() ? child->GetText() : "";
}

std::string commentOf(const TiXmlElement& element) {
    for (const TiXmlNode* n = element.FirstChild(); n; n = n->NextSibling()) {
        if (const TiXmlComment* c = n->ToComment()) {
            return c->Value();
        }
    }
    return "";
}

} // namespace demotest
