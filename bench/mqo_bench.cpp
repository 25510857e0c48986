// Reading a large model: ModelCache::ReadMqo on an MQO file against
// tinyobjloader's LoadObj on an OBJ file of the same geometry, a grid of
// 1000 x 1000 textured quads (1002001 vertices with texture coordinates),
// both written at start into a temporary folder. This is a cross-format
// comparison: the MQO file carries its texture coordinates per face corner
// and is larger, the OBJ file shares them per vertex. Both readers read the
// file from disk each time, split quads into triangles and parse doubles.
// Reported in bytes and faces (quads) per second; after the runs it prints
// our time over tinyobjloader's.
//
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DWOXA_BUILD_BENCH=ON
//   cmake --build build/bench --target mqo_bench && build/bench/bench/mqo_bench
#include <benchmark/benchmark.h>

#define TINYOBJLOADER_IMPLEMENTATION
#define TINYOBJLOADER_USE_DOUBLE
#include <tiny_obj_loader.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "woxa/model/model_cache.h"

namespace {

constexpr int kQuadsPerSide = 1000;
constexpr int kVerticesPerSide = kQuadsPerSide + 1;
constexpr long kQuads = static_cast<long>(kQuadsPerSide) * kQuadsPerSide;

std::filesystem::path Folder() {
  static const std::filesystem::path folder = std::filesystem::temp_directory_path() / "woxa_mqo_bench";
  return folder;
}

std::string MqoPath() { return (Folder() / "grid.mqo").string(); }
std::string ObjPath() { return (Folder() / "grid.obj").string(); }

struct Vertex {
  double x, y, z, u, v;
};

Vertex VertexAt(int i, int j) {
  const double x = i * 0.01 - 5.0;
  const double z = j * 0.01 - 5.0;
  return {x, std::sin(x * 3.0) * std::cos(z * 2.0), z, static_cast<double>(i) / kQuadsPerSide,
          static_cast<double>(j) / kQuadsPerSide};
}

int IndexOf(int i, int j) { return j * kVerticesPerSide + i; }

// The corners of quad (i, j), counter-clockwise seen from +y.
void CornersOf(int i, int j, int corners[4]) {
  corners[0] = IndexOf(i, j);
  corners[1] = IndexOf(i, j + 1);
  corners[2] = IndexOf(i + 1, j + 1);
  corners[3] = IndexOf(i + 1, j);
}

void WriteMqo() {
  std::FILE* f = std::fopen(MqoPath().c_str(), "wb");
  std::fprintf(f, "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\n");
  std::fprintf(f, "Material 1 {\r\n\t\"grid\" shader(3) col(1.000 1.000 1.000 1.000) dif(0.800)\r\n}\r\n");
  std::fprintf(f, "Object \"grid\" {\r\n\tdepth 0\r\n\tvisible 15\r\n\tvertex %d {\r\n",
               kVerticesPerSide * kVerticesPerSide);
  for (int j = 0; j < kVerticesPerSide; ++j) {
    for (int i = 0; i < kVerticesPerSide; ++i) {
      const Vertex v = VertexAt(i, j);
      std::fprintf(f, "\t\t%.6f %.6f %.6f\r\n", v.x, v.y, v.z);
    }
  }
  std::fprintf(f, "\t}\r\n\tface %ld {\r\n", kQuads);
  for (int j = 0; j < kQuadsPerSide; ++j) {
    for (int i = 0; i < kQuadsPerSide; ++i) {
      int c[4];
      CornersOf(i, j, c);
      const Vertex a = VertexAt(i, j), b = VertexAt(i, j + 1), d = VertexAt(i + 1, j + 1), e = VertexAt(i + 1, j);
      std::fprintf(f, "\t\t4 V(%d %d %d %d) M(0) UV(%.6f %.6f %.6f %.6f %.6f %.6f %.6f %.6f)\r\n", c[0], c[1], c[2],
                   c[3], a.u, a.v, b.u, b.v, d.u, d.v, e.u, e.v);
    }
  }
  std::fprintf(f, "\t}\r\n}\r\nEof\r\n");
  std::fclose(f);
}

void WriteObj() {
  std::FILE* f = std::fopen(ObjPath().c_str(), "wb");
  std::fprintf(f, "o grid\n");
  for (int j = 0; j < kVerticesPerSide; ++j) {
    for (int i = 0; i < kVerticesPerSide; ++i) {
      const Vertex v = VertexAt(i, j);
      std::fprintf(f, "v %.6f %.6f %.6f\n", v.x, v.y, v.z);
    }
  }
  for (int j = 0; j < kVerticesPerSide; ++j) {
    for (int i = 0; i < kVerticesPerSide; ++i) {
      const Vertex v = VertexAt(i, j);
      std::fprintf(f, "vt %.6f %.6f\n", v.u, v.v);
    }
  }
  for (int j = 0; j < kQuadsPerSide; ++j) {
    for (int i = 0; i < kQuadsPerSide; ++i) {
      int c[4];
      CornersOf(i, j, c);
      std::fprintf(f, "f %d/%d %d/%d %d/%d %d/%d\n", c[0] + 1, c[0] + 1, c[1] + 1, c[1] + 1, c[2] + 1, c[2] + 1,
                   c[3] + 1, c[3] + 1);
    }
  }
  std::fclose(f);
}

double FileSize(const std::string& path) { return static_cast<double>(std::filesystem::file_size(path)); }

void Report(benchmark::State& state, const std::string& path) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileSize(path)));
  state.counters["faces/s"] = benchmark::Counter(static_cast<double>(kQuads), benchmark::Counter::kIsIterationInvariantRate);
}

