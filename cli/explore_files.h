// The explorer's checkpoint and part files: the results of the variants
// done so far, for --resume and for merging the parts of a split list.
//
// A text file, written atomically:
//   ZVEXPLORE 1
//   run <16 hex digits>            the fingerprint of the task, forms and list options
//   part K N                       which part of the list (1 1: the whole list)
//   variants V                     how many variants the whole list holds
//   v INDEX CALLS MS FORM...       per variant done: its index in the whole list
//                                  (from 0), search calls, milliseconds and per form
//                                  'i' (invalid) or a verdict letter (n, u, s, t for
//                                  stopped) followed by the solutions stored
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "cli/failures.h"
#include "editor/variant_explorer.h"

namespace zv::cli {

struct ExploreFile {
  std::uint64_t run = 0;
  int part = 1, parts = 1;
  std::size_t variants = 0;
  std::map<std::size_t, VariantResult> done;  // by index in the whole list
};

// The fingerprint of a run: the task file image, the extra forms, the depth and the kinds.
std::uint64_t ExploreFingerprint(const TaskState& task, const std::vector<ExploreForm>& forms, int depth,
                                 unsigned families);

std::optional<Failure> SaveExploreFile(const std::string& path, const ExploreFile& file);
// Reads `path`; a file that is damaged or holds another run (`run`,
// `variants`, `forms` per result) is refused with the failure to report.
std::optional<Failure> LoadExploreFile(const std::string& path, std::uint64_t run, std::size_t variants,
                                       std::size_t forms, ExploreFile& out);

}  // namespace zv::cli
