// make_examples FOLDER: writes the example puzzles (examples/*.zvt) through
// the program's own task-file writer. Their expected solution counts live in
// examples/manifest.txt.
//
// Figures are drawn as ASCII art. In a piece drawing every letter is a cube
// and face-adjacent cubes with the same letter are joined rigidly; other
// links are toggled one by one, as the editor would, naming the storing cell.
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "model/task.h"
#include "model/validation.h"
#include "storage/task_file.h"
#include "texts/core_texts.h"

namespace zv {
namespace {

using Art = std::initializer_list<std::string_view>;

struct Example {
  std::string name;
  TaskState task;
};

// Cubes for every non-'.' character; RigidX / RigidY between face-adjacent
// cubes drawn with the same letter (stored in the right / lower cube's cell).
FigureState DrawPieces(Art rows) {
  FigureState f;
  std::vector<std::string_view> art(rows);
  f.FigureDepth = static_cast<int>(art.size());
  f.FigureWidth = 1;
  for (std::string_view row : art)
    f.FigureWidth = std::max(f.FigureWidth, static_cast<std::int32_t>(row.size()));
  auto at = [&art](int x, int y) {
    return y >= 0 && y < static_cast<int>(art.size()) && x >= 0 && x < static_cast<int>(art[y].size())
               ? art[y][x]
               : '.';
  };
  for (int y = 0; y < f.FigureDepth; ++y)
    for (int x = 0; x < f.FigureWidth; ++x)
      if (at(x, y) != '.') AddCube(f, FigureCellIndex(x, y));
  for (int y = 0; y < f.FigureDepth; ++y)
    for (int x = 0; x < f.FigureWidth; ++x) {
      const char c = at(x, y);
      if (c == '.' || c == '#') continue;  // '#' cubes get their links by hand
      if (at(x - 1, y) == c) ToggleLink(f, FigureCellIndex(x, y), RigidX);
      if (at(x, y - 1) == c) ToggleLink(f, FigureCellIndex(x, y), RigidY);
    }
  return f;
}

// Sets link `bit` in storing cell (x, y); both cubes must be there.
void Link(FigureState& f, int x, int y, int bit) {
  if (!ToggleLink(f, FigureCellIndex(x, y), bit) || !(f.Cells[FigureCellIndex(x, y)] & BitMask(bit)))
    std::fprintf(stderr, "link bit %d at (%d, %d) could not be set\n", bit, x, y);
}

FormState Box(int width, int depth, int height) {
  FormState form;
  form.FormWidth = width;
  form.FormDepth = depth;
  form.FormHeight = height;
  FillForm(form);
  return form;
}

// Layers drawn from z = 0 upward; '#' is a form cell.
FormState DrawForm(std::initializer_list<Art> layers) {
  FormState form;
  form.FormHeight = static_cast<int>(layers.size());
  form.FormWidth = form.FormDepth = 1;
  int z = 0;
  for (Art layer : layers) {
    int y = 0;
    for (std::string_view row : layer) {
      form.FormWidth = std::max(form.FormWidth, static_cast<std::int32_t>(row.size()));
      for (int x = 0; x < static_cast<int>(row.size()); ++x)
        if (row[x] == '#') form.At(FormCellIndex(x, y, z)) = 1;
      form.FormDepth = std::max(form.FormDepth, static_cast<std::int32_t>(++y));
    }
    ++z;
  }
  return form;
}

// The description texts are written here in UTF-8 and stored, as every task
// text, in Windows-1251: Cyrillic А..я at 0xC0..0xFF, Ё 0xA8, ё 0xB8, the
// dash 0x97. These texts use nothing else beyond ASCII.
std::string ToWindows1251(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      ++i;
      continue;
    }
    const int length = lead >= 0xE0 ? 3 : 2;
    unsigned code = lead & (length == 3 ? 0x0F : 0x1F);
    for (int k = 1; k < length && i + k < utf8.size(); ++k) code = code << 6 | (utf8[i + k] & 0x3F);
    i += length;
    if (code >= 0x410 && code <= 0x44F)
      out += static_cast<char>(0xC0 + (code - 0x410));
    else if (code == 0x401)
      out += static_cast<char>(0xA8);
    else if (code == 0x451)
      out += static_cast<char>(0xB8);
    else if (code == 0x2014)
      out += static_cast<char>(0x97);
    else
      out += '?';
  }
  return out;
}

