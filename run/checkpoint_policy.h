// When a run over work units writes its checkpoint: every so often as units
// finish (a unit's end is when the finished units stand still), when asked
// (a signal, a close that keeps the run), at a stop and at the end. The
// front end gives the writing and the run's clock and says what a failed
// write means; the policy times the writes and remembers how they went.
//
// Usage:
//   zv::CheckpointPolicy policy([&] { return WriteTheFile(); }, [&] { return clock.ElapsedMs(); },
//                               10 * 60 * 1000);
//   job.onUnit = [&] { policy.UnitFinished(); };   // periodic
//   policy.WriteNow();                             // on request, at a stop, at the end
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace zv {

class CheckpointPolicy {
 public:
  // `write` writes the checkpoint and says whether it could; `now` is the
  // run's elapsed time in milliseconds; `everyMs` 0 writes at every unit's
  // end, nothing (the default) never periodically.
  CheckpointPolicy(std::function<bool()> write, std::function<std::uint64_t()> now,
                   std::optional<std::uint64_t> everyMs = std::nullopt);

  // A unit finished: writes once `everyMs` passed since the last write (or
  // since the run began).
  void UnitFinished();
  // Writes now; whether it could.
  bool WriteNow();
  // Some write of the run failed.
  bool AnyFailed() const { return anyFailed_; }

 private:
  std::function<bool()> write_;
  std::function<std::uint64_t()> now_;
  std::optional<std::uint64_t> everyMs_;
  std::uint64_t lastMs_ = 0;
  bool anyFailed_ = false;
};

}  // namespace zv
