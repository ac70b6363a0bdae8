// The scene exporter: turns the document, as it stands at the moment of the call, into one scene
// file (.zvs, XML) and one binary mesh file per distinct polygon mesh. One exporter lives for one
// export job (or quick render, preview or material-file write); each run of exportScene starts
// from the reset state and ends with an empty scene document.
//
// Its operations are spread over one file per element family:
//   export/exporter.cpp     the run, the scene document and the element helpers
//   export/walk.cpp         the three passes over the object tree and instancing
//   export/mesh.cpp         mesh extraction: texture tags, UV baking, deduplication, mesh files
//   export/geometry.cpp     mesh, model, exit_portal and sphere elements
//   export/lights.cpp       light emitters
//   scene/settings.cpp      renderer_settings, tonemapping, layer names, material aliases
//   scene/camera.cpp        camera and the camera-dependent settings
//   scene/environment.cpp   sun, sky and background
//   scene/materials.cpp     built-in materials, material helpers' materials, header comments,
//                           the light material
//   scene/medium.cpp        media of transparent materials
//   scene/parameters.cpp    spectra, base emission, textures, shaders, channel properties,
//                           includes
//   scene/emission_scale.cpp emission scales of material helpers
#pragma once

#ifndef TIXML_USE_STL
#define TIXML_USE_STL
#endif
#include <tinyxml.h>

#include "export/hierarchy.h"
#include "export/mesh.h"
#include "plugin/host/container.h"
#include "plugin/host/filename.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class HostDocument;
class HostMaterial;
class HostObject;
class HostTag;
class HostTextureTag;
class HostShader;

// The highest light layer a user can put an emitter on; user layers run from 0 to this. The
// layer names written at the end of a run cover every layer up to the highest one used, so the
// bound keeps that list short and every layer number far from overflow.
constexpr int32_t kHighestUserLayer = 999;

// One material helper found in the materials pass.
struct MaterialHelperRecord {
    HostObject* helper = nullptr;
    // The helper's name, with "_" appended while another record already has it.
    std::string name;
    // The helper includes an external material file.
    bool include = false;
    bool written = false;
};

// An object that instance objects refer to, with the object index it has in the objects pass
// (-1 until the indexing pass has met it).
struct InstancedObject {
    HostObject* object = nullptr;
    int32_t index = -1;
};

// What the objects pass did with the mesh of one object index.
enum class MeshState : uint8_t { Pending = 0, Written = 1, Failed = 2 };

// The material properties that a host material channel can feed (scene/parameters.cpp).
enum class ChannelKind { Bump, Exponent, Displacement, Emission, Blend, Albedo };

// Passes over the object tree.
enum class ExportPass : int32_t { Index = 0, Materials = 1, Objects = 2 };

class ZarvexSceneExporter : public TolvaneHierarchy {
public:
    ZarvexSceneExporter();
    ~ZarvexSceneExporter() override;

    // Stores the document and the options and derives the paths from the scene file: for
    // C:\scenes\room.zvs the base name is room and the models directory C:\scenes\models.room.
    // The scene is saved as base name + ".zvs" whatever suffix the chosen file had. Options the
    // export does not use are accepted and ignored.
    void configureExport(HostDocument* doc, const HostFilename& sceneFile, bool renderAlpha,
                         bool noGeometry, bool renderClay, bool startMaster = false,
                         bool animationStatic = false, bool separateSettings = false,
                         bool separateMaterials = false, bool animation = false);
    // One complete run: 1 after saving, 0 when no document is configured or the scene file
    // could not be written.
    int32_t exportScene();
    // The per-run state back to its start: empty lists, scale 1, exposure 0.05, no camera.
    void resetExportState();

    void setFrameNumber(int32_t frame) { frameNumber_ = frame; }
    int32_t frameNumber() const { return frameNumber_; }

