// Writing and reading back a mesh of 1,000,000 triangles with normals and UVs, beside a plain
// fwrite and fread of the same number of bytes, to show what the mesh file costs over raw I/O.
//
//   build/bench/meshfile_bench [--benchmark_filter=...]
//
// The files go to $TMPDIR (default /tmp).
#include "meshfile/zarvex_mesh.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr std::uint32_t kTriangles = 1000000;
constexpr std::uint32_t kVertices = kTriangles / 2;

std::string scratchPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr ? dir : "/tmp") + "/tolvane-bench-" +
           std::to_string(getpid()) + "-" + name;
}

const ZarvexMesh& benchmarkMesh() {
    static const ZarvexMesh mesh = [] {
        ZarvexMesh m;
        m.num_uv_mappings = 1;
        m.used_materials = {"defaultMat", "Chrome", "Wood"};
        m.uv_set_names = {{"default", 0}};
        std::mt19937 random(7);
        std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
        m.verts.resize(kVertices);
        m.normals.resize(kVertices);
        m.uv_pairs.resize(kVertices);
        for (std::uint32_t i = 0; i < kVertices; ++i) {
            m.verts[i] = {unit(random) * 100, unit(random) * 100, unit(random) * 100};
            m.normals[i] = {unit(random), unit(random), unit(random)};
            m.uv_pairs[i] = {unit(random), unit(random)};
        }
        m.triangles.resize(kTriangles);
        for (std::uint32_t i = 0; i < kTriangles; ++i) {
            const std::uint32_t a = random() % kVertices;
            const std::uint32_t b = random() % kVertices;
            const std::uint32_t c = random() % kVertices;
            m.triangles[i] = {{a, b, c}, {a, b, c}, i % 3};
        }
        return m;
    }();
    return mesh;
}

long fileSize(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return 0;
    }
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fclose(file);
    return size;
}

void BM_WriteMeshFile(benchmark::State& state) {
    const ZarvexMesh& mesh = benchmarkMesh();
    const std::string path = scratchPath("write.zvmesh");
    for (auto _ : state) {
        writeMeshFile(path, mesh);
    }
    state.SetBytesProcessed(state.iterations() * fileSize(path));
    std::remove(path.c_str());
}

void BM_ReadMeshFile(benchmark::State& state) {
    const std::string path = scratchPath("read.zvmesh");
    writeMeshFile(path, benchmarkMesh());
    for (auto _ : state) {
        ZarvexMesh mesh;
        readMeshFile(path, mesh);
        benchmark::DoNotOptimize(mesh.triangles.data());
    }
    state.SetBytesProcessed(state.iterations() * fileSize(path));
    std::remove(path.c_str());
}

// The byte count of the mesh file above, for the raw copies.
std::size_t meshFileBytes() {
    static const std::size_t bytes = [] {
        const std::string path = scratchPath("size.zvmesh");
        writeMeshFile(path, benchmarkMesh());
        const long size = fileSize(path);
        std::remove(path.c_str());
        return static_cast<std::size_t>(size);
    }();
    return bytes;
}

void BM_RawFwrite(benchmark::State& state) {
    const std::vector<char> bytes(meshFileBytes(), 'x');
    const std::string path = scratchPath("raw-write.bin");
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
            state.SkipWithError("fwrite failed");
        }
        if (file != nullptr) {
            std::fclose(file);
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    std::remove(path.c_str());
}

void BM_RawFread(benchmark::State& state) {
    std::vector<char> bytes(meshFileBytes(), 'x');
    const std::string path = scratchPath("raw-read.bin");
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    // One buffer for every run: a fresh 44 MB block would come from mmap each time and cost
    // more in page faults than the read itself, while the reader's lists, each below glibc's
    // mmap threshold, are served again from the heap after the first run.
    std::vector<char> target(bytes.size());
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr || std::fread(target.data(), 1, target.size(), file) != target.size()) {
            state.SkipWithError("fread failed");
        }
        if (file != nullptr) {
            std::fclose(file);
        }
        benchmark::DoNotOptimize(target.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    std::remove(path.c_str());
}

// Wall-clock time: the bytes per second include the time spent in the kernel and waiting.
BENCHMARK(BM_WriteMeshFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawFwrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadMeshFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawFread)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
