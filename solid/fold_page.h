// A web page of one solution: a single HTML file that opens from disk with
// no network and shows the solution in 3-D with three.js (turned with the
// mouse, zoomed with the wheel, each part in its colour and each face with
// its cube's number), plays the fold with a slider and a play button, and
// shows the task's description.
//
// Usage:
//   zv::Fold fold(solid);
//   const zv::FoldCheck check = zv::FindFoldOrder(fold);
//   std::string html = zv::BuildFoldPage({solid, fold, check.found, numbers, description, threeJs,
//   controlsJs}); zv::WriteFoldPage(path, solid, fold, check.found, numbers, task.Text);  // three.js read
//   from the system
//
// The page's data is one JSON document inside it (<script id="zorvat-data">):
// "description", "foldFound", "cubes" (each cube's user number and colour)
// and "frames": the fold sampled from T = 0 to 1, every frame one entry per
// cube [qx, qy, qz, qw, x, y, z], its orientation as a quaternion and its
// centre, in three.js's frame (x to the right, y up; the solver's z, the
// form layer, grows downward, so three.js y = -z and z = the solver's y).
// The page turns frame to frame with a spherical blend. "#t=0.5" after its
// address opens it half way through the fold. With "#selftest"
// after its address the page reports on itself in <pre id="selftest">, for
// the browser test: drawn pixels, whether the picture changes along the
// fold, each cube's form cell at the end, and script errors.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/task.h"
#include "solid/fold.h"

namespace zv {

// Where Debian's libjs-three keeps the library and its mouse controls.
inline constexpr const char* kThreeJsPath = "/usr/share/javascript/three/three.min.js";
inline constexpr const char* kThreeControlsPath =
    "/usr/share/javascript/three/examples/js/controls/OrbitControls.js";

struct FoldPageInput {
  const SolidSolution& solid;
  const Fold& fold;                 // in the order the fold check chose
  bool foldFound;                   // the check found an order without collisions
  const std::vector<int>& numbers;  // the user number of each cube
  std::string_view description;     // UTF-8
  std::string_view threeJs;         // three.min.js
  std::string_view controlsJs;      // OrbitControls.js
};

std::string BuildFoldPage(const FoldPageInput& input);

enum class FoldPageResult { Written, NoThreeJs, WriteFailed };

// Reads three.js from kThreeJsPath and kThreeControlsPath, builds the page
// with the description `text` (Windows-1251, as the task holds it) and
// replaces `path` atomically.
FoldPageResult WriteFoldPage(const std::string& path, const SolidSolution& solid, const Fold& fold,
                             bool foldFound, const std::vector<int>& numbers, const std::string& text);

}  // namespace zv