void Woxa(benchmark::State& state) {
  woxa::ModelCache cache;
  for (auto _ : state) {
    woxa::MqoModel model(MqoPath(), woxa::kModelTypeMqo);
    if (!cache.ReadMqo(model) || model.objects.size() != 1 ||
        model.objects[0].untextured_faces.size() != 2 * static_cast<std::size_t>(kQuads)) {
      state.SkipWithError("MQO read failed");
    }
    benchmark::DoNotOptimize(model.objects.data());
  }
  state.SetLabel("MQO, cross-format");
  Report(state, MqoPath());
}

void TinyObj(benchmark::State& state) {
  for (auto _ : state) {
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warning, error;
    if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, ObjPath().c_str(), nullptr, true) ||
        shapes.size() != 1 || shapes[0].mesh.num_face_vertices.size() != 2 * static_cast<std::size_t>(kQuads)) {
      state.SkipWithError("OBJ read failed");
    }
    benchmark::DoNotOptimize(attrib.vertices.data());
  }
  state.SetLabel("OBJ, cross-format");
  Report(state, ObjPath());
}

// Keeps the time of each benchmark (the mean when runs are repeated) to
// print the ratio at the end, in real and in CPU time.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
      if (run.run_type != Run::RT_Iteration && !mean) continue;
      const std::string name = run.run_name.function_name;
      if (mean || times_.count(name) == 0) times_[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatio() const {
    const auto ours = times_.find("woxa/mqo");
    const auto peer = times_.find("tinyobjloader/obj");
    if (ours == times_.end() || peer == times_.end()) return;
    std::printf("\nwoxa MQO time / tinyobjloader OBJ time, same geometry (at most 1.0 wanted)\n");
    std::printf("real %.1f / %.1f ms = %.2f   cpu %.1f / %.1f ms = %.2f\n", ours->second.real, peer->second.real,
                ours->second.real / peer->second.real, ours->second.cpu, peer->second.cpu,
                ours->second.cpu / peer->second.cpu);
    std::printf("files: MQO %.1f MB, OBJ %.1f MB\n", FileSize(MqoPath()) / 1e6, FileSize(ObjPath()) / 1e6);
  }

 private:
  struct Times {
    double real;
    double cpu;
  };
  std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::create_directories(Folder());
  WriteMqo();
  WriteObj();
  benchmark::RegisterBenchmark("woxa/mqo", Woxa)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("tinyobjloader/obj", TinyObj)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio();
  std::error_code ignored;
  std::filesystem::remove_all(Folder(), ignored);
  return 0;
}
