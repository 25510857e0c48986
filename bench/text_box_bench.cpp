// Appending to a text box stays linear: one million TextView::Printf lines
// into a box with the default limit of 128 lines should cost about ten
// times as much as one hundred thousand, whatever the history before them.
// Every tenth line changes colour, so dropped lines carry their colour to
// the next one. The two counts run interleaved at random; the ratio of
// their fastest repetitions is printed at the end. No GL is involved: only
// the text logic runs (the grid reads the font's cell size).
//
//   cmake --preset linux
//   cmake --build build/linux --target text_box_bench && build/linux/bench/text_box_bench
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "woxa/forms/text_box.h"
#include "woxa/text/font.h"

namespace {

const woxa::Color kPalette[] = {{255, 255, 255, 255}, {255, 96, 96, 255}, {96, 255, 96, 255}};

void BM_Printf(benchmark::State& state) {
  const auto count = static_cast<std::int64_t>(state.range(0));
  for (auto _ : state) {
    woxa::TextBox box;
    box.SetSize(800, 600);
    for (std::int64_t i = 0; i < count; ++i) {
      if (i % 10 == 0) box.SetColor(kPalette[(i / 10) % 3]);
      box.Printf("line %lld: the quick brown fox jumps over the lazy dog\n", static_cast<long long>(i));
    }
    benchmark::DoNotOptimize(box.lines.size());
  }
  state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(BM_Printf)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Keeps the fastest repetition of each count, the one least disturbed by
// whatever else runs on the machine.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      const std::string name = run.run_name.function_name + "/" + run.run_name.args;
      const double t = run.GetAdjustedCPUTime();
      auto it = best_.find(name);
      if (it == best_.end() || t < it->second) best_[name] = t;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatio() const {
    auto small = best_.find("BM_Printf/100000");
    auto large = best_.find("BM_Printf/1000000");
    if (small == best_.end() || large == best_.end()) return;
    std::printf("100000 lines %.1f ms, 1000000 lines %.1f ms, ratio %.2f (linear: 10)\n", small->second,
                large->second, large->second / small->second);
  }

 private:
  std::map<std::string, double> best_;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int arg_count = static_cast<int>(args.size());
  benchmark::Initialize(&arg_count, args.data());
  woxa::Font font;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio();
  benchmark::Shutdown();
  return 0;
}
