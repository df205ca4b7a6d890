// Work-unit files: a run's checkpoint and one part's output share this
// layout (a part's output is the checkpoint of a part with every unit done).
// They hold the task's fingerprint, the engine, the cut, the part and the
// finished units' results (solver/work_units.h). The reader checks the
// layout and a checksum; whether the results fit the task's cut and blocks
// the solver checks when it is handed them.
//
// Usage:
//   zv::UnitFile file = zv::MakeUnitFile(task, v.links.blockCount, engine, job);
//   if (!zv::WriteUnitFile(path, file)) -> cannot write
//   if (zv::ReadUnitFile(path, file) == zv::UnitFileStatus::Ok) ...
//
// Layout (little-endian): "ZVUNITS" and byte 0x1a, the format (uint32), the
// task fingerprint (uint64), the engine (uint8: 0 reduced, 1 fast), the
// cut's depth (int32), unit count (uint32) and path hash (uint64), part and
// parts (int32 each), the block count B (int32), the result count (uint32);
// per result, by ascending unit: unit (uint32), assignments, search calls,
// dead ends (uint64 each), flags (uint8: bit 0 assignments overflowed, bit 1
// class list cut short), the first members' count F (uint32) and F x B
// placement numbers (int32); in format 3 then the units a stop landed in,
// their count G (uint32) and per place, by ascending unit, its counters and
// first members so far as a result's, its step count S (uint32) and per
// step the branch (int32), the assignments when the branch and when the
// branching began (uint64 each), the noted count E (uint32) and E pairs of
// a candidate or placement class (int32) and its count (uint64); then the
// merge so far: units merged (uint32), the assignments offered A (uint32)
// and A bits, 1 for a new class (bit i in byte i / 8, lowest first); in
// formats 2 to 4 then the task's file image (storage/task_file.h) as its
// length T (uint32, from 1) and T bytes; in format 4 then the run's elapsed
// time so far, over all its stretches (uint64 milliseconds); last the
// FNV-1a 64 hash of every byte before. Format 1 is a file without the task,
// and the writer still writes it so (without places, merge and time), as
// it writes format 3 for a file whose time is not known (0); format 2 has
// no places and no merge, format 3 no time (read as 0), and both are still
// read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/task.h"
#include "solver/solver.h"
#include "solver/work_units.h"

namespace zv {

inline constexpr std::uint32_t kUnitFileFormat = 4;  // the latest; 1 when the task is left out
inline constexpr int kMaxParts = 1000000;

enum class UnitFileStatus {
  Ok,
  Missing,      // no such file
  Unreadable,   // cannot be read
  NotUnitFile,  // does not start as a work-unit file
  NewerFormat,  // written by a later program
  Damaged,      // checksum or layout broken
};

struct UnitFile {
  std::uint64_t taskFingerprint = 0;
  SolveEngine engine = SolveEngine::Reduced;  // Reduced or Fast
  UnitCut cut;
  int part = 1;
  int parts = 1;
  int blockCount = 0;
  std::vector<UnitResult> results;  // ascending unit, each in the part
  std::vector<UnitPlace> begun;     // ascending unit, each in the part
  std::uint32_t mergedUnits = 0;    // UnitJob::mergedUnits and mergedNew
  std::vector<std::uint8_t> mergedNew;
  // The task's file image; empty when the file does not hold the task. When
  // present its FNV-1a 64 hash is the fingerprint.
  std::vector<std::uint8_t> taskImage;
  // The run's elapsed time over every stretch so far; 0 when not known (a
  // file of format 1 to 3).
  std::uint64_t elapsedMs = 0;
};

// FNV-1a 64 of the task's file image: equal for equal tasks.
std::uint64_t TaskFingerprint(const TaskState& task);

// The file of `job` (its cut, part, finished units, places and merge) for
// `task`, with the task's image and the run's elapsed time so far.
UnitFile MakeUnitFile(const TaskState& task, int blockCount, SolveEngine engine, const UnitJob& job,
                      std::uint64_t elapsedMs = 0);

// The other way, for a run that goes on from `file`: its part, the cut its
// results were made on, its finished units, places and merge so far move
// into `job`.
void ResumeJob(UnitFile&& file, UnitJob& job);

// Reads the task the file holds into `task`; false, leaving it as it was,
// when the file holds none or its image does not read back as exactly the
// task it fingerprints.
bool TaskOfUnitFile(const UnitFile& file, TaskState& task);

// Results are written by ascending unit, whatever their order in `file`.
std::vector<std::uint8_t> BuildUnitImage(const UnitFile& file);
// Replaces `out` only on Ok.
UnitFileStatus ParseUnitImage(std::span<const std::uint8_t> image, UnitFile& out);

UnitFileStatus ReadUnitFile(const std::string& path, UnitFile& out);
// Whether the file at `path` begins as a work-unit file; only its first
// bytes are read, so that a large file of another kind is not read whole.
bool StartsAsUnitFile(const std::string& path);
// Atomic (platform/files.h); false when it could not be written.
bool WriteUnitFile(const std::string& path, const UnitFile& file);

}  // namespace zv
