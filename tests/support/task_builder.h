// Builds tasks for tests from ASCII art.
//
//   zv::TaskState t = zv::test::MakeTask({"##.",
//                                         ".#."},      // figure rows: '#' cube, '.' none
//                                        {{"###"},     // form layer 0 rows: '#' cell
//                                         {"#.."}});   // form layer 1
//   zv::test::SetLink(t, 1, 0, zv::RigidX);            // bit stored in cell (1, 0)
//
// The figure's size is the art's size (rows may be padded with '.'), the
// form's size the layers' size. Links are set as raw bits, without the
// editor's conflict rules, so damaged or unusual figures can be made too.
// Tests that validate what they build print a refusal in the window's words
// (ValidationMessage, from texts/core_texts.h, included here for them).
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "model/task.h"
#include "texts/core_texts.h"

namespace zv::test {

inline void SetFigure(TaskState& task, std::initializer_list<std::string_view> rows) {
  FigureState& f = task.figure;
  f.Cells.fill(0);
  int width = 1;
  for (std::string_view row : rows) width = std::max<int>(width, static_cast<int>(row.size()));
  f.FigureWidth = width;
  f.FigureDepth = std::max<int>(1, static_cast<int>(rows.size()));
  int y = 0;
  for (std::string_view row : rows) {
    for (int x = 0; x < static_cast<int>(row.size()); ++x)
      if (row[x] == '#') f.Cells[FigureCellIndex(x, y)] |= kCubeBit;
    ++y;
  }
  ResetNumbering(f);
}

inline void SetForm(TaskState& task, std::initializer_list<std::initializer_list<std::string_view>> layers) {
  FormState& f = task.form;
  f.Cells.fill(0);
  int width = 1, depth = 1;
  for (auto layer : layers) {
    depth = std::max<int>(depth, static_cast<int>(layer.size()));
    for (std::string_view row : layer) width = std::max<int>(width, static_cast<int>(row.size()));
  }
  f.FormWidth = width;
  f.FormDepth = depth;
  f.FormHeight = std::max<int>(1, static_cast<int>(layers.size()));
  int z = 0;
  for (auto layer : layers) {
    int y = 0;
    for (std::string_view row : layer) {
      for (int x = 0; x < static_cast<int>(row.size()); ++x)
        if (row[x] == '#') f.At(FormCellIndex(x, y, z)) = 1;
      ++y;
    }
    ++z;
  }
}

inline TaskState MakeTask(std::initializer_list<std::string_view> figureRows,
                          std::initializer_list<std::initializer_list<std::string_view>> formLayers) {
  TaskState task;
  SetFigure(task, figureRows);
  SetForm(task, formLayers);
  return task;
}

// Sets link bit `bit` in the storing cell (x, y) as a raw bit.
inline void SetLink(TaskState& task, int x, int y, int bit) {
  task.figure.Cells[FigureCellIndex(x, y)] |= BitMask(bit);
}

// Twenty-two loose dominoes and a 2 x 22 strip to tile with them: 28657
// tilings, 14445 of them different under the strip's flips, more than the
// store keeps (the reduced engine's test counts them independently).
inline TaskState DominoStrip() {
  const std::string row(29, '.'), ten = "##.##.##.##.##.##.##.##.##.##";
  const std::string two = "##.##" + std::string(24, '.'), line(22, '#');
  TaskState task = MakeTask({ten, row, ten, row, two}, {{line, line}});
  for (int y = 0; y <= 4; y += 2)
    for (int x = 1; x < (y < 4 ? 29 : 5); x += 3) SetLink(task, x, y, RigidX);
  return task;
}

}  // namespace zv::test