Example Make(std::string name, FigureState figure, FormState form, std::string_view text,
             bool emptyCells = false) {
  Example e{std::move(name), {}};
  e.task.figure = figure;
  e.task.form = form;
  e.task.EmptyCells = emptyCells;
  e.task.Text = ToWindows1251(text);
  return e;
}

// The twelve pentominoes, each a rigid block, apart from one another; with
// `square`, also the 2 x 2 square.
FigureState Pentominoes(bool square = false) {
  return DrawPieces({
      // clang-format off
      ".FF..I..L....N..PP..TTT.......",
      "FF...I..L....N..PP...T...U.U..",
      ".F...I..L...NN..P....T...UUU..",
      ".....I..LL..N.................",
      ".....I........................",
      "..............................",
      "V.....W.....X....Y....ZZ......",
      "V.....WW...XXX..YY.....Z......",
      square ? "VVV....WW...X....Y.....ZZ..OO." : "VVV....WW...X....Y.....ZZ.....",
      square ? ".................Y.........OO." : ".................Y............",
      // clang-format on
  });
}

// A snake of cube segments, each sharing its first cube with the end of the
// one before, drawn as a staircase that runs right and down by turns (up
// instead where down would leave the 30-row figure; the drawing only moves
// right, so it never crosses itself). Every segment after the first is a
// block of its cubes but the shared corner, joined to that corner by a
// face-axis hinge along the segment, so it may twist about its own axis.
FigureState Snake(std::initializer_list<int> segments) {
  FigureState f;
  int x = 0, y = 0, width = 1, depth = 1;
  for (bool alongX = true; int length : segments) {
    (alongX ? width : depth) += length - 1;
    alongX = !alongX;
  }
  f.FigureWidth = width;
  f.FigureDepth = std::min(depth, 30);
  AddCube(f, FigureCellIndex(0, 0));
  bool alongX = true;
  bool first = true;
  for (int length : segments) {
    const int step = alongX || y + length - 1 < f.FigureDepth ? 1 : -1;
    for (int i = 1; i < length; ++i) {
      const int fromY = y;
      alongX ? ++x : y += step;
      AddCube(f, FigureCellIndex(x, y));
      const bool hinge = i == 1 && !first;
      // Links along y are stored in the lower cube of the pair.
      Link(f, x, std::max(y, fromY), alongX ? (hinge ? AxisX : RigidX) : (hinge ? AxisY : RigidY));
    }
    first = false;
    alongX = !alongX;
  }
  return f;
}

// The cells of a chain of straight segments in the figure, each segment
// starting on the last cube of the one before and turning by a right angle
// (along x first). Each segment may run either way; a depth-first search
// picks the directions so that the chain stays inside the 30 x 30 figure
// and never meets itself.
struct Cell {
  int x, y;
};

bool LayChain(const std::vector<int>& segments, std::size_t next, std::vector<Cell>& path) {
  if (next == segments.size()) return true;
  const bool alongX = next % 2 == 0;
  for (int step : {+1, -1}) {
    const std::size_t mark = path.size();
    bool fits = true;
    for (int i = 1; i < segments[next] && fits; ++i) {
      Cell c = path.back();
      (alongX ? c.x : c.y) += step;
      fits = c.x >= 0 && c.y >= 0 && c.x < kMaxFigureSide && c.y < kMaxFigureSide &&
             std::none_of(path.begin(), path.end(), [&](const Cell& o) { return o.x == c.x && o.y == c.y; });
      path.push_back(c);
    }
    if (fits && LayChain(segments, next + 1, path)) return true;
    path.resize(mark);
  }
  return false;
}

// A chain whose turning cubes (the cubes two segments share) are blocks of
// their own, joined by face-axis hinges to the straight runs between them,
// which are rigid: a run of one cube hinged on two opposite faces, like the
// runs at the ends, may spin about its own axis.
FigureState ChainWithTurningCubes(std::initializer_list<int> segments) {
  std::vector<Cell> path{{0, 0}};
  if (!LayChain(segments, 0, path)) std::fprintf(stderr, "the chain does not fit into the figure\n");
  std::vector<bool> turning(path.size(), false);
  std::size_t at = 0;
  for (auto length = segments.begin(); length + 1 != segments.end(); ++length)
    turning[at += *length - 1] = true;
  FigureState f;
  for (const Cell& c : path) {
    f.FigureWidth = std::max(f.FigureWidth, static_cast<std::int32_t>(c.x + 1));
    f.FigureDepth = std::max(f.FigureDepth, static_cast<std::int32_t>(c.y + 1));
  }
  for (const Cell& c : path) AddCube(f, FigureCellIndex(c.x, c.y));
  for (std::size_t i = 1; i < path.size(); ++i) {
    const bool rigid = !turning[i - 1] && !turning[i];
    const bool alongX = path[i].y == path[i - 1].y;
    // Links are stored in the right cube of a pair along x, the lower along y.
    Link(f, std::max(path[i].x, path[i - 1].x), std::max(path[i].y, path[i - 1].y),
         alongX ? (rigid ? RigidX : AxisX) : (rigid ? RigidY : AxisY));
  }
  return f;
}

