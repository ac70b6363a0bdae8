// A headless host with the plug-in's object and tag types registered, a temporary directory as
// drive D:, a fake clock, and builders for small documents.
#pragma once

#include "export/exporter.h"
#include "headless/document.h"
#include "headless/host.h"
#include "meshfile/zarvex_mesh.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace testing_export {

class ExportTest : public ::testing::Test {
protected:
    ExportTest();
    ~ExportTest() override;

    headless::HeadlessHost host;
    std::filesystem::path root;

    headless::HDocument& doc() { return host.document(); }

    // Objects inserted at the end of `parent`'s children (or the top level).
    headless::HObject* add(int32_t type, const std::string& name,
                           headless::HObject* parent = nullptr);
    headless::HObject* addPolygons(const std::string& name, std::vector<Vector> points,
                                   std::vector<HostPolygon> polygons,
                                   headless::HObject* parent = nullptr);
    // A cube of six quadrangles with edge 2 around the origin.
    headless::HObject* addCube(const std::string& name, headless::HObject* parent = nullptr);
    headless::HTag* addTag(headless::HObject* object, int32_t type, const std::string& name = "");
    headless::HTag* addTextureTag(headless::HObject* object, HostMaterial* material,
                                  const std::string& restriction = "");
    headless::HTag* addSelection(headless::HObject* object, const std::string& name,
                                 const std::vector<int32_t>& polygons);
    HostMaterial* addMaterial(const std::string& name);
    // A material helper that defines `material`.
    headless::HObject* addHelper(const std::string& name, HostMaterial* material);
    headless::HObject* addInstance(const std::string& name, HostObject* linked,
                                   headless::HObject* parent = nullptr);

    // Runs one export of the active document into `sceneFile` and parses the written scene.
    int32_t exportTo(const std::string& sceneFile = "D:\\out\\room.zvs", bool renderAlpha = false,
                     bool noGeometry = false);
    std::string sceneText(const std::string& sceneFile = "D:\\out\\room.zvs") const;
    // The scene element's children of that name, in order.
    std::vector<const TiXmlElement*> elements(const char* name);

public:
    static std::string childText(const TiXmlElement* e, const char* child);

protected:
    // The mesh file of the models directory of D:\out\room.zvs.
    ZarvexMesh readMesh(const std::string& file) const;
    std::filesystem::path native(const std::string& windowsPath) const;
    bool consoleHas(const std::string& line) const;
    std::vector<std::string> consoleStartingWith(const std::string& prefix) const;

    ZarvexSceneExporter exporter;
    TiXmlDocument scene;
    // The export-in-progress flag, set as the export job sets it around a run.
    uint8_t exportFlag = 1;
};

} // namespace testing_export
