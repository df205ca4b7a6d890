// The web page of a solution (solid/fold_page.h): the fold sampled into
// frames, the page's JSON data, and the page itself with three.js inlined.
#include "solid/fold_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/files.h"
#include "storage/json_document.h"

namespace zv {
namespace {

constexpr int kSamplesPerStep = 6;
constexpr int kMostFrames = 240;

// Shortest decimal text with `decimals` places at most.
std::string Number(double v, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, std::abs(v) < 1e-9 ? 0.0 : v);
  std::string s(text);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s == "-0" ? "0" : s;
}

// A rotation matrix as a unit quaternion (x, y, z, w).
std::array<double, 4> Quaternion(const Matrix& m) {
  const double trace = m[0][0] + m[1][1] + m[2][2];
  std::array<double, 4> q{};
  if (trace > 0) {
    const double s = 0.5 / std::sqrt(trace + 1.0);
    q = {(m[2][1] - m[1][2]) * s, (m[0][2] - m[2][0]) * s, (m[1][0] - m[0][1]) * s, 0.25 / s};
  } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
    const double s = 2.0 * std::sqrt(1.0 + m[0][0] - m[1][1] - m[2][2]);
    q = {0.25 * s, (m[0][1] + m[1][0]) / s, (m[0][2] + m[2][0]) / s, (m[2][1] - m[1][2]) / s};
  } else if (m[1][1] > m[2][2]) {
    const double s = 2.0 * std::sqrt(1.0 + m[1][1] - m[0][0] - m[2][2]);
    q = {(m[0][1] + m[1][0]) / s, 0.25 * s, (m[1][2] + m[2][1]) / s, (m[0][2] - m[2][0]) / s};
  } else {
    const double s = 2.0 * std::sqrt(1.0 + m[2][2] - m[0][0] - m[1][1]);
    q = {(m[0][2] + m[2][0]) / s, (m[1][2] + m[2][1]) / s, 0.25 * s, (m[1][0] - m[0][1]) / s};
  }
  return q;
}

// The solver's frame into three.js's: (x, y, z) -> (x, -z, y).
constexpr Matrix kToPage{{{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}};

std::string Frame(const Fold& fold, double t) {
  const SolidSolution& solid = fold.Solid();
  const std::vector<Rigid> poses = fold.Poses(t);
  std::string out = "[";
  for (int k = 0; k < solid.cubeCount; ++k) {
    const Rigid& pose = poses[static_cast<std::size_t>(k)];
    const Matrix r = Multiply(Multiply(kToPage, pose.r), Transposed(kToPage));
    const Point centre = Apply(kToPage, pose.Apply(solid.FigureCentre(CubeIndex(k))));
    const std::array<double, 4> q = Quaternion(r);
    out += k == 0 ? "[" : ",[";
    for (double v : q) out += Number(v, 4) + ',';
    out += Number(centre[0], 3) + ',' + Number(centre[1], 3) + ',' + Number(centre[2], 3) + ']';
  }
  return out + ']';
}

std::string PageData(const FoldPageInput& input) {
  const SolidSolution& solid = input.solid;
  std::string out = "{\"description\":" + JsonQuoted(input.description) + ",\"verdict\":\"" +
                    FoldOutcomeKey(input.outcome) + "\",\"verdictText\":" + JsonQuoted(input.verdictText) +
                    ",\"cubes\":[";
  for (int k = 0; k < solid.cubeCount; ++k) {
    const std::uint32_t colour = input.colours[static_cast<std::size_t>(k)];
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%06X", static_cast<unsigned>(colour));
    out += std::string(k == 0 ? "" : ",") +
           "{\"number\":" + std::to_string(input.numbers[static_cast<std::size_t>(k)]) + ",\"colour\":\"" +
           hex + "\"}";
  }
  const int steps = std::max<int>(1, static_cast<int>(input.fold.Steps().size()));
  const int frames = std::min(kMostFrames, steps * kSamplesPerStep);
  out += "],\"steps\":" + std::to_string(steps) + ",\"frames\":[";
  for (int f = 0; f <= frames; ++f) out += (f == 0 ? "" : ",\n") + Frame(input.fold, double(f) / frames);
  out += "]}";
  // Inside a script element "</" would end it early.
  for (std::size_t at = out.find("</"); at != std::string::npos; at = out.find("</", at + 2))
    out.replace(at, 2, "<\\/");
  return out;
}

constexpr std::string_view kThreeLicence =
    R"(three.js r111 and its OrbitControls, as Debian's libjs-three ships them.
Copyright (c) 2010-2019 three.js authors. License: Expat (MIT):

Permission is hereby granted, free of charge, to any person obtaining a
copy of this software and associated documentation files (the
"Software"), to deal in the Software without restriction, including
without limitation the rights to use, copy, modify, merge, publish,
distribute, sublicense, and/or sell copies of the Software, and to
permit persons to whom the Software is furnished to do so, subject to
the following conditions:

The above copyright notice and this permission notice shall be included
in all copies or substantial portions of the Software.

THE SOFTWARE IS PROVIDED "AS IS", WITHOUT WARRANTY OF ANY KIND, EXPRESS
OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF
MERCHANTABILITY, FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT.
IN NO EVENT SHALL THE AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY
CLAIM, DAMAGES OR OTHER LIABILITY, WHETHER IN AN ACTION OF CONTRACT,
TORT OR OTHERWISE, ARISING FROM, OUT OF OR IN CONNECTION WITH THE
SOFTWARE OR THE USE OR OTHER DEALINGS IN THE SOFTWARE.)";