    // --- Element helpers. Each creates one element with one text child as the last child of
    // `parent` and returns it. Reals print as "%08f", integers as "%i".
    TiXmlElement* addElement(const char* name, TiXmlNode* parent);
    TiXmlElement* addStringElement(const char* name, const std::string& text, TiXmlNode* parent);
    TiXmlElement* addBoolElement(const char* name, bool value, TiXmlNode* parent);
    TiXmlElement* addIntElement(const char* name, int32_t value, TiXmlNode* parent);
    TiXmlElement* addFloatElement(const char* name, float value, TiXmlNode* parent);
    // The scene is Z-up and the host Y-up: with `swap` the vector is written as (x, z, y).
    TiXmlElement* addVectorElement(const char* name, float x, float y, float z, TiXmlNode* parent,
                                   bool swap);
    TiXmlComment* addComment(const std::string& text, TiXmlNode* parent);

    // --- Paths of the current configuration.
    const HostFilename& sceneDirectory() const { return sceneDirectory_; }
    const HostFilename& modelsDirectory() const { return modelsDirectory_; }
    const std::string& baseName() const { return baseName_; }
    const std::string& sceneFileName() const { return sceneFileName_; }
    HostDocument* document() const { return document_; }
    TiXmlDocument& sceneDocument() { return sceneDocument_; }
    TiXmlElement* sceneRoot() const { return sceneRoot_; }
    float sceneScale() const { return sceneScale_; }

    // --- The walk (export/walk.cpp).
    bool visitObject(HostObject* object, const HostMatrix& global, bool visible,
                     bool isInput) override;
    void beforeVisit(HostObject* object) override;
    const std::vector<MaterialHelperRecord>& materialHelpers() const { return materialHelpers_; }
    const std::vector<InstancedObject>& instancedObjects() const { return instancedObjects_; }

    // --- Mesh extraction (export/mesh.cpp).
    // Extracts `object`'s mesh into `gatherer` and writes it to the models directory under
    // `meshFile` (its suffix becomes "zvmesh"), printing the summary line. `helpers` null: every
    // triangle uses "defaultLight" (light planes). 1 when written; 0 for no object, or when the
    // mesh file could not be written (the message is printed and nothing is thrown).
    int32_t exportMesh(MeshGatherer& gatherer, HostDocument* doc, const HostFilename& modelsDir,
                       HostFilename meshFile, HostObject* object, float scale,
                       const std::vector<MaterialHelperRecord>* helpers);
    // Fills gatherer.mesh from `object` (triangles, deduplicated vertices and UVs, materials).
    // 1, or 0 with an empty mesh when the temporary UVW tag cannot be created.
    int32_t gatherMesh(MeshGatherer& gatherer, HostObject* object,
                       const std::vector<MaterialHelperRecord>* helpers);
    // Writes the offset and length mapped UVW of each polygon group's texture tag into `target`.
    int32_t bakeTextureUVs(HostObject* object, HostTag* target,
                           const std::vector<HostTextureTag*>& textureTags);
    // The texture tags that apply to `object`, in tag order (see mesh.cpp).
    std::vector<HostTextureTag*> collectTextureTags(HostObject* object) const;
    // The tag for a polygon group: restricted to `selection`'s name, else the first unrestricted.
    HostTextureTag* findTextureTag(const std::vector<HostTextureTag*>& tags,
                                   const HostTag* selection) const;
    // The distinct helper records (in order of first use) the object's polygon groups use.
    std::vector<const MaterialHelperRecord*> collectUsedHelpers(HostObject* object);
    // The first helper record whose helper defines `material`, or null.
    const MaterialHelperRecord* helperForMaterial(const HostMaterial* material);
    // The same in another list (through the index when it is the exporter's own).
    const MaterialHelperRecord* helperInList(const std::vector<MaterialHelperRecord>& helpers,
                                             const HostMaterial* material);

    // --- Geometry elements (export/geometry.cpp).
    void exportPolygonObject(HostObject* object, const HostMatrix& global, int32_t index);
    TiXmlElement* writeMeshElement(HostObject* object, int32_t index, const HostFilename& meshFile);
    // Mode 3: a polygon object; 2 an area-light plane and 1 a spot-light plane, which need
    // `light`. Nothing written (false) for a light mode without a light.
    bool writeModelElement(HostObject* object, int32_t index, const HostFilename& meshFile,
                           const HostMatrix& global, int32_t mode, HostObject* light);
    TiXmlElement* writeExitPortalElement(HostObject* object, const HostFilename& meshFile,
                                         int32_t index, const HostMatrix& global);
    void writeSphereElement(HostObject* sphere, const HostMatrix& global, bool isLight);
    // The pos and rotation children: the offset scaled, axes swapped to the scene's Z-up.
    void writeTransform(TiXmlElement* parent, const HostMatrix& global);
    // The mesh file name of a polygon object: base name, "-", index, suffix "zvmesh".
    HostFilename meshFileName(int32_t index) const;
    // The full path text of a mesh file in the models directory.
    HostFilename meshFilePath(const HostFilename& meshFile) const;
    MeshState meshState(int32_t index) const;
    void setMeshState(int32_t index, MeshState state);
    int32_t instancesExported() const { return instancesExported_; }
    bool noGeometry() const { return noGeometry_; }

