// TgaImage::Load against stb_image's stbi_load on the same 2048 x 2048 files
// (24-bit, 32-bit with alpha, 8-bit grey), both giving 8-bit RGBA from the
// file. After the runs it prints our time over stb_image's for each kind.
#include <benchmark/benchmark.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#include <stb/stb_image.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "woxa/image/tga_image.h"

namespace {

constexpr int kSize = 2048;

struct Kind {
  const char* name;
  unsigned char image_type, depth, descriptor, bytes_per_pixel;
};
const Kind kKinds[] = {{"rgb24", 2, 24, 0x00, 3}, {"rgba32", 2, 32, 0x08, 4}, {"grey8", 3, 8, 0x00, 1}};

std::filesystem::path Folder() {
  static const std::filesystem::path folder = std::filesystem::temp_directory_path() / "woxa_tga_bench";
  return folder;
}

std::string PathOf(const Kind& kind) { return (Folder() / (std::string(kind.name) + ".tga")).string(); }

void WriteFile(const Kind& kind) {
  std::vector<unsigned char> bytes = {0, 0, kind.image_type, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                      kSize & 255, kSize >> 8, kSize & 255, kSize >> 8, kind.depth, kind.descriptor};
  unsigned seed = 1;
  const std::size_t data = std::size_t{kSize} * kSize * kind.bytes_per_pixel;
  for (std::size_t i = 0; i < data; ++i) bytes.push_back(static_cast<unsigned char>((seed = seed * 1103515245u + 12345u) >> 16));
  std::ofstream(PathOf(kind), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                       static_cast<std::streamsize>(bytes.size()));
}

void Ours(benchmark::State& state, const Kind& kind) {
  woxa::TgaImage image;
  image.file_name = PathOf(kind);
  for (auto _ : state) {
    if (!image.Load()) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.pixels.data());
  }
}

void Stb(benchmark::State& state, const Kind& kind) {
  const std::string path = PathOf(kind);
  for (auto _ : state) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (pixels == nullptr) state.SkipWithError("stbi_load failed");
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
  }
}

// Keeps the time of each benchmark (the mean when runs are repeated) to
// print the ratios at the end, in real and in CPU time: on a shared machine
// the CPU time is the steadier of the two.
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
  void PrintRatios() const {
    std::printf("\nwoxa time / stb_image time (at most 0.5 wanted)\n");
    for (const Kind& kind : kKinds) {
      const auto ours = times_.find(std::string("woxa/") + kind.name);
      const auto stb = times_.find(std::string("stb_image/") + kind.name);
      if (ours == times_.end() || stb == times_.end()) continue;
      std::printf("%-7s real %.3f / %.3f ms = %.2f   cpu %.3f / %.3f ms = %.2f\n", kind.name, ours->second.real,
                  stb->second.real, ours->second.real / stb->second.real, ours->second.cpu, stb->second.cpu,
                  ours->second.cpu / stb->second.cpu);
    }
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
  for (const Kind& kind : kKinds) {
    WriteFile(kind);
    benchmark::RegisterBenchmark((std::string("woxa/") + kind.name).c_str(), Ours, kind)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("stb_image/") + kind.name).c_str(), Stb, kind)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  std::error_code ignored;
  std::filesystem::remove_all(Folder(), ignored);
  return 0;
}