constexpr std::string_view kHead = R"(<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<meta name="generator" content="Zorvat">
<title>Zorvat</title>
<style>
  html, body { margin: 0; height: 100%; font-family: sans-serif; background: #fff; }
  body { display: flex; flex-direction: column; }
  #description { margin: 8px 12px; white-space: pre-wrap; }
  #verdict { margin: 4px 12px; }
  #verdict.foldable { color: #008000; }
  #verdict.not_found, #verdict.not_checked { color: #c00000; }
  #view { flex: 1; min-height: 200px; width: 100%; display: block; }
  #controls { display: flex; align-items: center; gap: 8px; margin: 8px 12px; }
  #slider { flex: 1; }
  #play { width: 3em; font-size: 1.1em; }
  #selftest { display: none; }
</style>
</head>
<body>
<div id="description"></div>
<canvas id="view"></canvas>
<div id="controls"><button id="play" type="button">&#9654;</button><input id="slider" type="range" min="0" max="1000" value="1000"></div>
<div id="verdict"></div>
<pre id="selftest"></pre>
<script type="application/json" id="zorvat-data">)";

// The page's own script: the scene, the fold by the slider and the play
// button, the mouse controls, and the self-test.
constexpr std::string_view kScript = R"(
"use strict";
const errors = [];
window.addEventListener("error", e => errors.push(String(e.message)));
const data = JSON.parse(document.getElementById("zorvat-data").textContent);
document.getElementById("description").textContent = data.description;
const verdict = document.getElementById("verdict");
verdict.textContent = data.verdictText;
verdict.className = data.verdict;
const canvas = document.getElementById("view");
const renderer = new THREE.WebGLRenderer({canvas: canvas, antialias: true, preserveDrawingBuffer: true});
renderer.setPixelRatio(window.devicePixelRatio || 1);
const scene = new THREE.Scene();
scene.background = new THREE.Color(0xffffff);
const camera = new THREE.PerspectiveCamera(35, 1, 0.1, 1000);
scene.add(new THREE.AmbientLight(0xffffff, 0.55));
const light = new THREE.DirectionalLight(0xffffff, 0.6);
light.position.set(0.4, 1, 0.7);
camera.add(light);
scene.add(camera);

