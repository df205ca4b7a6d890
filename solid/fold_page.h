// A web page of one solution: a single HTML file that opens from disk with
// no network and shows the solution in 3-D with three.js (turned with the
// mouse, zoomed with the wheel, each cube in its colour of the 3-D view and
// each face with its cube's number), plays the fold with a slider and a play
// button (the motion the fold check found, where it found one), says the
// check's verdict, and shows the task's description.
//
// Usage:
//   const zv::FoldVerdict verdict = zv::CheckFolding(solid, zv::FoldBudget{});
//   zv::Fold fold(solid);
//   zv::PrepareFoldToPlay(fold, verdict);
//   zv::WriteFoldPage(path, {solid, fold, verdict.outcome, words, colours, numbers, description});
//
// The page's data is one JSON document inside it (<script id="zorvat-data">):
// "description", "verdict" ("foldable", "not_found" or "not_checked") and
// "verdictText" (its words, from the caller), "cubes" (each cube's user
// number and colour), "steps" and "frames": the fold sampled from T = 0 to
// 1, every frame one entry per cube [qx, qy, qz, qw, x, y, z], its
// orientation as a quaternion and its centre, in three.js's frame (x to the
// right, y up; the solver's z, the form layer, grows downward, so three.js
// y = -z and z = the solver's y). The page turns frame to frame with a
// spherical blend. "#t=0.5" after its address opens it half way through the
// fold. With "#selftest" after its address the page reports on itself in
// <pre id="selftest">, for the browser test: drawn pixels, whether the
// picture changes along the fold, the verdict shown, the closest two cube
// centres come in any frame (below 1 two cubes pass through each other),
// each cube's form cell at the end, and script errors.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/task.h"
#include "solid/fold.h"
#include "solid/fold_verdict.h"

namespace zv {

// Where Debian's libjs-three keeps the library and its mouse controls.
inline constexpr const char* kThreeJsPath = "/usr/share/javascript/three/three.min.js";
inline constexpr const char* kThreeControlsPath =
    "/usr/share/javascript/three/examples/js/controls/OrbitControls.js";

struct FoldPageInput {
  const SolidSolution& solid;
  const Fold& fold;                           // what the page plays (PrepareFoldToPlay)
  FoldOutcome outcome;                        // the fold check's verdict
  std::string_view verdictText;               // its words, UTF-8
  const std::vector<std::uint32_t>& colours;  // each cube's 0xRRGGBB (CubeColours)
  const std::vector<int>& numbers;            // the user number of each cube
  std::string_view description;               // UTF-8
  std::string_view threeJs = {};              // three.min.js
  std::string_view controlsJs = {};           // OrbitControls.js
};

// Sets in `fold` what the page plays for the check's `verdict`: the motion
// it found when the solution is foldable, else the single turns in an order
// without collisions where FindFoldOrder finds one (the plain order else).
void PrepareFoldToPlay(Fold& fold, const FoldVerdict& verdict);

std::string BuildFoldPage(const FoldPageInput& input);

enum class FoldPageResult { Written, NoThreeJs, WriteFailed };

// Reads three.js from kThreeJsPath and kThreeControlsPath into `input`,
// builds the page and replaces `path` atomically.
FoldPageResult WriteFoldPage(const std::string& path, FoldPageInput input);

}  // namespace zv
