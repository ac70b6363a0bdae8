// Speed of the export core: mesh extraction of a grid of 1,000,000 quadrangles with and without
// smoothing (gathering alone, with the file write, and with an ordered-map deduplication for
// comparison), and whole exports of documents of many small objects with one instance each.
//
//   build/bench/export_bench --benchmark_filter=Grid
//   build/bench/export_bench --benchmark_filter=Document
#include "export/exporter.h"
#include "headless/host.h"
#include "objects/instance.h"
#include "objects/instance_ids.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"
#include "plugin/plugin_ids.h"
#include "util/xml_parse.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <random>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kGridSide = 1000;

// The deduplication the export used to do: ordered maps keyed by the float tuples. Kept here
// only, to put the hashing's gain on record.
class MapDeduplicator final : public MeshDeduplicator {
public:
    void reserve(std::size_t) override {}
    uint32_t vertex(ZarvexMesh& mesh, const ZarvexVec3& p, const ZarvexVec3& n,
                    bool smoothed) override {
        const auto key = smoothed ? std::make_tuple(p.x, p.y, p.z, n.x, n.y, n.z)
                                  : std::make_tuple(p.x, p.y, p.z, 0.0f, 0.0f, 0.0f);
        const auto [it, isNew] = vertices_.emplace(key, uint32_t(mesh.verts.size()));
        if (isNew) {
            mesh.verts.push_back(p);
            if (smoothed) {
                mesh.normals.push_back(n);
            }
        }
        return it->second;
    }
    uint32_t uv(ZarvexMesh& mesh, const ZarvexUVPair& t) override {
        const auto [it, isNew] =
            uvs_.emplace(std::make_pair(t.u, t.v), uint32_t(mesh.uv_pairs.size()));
        if (isNew) {
            mesh.uv_pairs.push_back(t);
        }
        return it->second;
    }

private:
    std::map<std::tuple<float, float, float, float, float, float>, uint32_t> vertices_;
    std::map<std::pair<float, float>, uint32_t> uvs_;
};

