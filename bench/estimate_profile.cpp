// estimate_profile: how well the window's time-left estimate tells the
// truth. Each task is solved as the window solves it (the editing session,
// by work units, on every processor unless --threads says otherwise);
// the share of the tree explored is sampled every 100 ms, fed to the
// estimate once a second as the window's refresh does, and at 10 %, 50 %
// and 90 % of the run's real time the line shows the estimate ("—" when
// none is shown) against the time truly left. --samples FILE also writes
// every sample (task, ms, explored) for study.
//
// usage: estimate_profile [--threads N] [--samples FILE] TASK.zvt...
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor_session.h"
#include "editor/time_estimate.h"
#include "storage/task_file.h"

namespace {

struct Sample {
  std::uint64_t ms;
  double explored;
};

class Sampler final : public zv::SolveObserver {
 public:
  Sampler() : start_(std::chrono::steady_clock::now()) {}
  bool StopRequested() override { return false; }
  void Refresh(const zv::SolveStats& stats) override {
    const std::uint64_t ms = Now();
    if (!samples.empty() && ms < samples.back().ms + 100) return;
    samples.push_back({ms, stats.explored});
  }
  std::uint64_t Now() const {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_)
            .count());
  }
  std::vector<Sample> samples;

 private:
  std::chrono::steady_clock::time_point start_;
};

std::string Shown(std::optional<double> seconds) {
  if (!seconds) return "—";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", *seconds);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  int threads = zv::DefaultThreadCount();
  FILE* samplesFile = nullptr;
  std::vector<std::string> tasks;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc)
      threads = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--samples") == 0 && i + 1 < argc)
      samplesFile = std::fopen(argv[++i], "w");
    else
      tasks.emplace_back(argv[i]);
  }
  std::printf("%-28s %8s  %16s  %16s  %16s\n", "task", "run s", "10 %: est/true", "50 %: est/true",
              "90 %: est/true");
  for (const std::string& path : tasks) {
    zv::TaskState task;
    if (zv::ReadTaskFile(path, task) != zv::ReadResult::Ok) {
      std::fprintf(stderr, "estimate_profile: cannot read %s\n", path.c_str());
      return 2;
    }
    zv::EditorSession session;
    session.ReplaceTask(task);
    if (!session.BeginSolving().mode) {
      std::fprintf(stderr, "estimate_profile: %s cannot be solved\n", path.c_str());
      return 2;
    }
    Sampler sampler;
    zv::SolveOptions options;
    options.threads = threads;
    session.RunSolver(sampler, options);
    const std::uint64_t total = sampler.Now();
    if (samplesFile != nullptr)
      for (const Sample& s : sampler.samples)
        std::fprintf(samplesFile, "%s %llu %.9f\n", path.c_str(), static_cast<unsigned long long>(s.ms),
                     s.explored);

    // The window's refresh: once a second, from the samples so far.
    zv::RemainingEstimate estimate;
    std::string cells[3];
    const double marks[3] = {0.1, 0.5, 0.9};
    std::uint64_t nextSecond = 1000;
    std::optional<double> shown;
    int mark = 0;
    for (const Sample& s : sampler.samples) {
      if (s.ms >= nextSecond) {
        shown = estimate.Update(s.ms, s.explored);
        nextSecond += 1000;
      }
      while (mark < 3 && static_cast<double>(s.ms) >= marks[mark] * static_cast<double>(total)) {
        char cell[64];
        std::snprintf(cell, sizeof cell, "%s / %.1f", Shown(shown).c_str(),
                      static_cast<double>(total - s.ms) * 0.001);
        cells[mark++] = cell;
      }
    }
    const std::string name = path.substr(path.find_last_of('/') + 1);
    std::printf("%-28s %8.1f  %16s  %16s  %16s\n", name.c_str(), total * 0.001, cells[0].c_str(),
                cells[1].c_str(), cells[2].c_str());
    std::fflush(stdout);
  }
  if (samplesFile != nullptr) std::fclose(samplesFile);
  return 0;
}