// A face: the cube's colour with its number, as the window draws it.
function faceTexture(colour, number) {
  const c = document.createElement("canvas");
  c.width = c.height = 128;
  const g = c.getContext("2d");
  g.fillStyle = colour;
  g.fillRect(0, 0, 128, 128);
  g.strokeStyle = "#303030";
  g.lineWidth = 6;
  g.strokeRect(3, 3, 122, 122);
  g.fillStyle = "#000";
  g.font = "bold " + (number > 99 ? 44 : 60) + "px sans-serif";
  g.textAlign = "center";
  g.textBaseline = "middle";
  g.fillText(String(number), 64, 68);
  return new THREE.CanvasTexture(c);
}
const box = new THREE.BoxBufferGeometry(0.96, 0.96, 0.96);
const cubes = data.cubes.map(cube => {
  const mesh = new THREE.Mesh(box, new THREE.MeshLambertMaterial({map: faceTexture(cube.colour, cube.number)}));
  scene.add(mesh);
  return mesh;
});

const controls = new THREE.OrbitControls(camera, canvas);
camera.position.set(0.6, 0.9, 1.3);
// The camera looks at the cubes where they stand now from where the mouse
// turned it, far enough for all of them to fit; the wheel zooms from there.
function frameCubes() {
  const bounds = new THREE.Box3();
  for (const mesh of cubes) bounds.expandByPoint(mesh.position);
  bounds.expandByScalar(0.6);
  const centre = bounds.getCenter(new THREE.Vector3());
  const distance = bounds.getSize(new THREE.Vector3()).length() / 2 / Math.sin(16 * Math.PI / 180);
  const direction = camera.position.clone().sub(controls.target).normalize();
  controls.target.copy(centre);
  camera.position.copy(centre).add(direction.multiplyScalar(distance));
  controls.update();
}

const qa = new THREE.Quaternion(), qb = new THREE.Quaternion();
function showFold(t) {
  const f = Math.min(Math.max(t, 0), 1) * (data.frames.length - 1);
  const i = Math.min(Math.floor(f), data.frames.length - 2), a = f - i;
  const from = data.frames[Math.max(i, 0)], to = data.frames[Math.max(i, 0) + (data.frames.length > 1 ? 1 : 0)];
  cubes.forEach((mesh, k) => {
    const p = from[k], q = to[k];
    qa.set(p[0], p[1], p[2], p[3]);
    qb.set(q[0], q[1], q[2], q[3]);
    THREE.Quaternion.slerp(qa, qb, mesh.quaternion, a);
    mesh.position.set(p[4] + (q[4] - p[4]) * a, p[5] + (q[5] - p[5]) * a, p[6] + (q[6] - p[6]) * a);
  });
}
function render() {
  const w = canvas.clientWidth, h = canvas.clientHeight;
  if (canvas.width !== Math.floor(w * renderer.getPixelRatio()) || canvas.height !== Math.floor(h * renderer.getPixelRatio())) {
    renderer.setSize(w, h, false);
    camera.aspect = w / Math.max(h, 1);
    camera.updateProjectionMatrix();
  }
  renderer.render(scene, camera);
}
const slider = document.getElementById("slider");
const play = document.getElementById("play");
slider.addEventListener("input", () => { showFold(slider.value / 1000); frameCubes(); render(); });
controls.addEventListener("change", render);
window.addEventListener("resize", render);

// Play: the whole fold in about a second per step, at most twenty seconds.
let playing = false, last = 0;
function tick(now) {
  if (!playing) return;
  const t = Number(slider.value) / 1000 + (now - last) / 1000 / Math.min(20, Math.max(4, data.steps));
  last = now;
  slider.value = Math.min(1000, Math.round(t * 1000));
  showFold(slider.value / 1000);
  frameCubes();
  render();
  if (slider.value >= 1000) { playing = false; play.innerHTML = "&#9654;"; return; }
  requestAnimationFrame(tick);
}
play.addEventListener("click", () => {
  playing = !playing;
  play.innerHTML = playing ? "&#10074;&#10074;" : "&#9654;";
  if (playing) {
    if (slider.value >= 1000) slider.value = 0;
    last = performance.now();
    requestAnimationFrame(tick);
  }
});
// "#t=0.5" after the address opens the page half way through the fold.
const start = /^#t=([0-9.]+)$/.exec(location.hash);
slider.value = start ? Math.round(Math.min(1, Number(start[1])) * 1000) : 1000;
showFold(slider.value / 1000);
frameCubes();
render();