// One headless host for the whole run, with a scratch folder as drive D:.
struct Bench {
    headless::HeadlessHost host;
    fs::path root = fs::temp_directory_path() / ("tolvane-bench-" + std::to_string(::getpid()));
    uint8_t exportFlag = 1;
    Bench() {
        fs::create_directories(root / "out");
        host.drives().mapDrive('D', root.string());
        setHost(&host);
        ZarvexInstance::setExportFlag(&exportFlag);
        ObjectRegistration r;
        r.id = PluginId::kInstance;
        r.name = "instance";
        r.allocator = &ZarvexInstance::alloc;
        host.registerObject(std::move(r));
    }
    ~Bench() {
        host.releasePlugins();
        setHost(nullptr);
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

Bench& bench() {
    static Bench b;
    return b;
}

// A grid of kGridSide x kGridSide quadrangles in a document of its own, with or without a Phong
// tag (smoothing across the whole grid).
HostObject* grid(bool phong) {
    static std::unique_ptr<headless::HDocument> docs[2];
    std::unique_ptr<headless::HDocument>& doc = docs[phong ? 1 : 0];
    if (!doc) {
        doc = std::make_unique<headless::HDocument>();
        std::unique_ptr<HostObject> object = bench().host.createObject(HostType::kPolygonObject);
        object->setName("Grid");
        std::vector<Vector> points;
        points.reserve(std::size_t(kGridSide + 1) * (kGridSide + 1));
        for (int j = 0; j <= kGridSide; ++j) {
            for (int i = 0; i <= kGridSide; ++i) {
                points.push_back({float(i), 0.01f * float((i * 7 + j * 3) % 11), float(j)});
            }
        }
        std::vector<HostPolygon> polygons;
        polygons.reserve(std::size_t(kGridSide) * kGridSide);
        const auto at = [](int i, int j) { return j * (kGridSide + 1) + i; };
        for (int j = 0; j < kGridSide; ++j) {
            for (int i = 0; i < kGridSide; ++i) {
                polygons.push_back({at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)});
            }
        }
        object->toPolygonObject()->setPoints(std::move(points));
        object->toPolygonObject()->setPolygons(std::move(polygons));
        if (phong) {
            object->insertTag(bench().host.createTag(HostType::kPhongTag), nullptr);
        }
        doc->insertObject(std::move(object), nullptr, nullptr);
    }
    return doc->firstObject();
}

void reportTriangles(benchmark::State& state, int64_t triangles) {
    state.counters["triangles/s"] =
        benchmark::Counter(double(triangles), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["triangles"] = double(triangles);
}

void gather(benchmark::State& state, bool useMap) {
    const bool phong = state.range(0) != 0;
    HostObject* object = grid(phong);
    ZarvexSceneExporter exporter;
    int64_t triangles = 0;
    // One untimed run first, so that every variant is measured with the allocator warm.
    {
        MeshGatherer warm;
        warm.smoothed = phong;
        exporter.gatherMesh(warm, object, nullptr);
        bench().host.clearConsole();
    }
    for (auto _ : state) {
        MeshGatherer g;
        g.smoothed = phong;
        MapDeduplicator map;
        if (useMap) {
            g.deduplicator = &map;
        }
        exporter.gatherMesh(g, object, nullptr);
        triangles = g.triangleCount;
        benchmark::DoNotOptimize(g.mesh.verts.data());
        bench().host.clearConsole();
    }
    reportTriangles(state, triangles);
}

void BM_GatherGrid(benchmark::State& state) {
    gather(state, false);
}
void BM_GatherGridOrderedMap(benchmark::State& state) {
    gather(state, true);
}

void BM_ExportMeshGrid(benchmark::State& state) {
    const bool phong = state.range(0) != 0;
    HostObject* object = grid(phong);
    ZarvexSceneExporter exporter;
    int64_t triangles = 0;
    {
        MeshGatherer warm;
        exporter.gatherMesh(warm, object, nullptr);
        bench().host.clearConsole();
    }
    for (auto _ : state) {
        MeshGatherer g;
        exporter.exportMesh(g, object->document(), HostFilename("D:\\out\\models.bench"),
                            HostFilename("grid"), object, 1.0f, nullptr);
        triangles = g.triangleCount;
        bench().host.clearConsole();
    }
    reportTriangles(state, triangles);
}

BENCHMARK(BM_GatherGrid)
    ->ArgName("phong")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_GatherGridOrderedMap)
    ->ArgName("phong")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK(BM_ExportMeshGrid)
    ->ArgName("phong")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Deduplication alone on a stream without locality: 4,000,000 corners over 1,000,000 distinct
// vertices in random order (as meshes from generators and imports come), hashing against the
// ordered maps.
void BM_DeduplicateShuffled(benchmark::State& state) {
    const bool useMap = state.range(0) != 0;
    static std::vector<ZarvexVec3> corners = [] {
        std::vector<ZarvexVec3> c;
        for (int repeat = 0; repeat < 4; ++repeat) {
            for (int k = 0; k < 1000000; ++k) {
                c.push_back({float(k % 1000), float(k / 1000), 0.5f * float(k % 7)});
            }
        }
        std::mt19937 random(1);
        std::shuffle(c.begin(), c.end(), random);
        return c;
    }();
    for (auto _ : state) {
        ZarvexMesh mesh;
        HashMeshDeduplicator hashed;
        MapDeduplicator map;
        MeshDeduplicator& d = useMap ? static_cast<MeshDeduplicator&>(map) : hashed;
        d.reserve(corners.size() / 4);
        const ZarvexVec3 normal{1, 0, 0};
        for (const ZarvexVec3& p : corners) {
            benchmark::DoNotOptimize(d.vertex(mesh, p, normal, false));
        }
    }
    state.counters["corners/s"] =
        benchmark::Counter(double(corners.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DeduplicateShuffled)
    ->ArgName("map")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// A document of n small objects (a quadrangle each, with a texture tag) and one instance of each.
void fillDocument(headless::HDocument& doc, int n) {
    headless::HeadlessHost& host = bench().host;
    HostObject* pred = nullptr;
    for (int k = 0; k < n; ++k) {
        std::unique_ptr<HostObject> o = host.createObject(HostType::kPolygonObject);
        o->setName("Object " + std::to_string(k));
        o->toPolygonObject()->setPoints({{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}});
        o->toPolygonObject()->setPolygons({{0, 1, 2, 3}});
        HostMatrix m;
        m.off = {float(k), 0, 0};
        o->setLocalMatrix(m);
        HostObject* object = doc.insertObject(std::move(o), nullptr, pred);
        std::unique_ptr<HostObject> instance = host.createObject(PluginId::kInstance);
        instance->data().setLink(INSTANCE_LINK, object);
        pred = doc.insertObject(std::move(instance), nullptr, object);
    }
}

void BM_ExportDocument(benchmark::State& state) {
    const int n = int(state.range(0));
    const bool noGeometry = state.range(1) != 0;
    auto doc = std::make_unique<headless::HDocument>();
    fillDocument(*doc, n);
    ZarvexSceneExporter exporter;
    exporter.configureExport(doc.get(), HostFilename("D:\\out\\doc" + std::to_string(n) + ".zvs"),
                             false, noGeometry, false);
    for (auto _ : state) {
        exporter.exportScene();
        bench().host.clearConsole();
    }
    state.counters["objects"] = double(n);
}

BENCHMARK(BM_ExportDocument)
    ->ArgNames({"objects", "nogeometry"})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// A scene of about 400,000 triangles through the whole export: a smoothed plane, a subdivided
// cube, a deformed sphere and instances of them. Each run reads every mesh file back and checks
// its counts against the console's summary lines.
void BM_ExportLargeScene(benchmark::State& state) {
    headless::HeadlessHost& host = bench().host;
    auto doc = std::make_unique<headless::HDocument>();
    const auto insert = [&](int32_t type, const std::string& name, HostObject* parent) {
        std::unique_ptr<HostObject> o = host.createObject(type);
        o->setName(name);
        return doc->insertObject(std::move(o), parent, nullptr);
    };
    HostObject* plane = insert(HostType::kPlane, "Floor", nullptr);
    plane->data().setInt(PlaneParam::kWidthSegments, 400);
    plane->data().setInt(PlaneParam::kHeightSegments, 400);
    plane->insertTag(host.createTag(HostType::kPhongTag), nullptr);
    HostObject* generator = insert(HostType::kSubdivisionGenerator, "Smooth cube", nullptr);
    generator->data().setInt(SubdivisionGeneratorParam::kLevel, 5);
    insert(HostType::kCube, "Cube", generator);
    HostObject* sphere = insert(HostType::kSphere, "Twisted sphere", nullptr);
    sphere->data().setInt(SphereParam::kSegments, 160);
    insert(HostType::kTwistDeformer, "Twist", sphere)
        ->data()
        .setReal(TwistDeformerParam::kAnglePerUnit, 0.01f);
    for (HostObject* linked : {generator, sphere}) {
        std::unique_ptr<HostObject> instance = host.createObject(PluginId::kInstance);
        instance->data().setLink(INSTANCE_LINK, linked);
        doc->insertObject(std::move(instance), nullptr, nullptr);
    }
    ZarvexSceneExporter exporter;
    exporter.configureExport(doc.get(), HostFilename("D:\\out\\large.zvs"), false, false, false);
    int64_t triangles = 0;
    for (auto _ : state) {
        host.clearConsole();
        if (exporter.exportScene() != 1) {
            state.SkipWithError("export failed");
            return;
        }
        state.PauseTiming();
        std::vector<std::string> summaries;
        for (const std::string& line : host.consoleLines()) {
            if (line.rfind("--Exported mesh: ", 0) == 0) {
                summaries.push_back(line);
            }
        }
        std::string text;
        TiXmlDocument scene;
        host.readFile(HostFilename("D:\\out\\large.zvs"), text);
        parseXmlDocument(text, scene);
        std::size_t k = 0;
        triangles = 0;
        for (const TiXmlElement* mesh = scene.FirstChildElement("scene")->FirstChildElement("mesh");
             mesh != nullptr; mesh = mesh->NextSiblingElement("mesh"), ++k) {
            const char* path =
                mesh->FirstChildElement("external")->FirstChildElement("path")->GetText();
            ZarvexMesh read;
            readMeshFile(host.nativePath(HostFilename(path)), read);
            const std::string counts = ", " + std::to_string(read.triangles.size()) + " Tris, " +
                                       std::to_string(read.verts.size()) + " Vertices, " +
                                       std::to_string(read.uv_pairs.size()) + " UVs.";
            if (k >= summaries.size() || summaries[k].find(counts) == std::string::npos) {
                state.SkipWithError("a mesh file does not match its console line");
                return;
            }
            triangles += int64_t(read.triangles.size());
        }
        state.counters["mesh files"] = double(k);
        state.ResumeTiming();
    }
    state.counters["triangles"] = double(triangles);
    state.counters["triangles/s"] =
        benchmark::Counter(double(triangles), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ExportLargeScene)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

// Large blocks stay in the heap once freed, so that every iteration measures the export rather
// than the kernel handing out fresh pages (the order of the benchmarks no longer matters).
int main(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
