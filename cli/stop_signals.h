// The signals that stop a solve: while a StopSignals object lives, SIGINT
// (Ctrl+C), SIGTERM (what `timeout` and batch schedulers send) and SIGHUP (a
// closed terminal) only note that they came, so the run can stop and print
// what it found, and SIGUSR1 notes a request for a checkpoint while the run
// goes on; the handlers before it come back when it goes.
#pragma once

#include <array>
#include <csignal>

namespace zv::cli {

struct StopSignal {
  int number;
  const char* name;
};

inline constexpr std::array<StopSignal, 3> kStopSignals{
    {{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}}};

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The first stop signal received since construction, 0 = none yet.
  int Received() const;
  // Whether SIGUSR1 came since construction or the last call.
  bool TakeCheckpointRequest();

 private:
  std::array<struct sigaction, kStopSignals.size()> previous_{};
  struct sigaction previousCheckpoint_ {};
};

// "SIGINT", "SIGTERM" or "SIGHUP"; "signal" for any other number.
const char* StopSignalName(int signal);

}  // namespace zv::cli
