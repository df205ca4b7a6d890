// Result files ("*.zvr"): a finished or stopped run kept for browsing
// without solving again: the task, the stored solutions in the order found
// and the run's counters. The reader checks the layout, the checksum, the
// task (as the task file reader does) and that the counters agree with each
// other; whether the solutions are solutions of the task the solver checks
// when it is handed them (Solver::Restore).
//
// Usage:
//   zv::ResultFile file{task, engine, outcome, solver.Stats(), images};
//   if (!zv::WriteResultFile(path, file)) -> cannot write
//   if (zv::ReadResultFile(path, file) == zv::ResultFileStatus::Ok) ...  // file untouched otherwise
//
// Layout (storage/byte_image.h framing, little-endian): "ZVRESLT" and byte
// 0x1a, format 1 (uint32); the task file image's length (uint32) and the
// image (storage/task_file.h); the engine (uint8: 0 reduced, 1 fast, 2
// reference), the outcome (uint8: 0 finished, 1 stopped, 2 out of memory),
// flags (uint8: bit 0 the assignment count is a lower bound, bit 1 the found
// count is); assignments, solutions found, dead ends, search calls (uint64
// each); the form's cell count N and the stored solution count K (uint32
// each); K solutions of 2N bytes: the cube index + 1 on each form cell by
// form cell number (0 = empty), then each cell's rotation 0..23; last the
// FNV-1a 64 hash of every byte before.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/task.h"
#include "solver/solver.h"

namespace zv {

inline constexpr std::uint32_t kResultFileFormat = 1;

enum class ResultFileStatus {
  Ok,
  Missing,        // no such file
  Unreadable,     // cannot be read
  NotResultFile,  // does not start as a result file
  NewerFormat,    // written by a later program
  Damaged,        // checksum, layout, task or counters broken
};

struct ResultFile {
  TaskState task;
  SolveEngine engine = SolveEngine::Reduced;
  SolveOutcome outcome = SolveOutcome::Complete;  // Complete, Stopped or OutOfMemory
  SolveStats stats;                               // every counter but `explored`
  // stats.solutionCount images of 2N bytes, N the task's form cells, laid
  // out as Solver::SolutionCubes(i) followed by SolutionRotations(i).
  std::vector<std::uint8_t> solutions;
};

// The form cells of a task: N above.
int FormCellCount(const TaskState& task);

std::vector<std::uint8_t> BuildResultImage(const ResultFile& file);
// Replaces `out` only on Ok.
ResultFileStatus ParseResultImage(std::span<const std::uint8_t> image, ResultFile& out);

ResultFileStatus ReadResultFile(const std::string& path, ResultFile& out);
// Whether the file at `path` begins as a result file (its first bytes only).
bool StartsAsResultFile(const std::string& path);
// Atomic (platform/files.h); false when it could not be written.
bool WriteResultFile(const std::string& path, const ResultFile& file);

}  // namespace zv