    // --- Light emitters (export/lights.cpp).
    void exportLight(HostObject* light, const HostMatrix& global, int32_t index);
    // The emission scales and light profiles of the material helpers `object` uses.
    void writeHelperEmission(TiXmlElement* model, HostObject* object);

    // --- Scene element writers (scene/).
    bool writeRendererSettings(TiXmlElement* rendererSettings);
    bool writeCamera(TiXmlElement* rendererSettings);
    bool writeEnvironment();
    bool writeToneMapping();
    void writeLayers();
    void writeHeaderComments(TiXmlDocument& doc);
    void writeDefaultMaterials();
    bool writeMaterial(MaterialHelperRecord& record, bool preview);

    // --- Parts of the scene element writers (scene/). Parents are elements of the scene
    // document; every writer appends to them.
    // Layer names and material aliases (scene/settings.cpp).
    void writeLayerName(const std::string& name, int32_t index);
    void writeMaterialAlias(const std::string& currentName, const std::string& newName);
    // The scene layer of an emitter on `userLayer` (taken as 0 below 0 and as kHighestUserLayer
    // above it): shifted by the layers the environment took, and remembered as the highest layer
    // when it is.
    int32_t emitterLayer(int32_t userLayer);

    // Materials (scene/materials.cpp, scene/medium.cpp).
    // The first record whose helper links `material`, or null.
    MaterialHelperRecord* findMaterialRecord(const HostMaterial* material);
    // The "defaultLight" material of a light, from its light tag when it has one. False without a
    // light.
    bool writeLightMaterial(HostObject* light);
    bool writeMedium(const HostContainer& helper);
    bool writeDiffuseMaterial(const HostContainer& helper, TiXmlElement* material);
    bool writeOrenNayarMaterial(const HostContainer& helper, TiXmlElement* material);
    bool writePhongMaterial(const HostContainer& helper, TiXmlElement* material);
    bool writeSpecularMaterial(const HostContainer& helper, TiXmlElement* material);
    bool writeGlossyTransparentMaterial(const HostContainer& helper, TiXmlElement* material);
    bool writeDiffuseTransmitterMaterial(const HostContainer& helper, TiXmlElement* material);
    bool writeBlendMaterial(const HostContainer& helper, TiXmlElement* material);

    // Spectra, emission, textures, shaders and includes (scene/parameters.cpp).
    void writeUniformSpectrum(float value, TiXmlElement* parent);
    // The vector written is (r, g, b) times `scale`.
    void writeRgbSpectrum(float r, float g, float b, float gamma, float scale,
                          TiXmlElement* parent);
    void writeBlackbodySpectrum(float temperature, float gain, TiXmlElement* parent);
    void writePeakSpectrum(float peakMin, float peakWidth, float baseValue, float peakValue,
                           TiXmlElement* parent);
    // The texts are written as the user typed them.
    void writeTabulatedSpectrum(const std::string& start, const std::string& end, int32_t count,
                                const std::string& values, TiXmlElement* parent);
    // base_emission with the helper's emission spectrum, then its layer.
    bool writeBaseEmission(const HostContainer& helper, TiXmlElement* parent);
    // A texture from a bitmap shader's file, found by the host's texture search and written
    // relative to the scene directory. False without a shader.
    bool writeTextureFromShader(HostShader* bitmap, TiXmlElement* parent, float exponent, float a,
                                float b, float c);
    void writeTextureFromFile(TiXmlElement* parent, const HostFilename& file, float exponent,
                              float a, float b, float c);
    void writeTextureIndex(TiXmlElement* parent, int32_t index);
    // The shader-language program of `shader` in `property`, its slot textures in `typeElement`
    // with the indices from `counter`. False without a shader.
    bool writeShaderParameter(TiXmlElement* typeElement, TiXmlElement* property, HostShader* shader,
                              int32_t& counter);
    // The property of `kind` from the host channel the helper chose, as a texture or a shader;
    // false when the channel supplies neither (the caller then writes its constant). With
    // `diffuseAlbedo` the albedo property is named diffuse_albedo.
    bool writeChannelParameter(ChannelKind kind, const HostContainer& helper,
                               HostMaterial* material, TiXmlElement* typeElement, int32_t& counter,
                               bool diffuseAlbedo = false);
    void writeInclude(const HostFilename& file);
    // `file` unchanged when it names a drive, else what the host's texture search finds for the
    // document in `documentPath` (empty when it finds nothing).
    HostFilename resolveTexturePath(const HostFilename& documentPath,
                                    const HostFilename& file) const;

