// Handlers for the stop signals of cli/stop_signals.h.
#include "cli/stop_signals.h"

namespace zv::cli {
namespace {

// A signal handler can reach nothing but static storage: these are the only
// bridges from a signal to the run, read by the run's observer.
volatile std::sig_atomic_t received = 0;
volatile std::sig_atomic_t checkpointAsked = 0;

extern "C" void OnStopSignal(int signal) {
  if (received == 0) received = signal;
}

extern "C" void OnCheckpointSignal(int) { checkpointAsked = 1; }

}  // namespace

StopSignals::StopSignals() {
  received = 0;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kStopSignals.size(); ++i)
    sigaction(kStopSignals[i].number, &action, &previous_[i]);
  checkpointAsked = 0;
  action.sa_handler = OnCheckpointSignal;
  sigaction(SIGUSR1, &action, &previousCheckpoint_);
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < kStopSignals.size(); ++i)
    sigaction(kStopSignals[i].number, &previous_[i], nullptr);
  sigaction(SIGUSR1, &previousCheckpoint_, nullptr);
}

int StopSignals::Received() const { return received; }

bool StopSignals::TakeCheckpointRequest() {
  if (checkpointAsked == 0) return false;
  checkpointAsked = 0;
  return true;
}

const char* StopSignalName(int signal) {
  for (const StopSignal& s : kStopSignals)
    if (s.number == signal) return s.name;
  return "signal";
}

}  // namespace zv::cli