// A chain of rigid segments as Snake draws them (each segment after the
// first a block of its cubes but the shared corner, hinged to that corner),
// laid out by LayChain so that chains too long for a staircase fit.
FigureState LaidOutSnake(std::initializer_list<int> segments) {
  std::vector<Cell> path{{0, 0}};
  if (!LayChain(segments, 0, path)) std::fprintf(stderr, "the chain does not fit into the figure\n");
  FigureState f;
  for (const Cell& c : path) {
    f.FigureWidth = std::max(f.FigureWidth, static_cast<std::int32_t>(c.x + 1));
    f.FigureDepth = std::max(f.FigureDepth, static_cast<std::int32_t>(c.y + 1));
  }
  for (const Cell& c : path) AddCube(f, FigureCellIndex(c.x, c.y));
  std::size_t i = 1;
  for (int length : segments)
    for (int k = 1; k < length; ++k, ++i) {
      const bool hinge = k == 1 && i > 1;
      const bool alongX = path[i].y == path[i - 1].y;
      Link(f, std::max(path[i].x, path[i - 1].x), std::max(path[i].y, path[i - 1].y),
           alongX ? (hinge ? AxisX : RigidX) : (hinge ? AxisY : RigidY));
    }
  return f;
}

std::vector<Example> AllExamples() {
  std::vector<Example> all;
  const char* pentominoText = "Двенадцать пентамино, каждое — жёсткий блок.";
  all.push_back(Make("pentominoes_2x3x10.zvt", Pentominoes(), Box(10, 3, 2), pentominoText));
  all.push_back(Make("pentominoes_2x5x6.zvt", Pentominoes(), Box(6, 5, 2), pentominoText));
  all.push_back(Make("pentominoes_3x4x5.zvt", Pentominoes(), Box(5, 4, 3), pentominoText));
  all.push_back(Make("pentominoes_6x10.zvt", Pentominoes(), Box(10, 6, 1), pentominoText));
  // More solutions than the store keeps: 10000 kept of 16146 found.
  all.push_back(Make("pentominoes_square_8x8.zvt", Pentominoes(true), Box(8, 8, 1),
                     "Двенадцать пентамино и квадрат 2x2 в квадрате 8x8."));
  // The standard 27-cube snake.
  all.push_back(Make("snake_cube.zvt", Snake({3, 2, 2, 3, 2, 3, 2, 2, 3, 3, 2, 2, 2, 3, 3, 3, 3}),
                     Box(3, 3, 3), "Змейка из 27 кубиков в кубе 3x3x3."));
  // The 64-cube "King snake" in a 4 x 4 x 4 cube.
  all.push_back(Make("king_snake.zvt", Snake({3, 4, 4, 4, 2, 4, 2, 4, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 2, 4,
                                              3, 3, 2, 4, 2, 3, 2, 2, 2, 2, 2, 3, 2, 2, 2, 2, 4, 2, 4}),
                     Box(4, 4, 4), "Змейка King snake из 64 кубиков в кубе 4x4x4."));
  // A 64-cube chain of 46 segments in a 4 x 4 x 4 cube.
  all.push_back(Make("chain_46.zvt",
                     LaidOutSnake({3, 2, 3, 2, 2, 4, 2, 3, 2, 3, 2, 3, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 2,
                                   2, 2, 2, 2, 3, 4, 2, 2, 2, 4, 2, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 4, 2}),
                     Box(4, 4, 4), "Цепочка из 64 кубиков в 46 отрезках в кубе 4x4x4."));
  // The standard 27-cube snake again, every turning cube a block of its own.
  all.push_back(Make("snake_turning_cubes.zvt",
                     ChainWithTurningCubes({3, 2, 2, 3, 2, 3, 2, 2, 3, 3, 2, 2, 2, 3, 3, 3, 3}), Box(3, 3, 3),
                     "Змейка из 27 кубиков, каждый угловой кубик — отдельный блок."));

  // Four separate pairs of single cubes, each pair joined by a face-axis
  // hinge, in a 3 x 2 x 2 box with four cells to spare.
  FigureState pairs = DrawPieces({"#.#.#.#", "#.#.#.#"});
  for (int x : {0, 2, 4, 6}) Link(pairs, x, 1, AxisY);
  all.push_back(
      Make("hinged_pairs.zvt", pairs, Box(3, 2, 2), "Четыре пары кубиков на осевых шарнирах.", true));

  // Four cubes in a row, hinged on the lower and the upper edge by turns,
  // folded into a 2 x 2 square.
  FigureState zigzag = DrawPieces({"####"});
  Link(zigzag, 1, 0, EdgeX1);
  Link(zigzag, 2, 0, EdgeX2);
  Link(zigzag, 3, 0, EdgeX1);
  all.push_back(Make("hinge_zigzag.zvt", zigzag, DrawForm({{"##", "##"}}), "Цепочка на рёберных шарнирах."));

  // A centre cube with a cube on each corner, joined by vertical-edge hinges
  // on the diagonals, into a 3 x 3 x 1 box with four cells to spare.
  FigureState star = DrawPieces({
      "#.#",
      ".#.",
      "#.#",
  });
  Link(star, 1, 1, CornerDiag);      // (0,0) - (1,1)
  Link(star, 2, 1, CornerAntiDiag);  // (2,0) - (1,1)
  Link(star, 1, 2, CornerAntiDiag);  // (1,1) - (0,2)
  Link(star, 2, 2, CornerDiag);      // (1,1) - (2,2)
  all.push_back(Make("diagonal_star.zvt", star, Box(3, 3, 1), "Диагональные шарниры.", true));

  // A ring of four cubes hinged on their lower edges all round (a cycle of
  // links), with a rigid domino hanging off it on a face-axis hinge; into a
  // 4 x 2 x 2 box with ten cells to spare.
  FigureState ring = DrawPieces({
      "##..",
      "##dd",
  });
  Link(ring, 1, 0, EdgeX1);  // (0,0) - (1,0), lower edge
  Link(ring, 1, 1, EdgeY1);  // (1,0) - (1,1), lower edge
  Link(ring, 1, 1, EdgeX1);  // (0,1) - (1,1), lower edge
  Link(ring, 0, 1, EdgeY1);  // (0,0) - (0,1), lower edge
  Link(ring, 2, 1, AxisX);   // (1,1) - the domino
  all.push_back(Make("hinge_ring.zvt", ring, Box(4, 2, 2), "Кольцо из четырёх кубиков и домино.", true));

  // A rigid L of three cubes and a column of three single cubes: the L
  // hinged to the column's top on the vertical edge at grid point (2, 0),
  // the column hinged on a lower edge and then on the vertical edge at grid
  // point (2, 2); into a 2 x 3 x 2 box with six cells to spare.
  FigureState corner = DrawPieces({
      "LL#",
      "L.#",
      "..#",
  });
  Link(corner, 2, 0, CornerXLower);  // (1,0) - (2,0)
  Link(corner, 2, 1, EdgeY1);        // (2,0) - (2,1)
  Link(corner, 2, 2, CornerYRight);  // (2,1) - (2,2)
  all.push_back(
      Make("corner_hinges.zvt", corner, Box(2, 3, 2), "Угол и шарниры на вертикальных рёбрах.", true));
  return all;
}

}  // namespace
}  // namespace zv

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_examples FOLDER\n");
    return 2;
  }
  int failures = 0;
  for (const zv::Example& e : zv::AllExamples()) {
    const zv::Validation v = zv::ValidateTask(e.task);
    if (!v.ok()) {
      std::fprintf(stderr, "%s: refused by validation: %s\n", e.name.c_str(),
                   zv::ValidationMessage(v, e.task.figure).c_str());
      ++failures;
      continue;
    }
    const std::string path = std::string(argv[1]) + "/" + e.name;
    if (zv::WriteTaskFile(path, e.task) != zv::WriteResult::Ok) {
      std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
      ++failures;
      continue;
    }
    std::printf("%s: %d cubes, %d form cells\n", e.name.c_str(), v.cubeCount, v.formCellCount);
  }
  return failures == 0 ? 0 : 1;
}