    // Emission scales (scene/emission_scale.cpp).
    void writeHelperEmissionScale(TiXmlElement* parent, const HostContainer& helper,
                                  const std::string& materialName);
    void writeEmissionScale(TiXmlElement* parent, const std::string& materialName,
                            const std::string& measure, float value);

protected:
    // The exporter's state, in the order the export's description lists it.
    int32_t frameNumber_ = 0;
    TiXmlDocument sceneDocument_;
    TiXmlElement* sceneRoot_ = nullptr;
    TiXmlNode* lastComment_ = nullptr;
    TiXmlNode* lastElement_ = nullptr;
    HostDocument* document_ = nullptr;
    // Parameters of the first active render-settings node, or null.
    const HostContainer* renderSettings_ = nullptr;
    HostObject* camera_ = nullptr;
    HostContainer cameraData_;
    HostContainer cameraTagData_;
    bool hasCameraTag_ = false;
    ExportPass pass_ = ExportPass::Index;
    // Host units to scene units; set from the render settings.
    float sceneScale_ = 1.0f;
    // Seconds; used by the camera without a camera tag.
    float exposureDuration_ = 0.05f;
    int32_t objectIndex_ = 0;
    int32_t instancesExported_ = 0;
    int32_t layerBase_ = 0;
    int32_t highestLayer_ = 0;
    HostFilename sceneDirectory_;
    HostFilename modelsDirectory_;
    std::string baseName_;
    std::string sceneFileName_;
    bool noGeometry_ = false;
    bool renderClay_ = false;
    bool renderAlpha_ = false;
    std::vector<MeshState> meshWritten_;
    std::vector<MaterialHelperRecord> materialHelpers_;
    std::vector<InstancedObject> instancedObjects_;
    // Indexes over the lists above, so that lookups do not scan them: the names the helper
    // records hold, each instanced object's position in its list, and the first record per
    // material (built on demand, for the records present then).
    std::unordered_set<std::string> helperNames_;
    std::unordered_map<const HostObject*, std::size_t> instancedIndex_;
    std::unordered_map<const HostMaterial*, std::size_t> helperByMaterial_;
    std::size_t helpersIndexed_ = 0;
    // Referenced objects whose instance expansion is under way, so that instances that refer to
    // each other's subtrees do not expand without end.
    std::unordered_set<const HostObject*> expanding_;
    // Blend helpers whose materials are being written, so that parts that lead back to them are
    // named but not written again (scene/materials.cpp).
    std::vector<const HostObject*> materialsInProgress_;

    // Steps 9 and 10 of a run, open to tests of the writers that depend on them.
    void findRenderSettings();
    void findCamera();

private:
    void runMaterialsPass();
    void runIndexingPass();
    void runObjectsPass();
    bool saveScene(const std::string& path);
};

// Elapsed-time texts of the console: 2375 ms as "2.375 s"; 65250 ms as "1 m, 5.250 s".
std::string secondsText(int32_t elapsedMs);
std::string minutesText(int32_t elapsedMs);
// The text of a real as "%08f" prints it ("1.000000", "-0.500000").
std::string realText(float value);
// A rotation matrix entry: fixed point with eight decimals; negative zero prints as zero.
std::string matrixEntryText(float value);
