// Random tasks for round-trip and differential tests.
//
//   std::mt19937 rng(zv::test::TestSeed());    // prints the seed; ZORVAT_SEED overrides it
//   zv::TaskState t = zv::test::RandomTask(rng, {.maxFigureSide = 5});
//
// The figure gets random cubes, and random links made through ToggleLink, so
// they obey the editor's rules (two cubes carry at most one link, hinges at a
// grid point compatible); sometimes cubes are renumbered through AssignNumber.
// The form gets random cells in a random box, sometimes exactly as many as
// there are cubes; EmptyCells and a Windows-1251 text are random too. Tasks
// are "valid-ish": links may still break blocks or close cycles, so
// validation may refuse them.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "model/task.h"

namespace zv::test {

struct RandomTaskOptions {
  int maxFigureSide = 6;          // FigureWidth, FigureDepth in 1..this (<= 30)
  int maxCubes = kMaxCubes;       // cubes added stop here
  double cubeChance = 0.6;        // each figure cell holds a cube with this chance
  int linkTries = 40;             // ToggleLink calls on random storing cells and bits
  double renumberChance = 0.5;    // chance of a few AssignNumber calls
  int maxFormSide = 5;            // FormWidth, FormDepth in 1..this (<= 30)
  int maxFormHeight = 3;          // FormHeight in 1..this (<= 10)
  double matchCubesChance = 0.5;  // the form gets exactly as many cells as cubes (when they fit)
  double formCellChance = 0.5;    // otherwise each form cell is set with this chance
  int maxTextLength = 40;         // Text length in 0..this
};

// Small tasks that the full-tree engines finish at once: the random corpus of
// the solver comparisons.
inline RandomTaskOptions SmallSolverTaskOptions() {
  RandomTaskOptions options;
  options.maxFigureSide = 4;
  options.maxCubes = 7;
  options.cubeChance = 0.5;
  options.linkTries = 30;
  options.maxFormSide = 3;
  options.matchCubesChance = 0.6;
  options.formCellChance = 0.4;
  options.maxTextLength = 0;
  return options;
}

// The seed of a random test: ZORVAT_SEED when set, else `fallback`. Printed so
// that a failure can be replayed.
inline unsigned TestSeed(unsigned fallback = 20240611u) {
  unsigned seed = fallback;
  if (const char* text = std::getenv("ZORVAT_SEED"); text != nullptr && *text != '\0')
    seed = static_cast<unsigned>(std::strtoul(text, nullptr, 10));
  std::fprintf(stderr, "random tests: ZORVAT_SEED=%u\n", seed);
  return seed;
}

inline int RandomInt(std::mt19937& rng, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(rng);
}

inline bool RandomChance(std::mt19937& rng, double chance) {
  return std::uniform_real_distribution<double>(0.0, 1.0)(rng) < chance;
}

// Random Windows-1251 bytes: Latin, Cyrillic (0xC0..0xFF, 0xA8, 0xB8),
// punctuation and line breaks; never a zero byte.
inline std::string RandomText(std::mt19937& rng, int maxLength) {
  static constexpr char kExtra[] = {'\xA8', '\xB8', '\r', '\n', ' ', '.', ','};
  std::string text(static_cast<std::size_t>(RandomInt(rng, 0, maxLength)), ' ');
  for (char& c : text) {
    switch (RandomInt(rng, 0, 2)) {
      case 0:
        c = static_cast<char>(RandomInt(rng, 0x20, 0x7E));
        break;
      case 1:
        c = static_cast<char>(RandomInt(rng, 0xC0, 0xFF));
        break;
      default:
        c = kExtra[RandomInt(rng, 0, static_cast<int>(sizeof kExtra) - 1)];
        break;
    }
  }
  return text;
}

inline void RandomFigure(std::mt19937& rng, const RandomTaskOptions& options, FigureState& f) {
  f = FigureState{};
  f.FigureWidth = RandomInt(rng, 1, options.maxFigureSide);
  f.FigureDepth = RandomInt(rng, 1, options.maxFigureSide);
  int cubes = 0;
  for (int y = 0; y < f.FigureDepth; ++y)
    for (int x = 0; x < f.FigureWidth; ++x)
      if (cubes < options.maxCubes && RandomChance(rng, options.cubeChance)) {
        AddCube(f, FigureCellIndex(x, y));
        ++cubes;
      }
  for (int i = 0; i < options.linkTries; ++i) {
    const int cell = FigureCellIndex(RandomInt(rng, 0, f.FigureWidth), RandomInt(rng, 0, f.FigureDepth));
    ToggleLink(f, cell, RandomInt(rng, EdgeX1, RigidY));
  }
  if (cubes > 1 && RandomChance(rng, options.renumberChance)) {
    std::vector<int> cells(static_cast<std::size_t>(cubes));
    ListCubeCells(f, cells.data(), cubes);
    for (int i = RandomInt(rng, 1, 4); i > 0; --i)
      AssignNumber(f, cells[static_cast<std::size_t>(RandomInt(rng, 0, cubes - 1))],
                   RandomInt(rng, 0, cubes - 1));
  }
}

inline void RandomForm(std::mt19937& rng, const RandomTaskOptions& options, int cubes, FormState& f) {
  f = FormState{};
  f.FormWidth = RandomInt(rng, 1, options.maxFormSide);
  f.FormDepth = RandomInt(rng, 1, options.maxFormSide);
  f.FormHeight = RandomInt(rng, 1, options.maxFormHeight);
  std::vector<CellIndex> cells;
  for (int z = 0; z < f.FormHeight; ++z)
    for (int y = 0; y < f.FormDepth; ++y)
      for (int x = 0; x < f.FormWidth; ++x) cells.push_back(FormCellIndex(x, y, z));
  if (cubes <= static_cast<int>(cells.size()) && RandomChance(rng, options.matchCubesChance)) {
    std::shuffle(cells.begin(), cells.end(), rng);
    for (int i = 0; i < cubes; ++i) f.At(cells[static_cast<std::size_t>(i)]) = 1;
  } else {
    for (const CellIndex cell : cells)
      if (RandomChance(rng, options.formCellChance)) f.At(cell) = 1;
  }
}

inline TaskState RandomTask(std::mt19937& rng, const RandomTaskOptions& options = {}) {
  TaskState task;
  RandomFigure(rng, options, task.figure);
  RandomForm(rng, options, CountCubes(task.figure), task.form);
  task.EmptyCells = RandomChance(rng, 0.3);
  task.Text = RandomText(rng, options.maxTextLength);
  return task;
}

}  // namespace zv::test