// The browser test's report.
if (location.hash === "#selftest") {
  const gl = renderer.getContext();
  function picture() {
    render();
    const w = gl.drawingBufferWidth, h = gl.drawingBufferHeight, pixels = new Uint8Array(w * h * 4);
    gl.readPixels(0, 0, w, h, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
    let drawn = 0, hash = 0;
    for (let i = 0; i < pixels.length; i += 4) {
      if (pixels[i] < 250 || pixels[i + 1] < 250 || pixels[i + 2] < 250) drawn++;
      hash = (hash * 31 + pixels[i] + pixels[i + 1] * 7 + pixels[i + 2] * 13) >>> 0;
    }
    return {drawn: drawn, hash: hash};
  }
  slider.value = 0;
  slider.dispatchEvent(new Event("input"));
  const flat = picture();
  slider.value = 1000;
  slider.dispatchEvent(new Event("input"));
  const folded = picture();
  // The closest two cube centres come in any frame of the fold.
  let closest = Infinity;
  for (const frame of data.frames)
    for (let a = 0; a < frame.length; a++)
      for (let b = a + 1; b < frame.length; b++)
        closest = Math.min(closest, Math.hypot(frame[a][4] - frame[b][4], frame[a][5] - frame[b][5], frame[a][6] - frame[b][6]));
  const lines = ["drawn " + Math.min(flat.drawn, folded.drawn), "changed " + (flat.hash !== folded.hash ? "yes" : "no"),
                 "verdict " + verdict.className + " " + verdict.textContent,
                 "closest " + (closest === Infinity ? "none" : closest.toFixed(3))];
  cubes.forEach((mesh, k) => lines.push("cube " + data.cubes[k].number + " " + Math.round(mesh.position.x) + " " +
                                        Math.round(mesh.position.z) + " " + Math.round(-mesh.position.y)));
  lines.push("errors " + errors.length);
  for (const e of errors) lines.push("error " + e);
  document.getElementById("selftest").textContent = lines.join("\n");
}
</script>
</body>
</html>
)";

}  // namespace

std::string BuildFoldPage(const FoldPageInput& input) {
  std::string page(kHead);
  page += PageData(input);
  page += "</script>\n<!--\n";
  page += kThreeLicence;
  page += "\n-->\n<script>\n";
  page += input.threeJs;
  page += "\n</script>\n<script>\n";
  page += input.controlsJs;
  page += "\n</script>\n<script>";
  page += kScript;
  return page;
}

void PrepareFoldToPlay(Fold& fold, const FoldVerdict& verdict) {
  if (verdict.outcome == FoldOutcome::Foldable)
    fold.SetMotion(verdict.plans, verdict.placing);
  else
    FindFoldOrder(fold);
}

FoldPageResult WriteFoldPage(const std::string& path, FoldPageInput input) {
  std::vector<std::uint8_t> three, controls;
  if (ReadWholeFile(kThreeJsPath, three) != FileReadStatus::Ok ||
      ReadWholeFile(kThreeControlsPath, controls) != FileReadStatus::Ok)
    return FoldPageResult::NoThreeJs;
  const auto view = [](const std::vector<std::uint8_t>& bytes) {
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  };
  input.threeJs = view(three);
  input.controlsJs = view(controls);
  const std::string page = BuildFoldPage(input);
  return WriteWholeFileAtomic(path,
                              std::span(reinterpret_cast<const std::uint8_t*>(page.data()), page.size()))
             ? FoldPageResult::Written
             : FoldPageResult::WriteFailed;
}

}  // namespace zv
