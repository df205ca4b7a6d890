// Task file images: the exact bytes the writer lays out, the reader's order
// of checks, and damaged images refused without touching the task.
#include "storage/task_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "tests/support/task_builder.h"

namespace zv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Little-endian fields for hand-made images.
void Put32(Bytes& b, std::int32_t v) {
  for (int i = 0; i < 4; ++i)
    b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
}
void Put16(Bytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
std::int32_t Get32(const Bytes& b, std::size_t at) {
  return static_cast<std::int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 |
                                   static_cast<std::uint32_t>(b[at + 3]) << 24);
}
int Get16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

// Header of a hand-made image: magic, version, flags, five dimensions.
Bytes Header(std::int32_t flags, int fw, int fd, int bw, int bd, int bh, std::int32_t version = 1) {
  Bytes b;
  Put32(b, static_cast<std::int32_t>(kTaskMagic));
  Put32(b, version);
  Put32(b, flags);
  for (int v : {fw, fd, bw, bd, bh}) Put32(b, v);
  return b;
}

// Two cubes side by side joined rigidly, filling a 2x1x1 form.
TaskState Domino() {
  TaskState t = test::MakeTask({"##"}, {{"##"}});
  test::SetLink(t, 1, 0, RigidX);
  return t;
}

// A task unlike every image the damaged-file cases are made from.
TaskState Bystander() {
  TaskState t = test::MakeTask({"#.#", "###"}, {{"###", "#.."}, {"..#"}});
  test::SetLink(t, 1, 1, RigidX);
  t.Text = "\xCF\xF0\xE8\xEC\xE5\xF0";  // "Пример" in Windows-1251
  t.EmptyCells = true;
  AssignNumber(t.figure, FigureCellIndex(2, 1), 0);
  return t;
}

TEST(TaskFileLayout, DominoIsTheDocumentedFiftyThreeBytes) {
  const Bytes expected{0x06, 0x09, 0x47, 0x73, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00,
                       0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                       0x01, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x21,
                       0x00, 0x01, 0x00, 0x22, 0x00, 0x01, 0x20, 0x21, 0x04, 0x22, 0x04};
  EXPECT_EQ(BuildTaskImage(Domino()), expected);

  TaskState loaded;
  ASSERT_EQ(ParseTaskImage(expected, loaded), ReadResult::Ok);
  EXPECT_EQ(loaded.figure.Cells[33], 0x0001);
  EXPECT_EQ(loaded.figure.Cells[34], 0x2001);
  EXPECT_EQ(loaded.form.Cells[1057], 1);
  EXPECT_EQ(loaded.form.Cells[1058], 1);
  EXPECT_EQ(CountFormCells(loaded.form), 2);
  EXPECT_EQ(loaded, Domino());
}

TEST(TaskFileLayout, TextIsStoredRawWithOneZeroByte) {
  TaskState t = Domino();
  Bytes empty = BuildTaskImage(t);
  EXPECT_EQ(empty[32], 0);
  EXPECT_EQ(Get32(empty, 33), 2);  // NF right after the single zero byte

  t.Text = "\xC7\xEE\xF0\xE2\xE0\xF2 1";  // "Зорват 1" in Windows-1251, eight bytes
  Bytes text = BuildTaskImage(t);
  ASSERT_EQ(text.size(), empty.size() + 8);
  EXPECT_EQ(Bytes(text.begin() + 32, text.begin() + 41), Bytes(t.Text.c_str(), t.Text.c_str() + 9));
  EXPECT_EQ(Get32(text, 41), 2);
  TaskState loaded;
  ASSERT_EQ(ParseTaskImage(text, loaded), ReadResult::Ok);
  EXPECT_EQ(loaded.Text, t.Text);
}

TEST(TaskFileLayout, TextWithAnInnerZeroStaysReadable) {
  TaskState t = Domino();
  t.Text = std::string("first\0second", 12);
  Bytes image = BuildTaskImage(t);
  TaskState loaded;
  ASSERT_EQ(ParseTaskImage(image, loaded), ReadResult::Ok);
  EXPECT_EQ(loaded.Text, "first");
  EXPECT_EQ(loaded.figure, t.figure);
}

TEST(TaskFileLayout, FlagsCarryEmptyCellsAndTheNumberingBlock) {
  TaskState t = test::MakeTask({"###"}, {{"####"}});
  EXPECT_EQ(Get32(BuildTaskImage(t), 8), 0);
  t.EmptyCells = true;
  Bytes plain = BuildTaskImage(t);
  EXPECT_EQ(Get32(plain, 8), 1);
  // Three cube records and four form records, nothing after them.
  EXPECT_EQ(plain.size(), 41u + 3 * 4 + 4 * 2);

  // User number 1 given to the third cube: the first now carries 3.
  AssignNumber(t.figure, FigureCellIndex(2, 0), 0);
  Bytes numbered = BuildTaskImage(t);
  EXPECT_EQ(Get32(numbered, 8), 3);
  ASSERT_EQ(numbered.size(), plain.size() + 3);
  EXPECT_EQ(Bytes(numbered.end() - 3, numbered.end()), (Bytes{2, 1, 0}));

  TaskState loaded;
  ASSERT_EQ(ParseTaskImage(numbered, loaded), ReadResult::Ok);
  EXPECT_EQ(UserNumberOfCube(loaded.figure, CubeIndex(0)), 3);
  EXPECT_EQ(UserNumberOfCube(loaded.figure, CubeIndex(2)), 1);
  EXPECT_EQ(loaded.figure.CubeOfNumber[0], 2);
  EXPECT_EQ(loaded.figure.NumberAtCell[FigureCellIndex(0, 0)], 2);
  EXPECT_EQ(loaded, t);

  // Numbering back in default order: the block goes away again.
  AssignNumber(t.figure, FigureCellIndex(0, 0), 0);
  EXPECT_EQ(BuildTaskImage(t), plain);
}

TEST(TaskFileLayout, CornerHingePastTheRightColumnSurvives) {
  // Two cubes stacked in the only column; the hinge on their right vertical
  // edge lives in column 1 = FigureWidth, in a cell without a cube.
  TaskState t = test::MakeTask({"#", "#"}, {{"#", "#"}});
  ASSERT_TRUE(ToggleLink(t.figure, FigureCellIndex(1, 1), CornerYLeft));
  Bytes image = BuildTaskImage(t);
  ASSERT_EQ(Get32(image, 33), 3);
  EXPECT_EQ(Get16(image, 41), FigureCellIndex(0, 0));
  EXPECT_EQ(Get16(image, 45), FigureCellIndex(0, 1));
  EXPECT_EQ(Get16(image, 49), FigureCellIndex(1, 1));
  EXPECT_EQ(Get16(image, 51), 0x0020);  // bit 5 alone, no cube bit

  TaskState loaded;
  ASSERT_EQ(ParseTaskImage(image, loaded), ReadResult::Ok);
  EXPECT_EQ(loaded, t);
}

TEST(TaskFileLayout, RecordsRunRowByRowAndLayerByLayer) {
  TaskState t = test::MakeTask({".#", "#."}, {{".#", "#."}, {"#"}});
  Bytes image = BuildTaskImage(t);
  ASSERT_EQ(Get32(image, 33), 2);
  ASSERT_EQ(Get32(image, 37), 3);
  EXPECT_EQ(Get16(image, 41), FigureCellIndex(1, 0));
  EXPECT_EQ(Get16(image, 45), FigureCellIndex(0, 1));
  EXPECT_EQ(Get16(image, 49), FormCellIndex(1, 0, 0).value());
  EXPECT_EQ(Get16(image, 51), FormCellIndex(0, 1, 0).value());
  EXPECT_EQ(Get16(image, 53), FormCellIndex(0, 0, 1).value());
}

TEST(TaskFileLayout, FullLargestFormNeedsEighteenThousandBytes) {
  TaskState t = Domino();
  t.form.FormWidth = 30;
  t.form.FormDepth = 30;
  t.form.FormHeight = 10;
  FillForm(t.form);
  Bytes image = BuildTaskImage(t);
  ASSERT_EQ(Get32(image, 37), 9000);
  EXPECT_EQ(image.size(), 41u + 2 * 4 + 18000);
  EXPECT_EQ(Get16(image, 49), FormCellIndex(0, 0, 0).value());
  EXPECT_EQ(Get16(image, image.size() - 2), FormCellIndex(29, 29, 9).value());
  TaskState loaded;
  ASSERT_EQ(ParseTaskImage(image, loaded), ReadResult::Ok);
  EXPECT_EQ(loaded, t);
}

TEST(TaskFileRead, CheckOrderShortThenMagicThenVersion) {
  TaskState task = Bystander();
  const TaskState before = task;
  Bytes image = BuildTaskImage(Domino());

  Bytes shortImage(image.begin(), image.begin() + 22);
  EXPECT_EQ(ParseTaskImage(shortImage, task), ReadResult::TooShort);
  shortImage[0] = 0;  // a bad magic does not matter before the length
  EXPECT_EQ(ParseTaskImage(shortImage, task), ReadResult::TooShort);

  // 23 bytes pass the length check; what follows the header is missing.
  EXPECT_EQ(ParseTaskImage(Bytes(image.begin(), image.begin() + 23), task), ReadResult::Damaged);

  Bytes badMagic = image;
  badMagic[3] = 0x74;
  badMagic[4] = 2;  // a newer version too: the magic is checked first
  EXPECT_EQ(ParseTaskImage(badMagic, task), ReadResult::BadHeader);

  Bytes newer = image;
  newer[4] = 2;
  EXPECT_EQ(ParseTaskImage(newer, task), ReadResult::NewerVersion);
  EXPECT_EQ(task, before);

  for (std::int32_t version : {0, -1}) {
    Bytes older = image;
    older[4] = static_cast<std::uint8_t>(version);
    for (int i = 5; i < 8; ++i) older[i] = static_cast<std::uint8_t>(version < 0 ? 0xFF : 0);
    TaskState loaded = before;
    EXPECT_EQ(ParseTaskImage(older, loaded), ReadResult::Ok) << "version " << version;
    EXPECT_EQ(loaded.figure.Cells, Domino().figure.Cells);
  }
}

TEST(TaskFileRead, SmallestFileGivesAnEmptyTaskOfTheStoredSizes) {
  Bytes image = Header(1, 7, 5, 9, 8, 4);
  image.push_back(0);
  Put32(image, 0);
  Put32(image, 0);
  ASSERT_EQ(image.size(), 41u);

  TaskState task = Bystander();
  ASSERT_EQ(ParseTaskImage(image, task), ReadResult::Ok);
  EXPECT_EQ(task.figure.FigureWidth, 7);
  EXPECT_EQ(task.figure.FigureDepth, 5);
  EXPECT_EQ(task.form.FormWidth, 9);
  EXPECT_EQ(task.form.FormDepth, 8);
  EXPECT_EQ(task.form.FormHeight, 4);
  EXPECT_TRUE(task.EmptyCells);
  EXPECT_EQ(task.Text, "");
  EXPECT_EQ(task.figure.Cells, FigureState().Cells);
  EXPECT_EQ(task.form.Cells, FormState().Cells);
}

TEST(TaskFileRead, NumberingBlockBytesPastTheCubesAreSkipped) {
  // Three cubes, the third first in user order, and a corner hinge record
  // with no cube: NF = 4 > C = 3, so the block's last byte means nothing.
  TaskState t = test::MakeTask({"##", ".#"}, {{"##", "#."}});
  ASSERT_TRUE(ToggleLink(t.figure, FigureCellIndex(2, 1), CornerYLeft));
  AssignNumber(t.figure, FigureCellIndex(1, 1), 0);
  Bytes image = BuildTaskImage(t);
  ASSERT_EQ(Get32(image, 33), 4);
  image.back() = 200;

  TaskState loaded;
  ASSERT_EQ(ParseTaskImage(image, loaded), ReadResult::Ok);
  EXPECT_EQ(loaded.figure.NumberOfCube[0], 2);
  EXPECT_EQ(loaded.figure.NumberOfCube[1], 1);
  EXPECT_EQ(loaded.figure.NumberOfCube[2], 0);
  EXPECT_EQ(loaded.figure.NumberOfCube[3], 0);
  EXPECT_EQ(loaded.figure.CubeOfNumber[0], 2);
  EXPECT_EQ(loaded.figure.NumberAtCell[FigureCellIndex(1, 1)], 0);
  EXPECT_EQ(loaded, t);
}

TEST(TaskFileRead, NineHundredCubesAreReadAsTheyAre) {
  TaskState t;
  t.figure.FigureWidth = 30;
  t.figure.FigureDepth = 30;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) t.figure.Cells[FigureCellIndex(x, y)] = kCubeBit;
  ResetNumbering(t.figure);
  Bytes image = BuildTaskImage(t);
  EXPECT_EQ(Get32(image, 8), 0);
  EXPECT_EQ(image.size(), 41u + 900 * 4);

  TaskState loaded;
  ASSERT_EQ(ParseTaskImage(image, loaded), ReadResult::Ok);
  EXPECT_EQ(CountCubes(loaded.figure), 900);
  EXPECT_EQ(BuildTaskImage(loaded), image);

  // Renumbered, the figure still cannot carry a block (one byte per cube
  // cannot number 900 cubes): the file stays readable, in default order.
  AssignNumber(loaded.figure, FigureCellIndex(0, 0), 1);
  ASSERT_FALSE(IsDefaultNumbering(loaded.figure));
  EXPECT_EQ(BuildTaskImage(loaded), image);
}

TEST(TaskFileRead, NumberingWithRecordsPastTheNumberSlotsRoundTrips) {
  // A checkerboard of 240 cubes with an anti-diagonal hinge in every empty
  // cell that has cubes above and to its left: far more than 256 records.
  TaskState t;
  t.figure.FigureWidth = 30;
  t.figure.FigureDepth = 16;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 30; ++x)
      if ((x + y) % 2 == 0) t.figure.Cells[FigureCellIndex(x, y)] = kCubeBit;
  ResetNumbering(t.figure);
  for (int y = 1; y < 16; ++y)
    for (int x = 1; x < 30; ++x)
      if ((x + y) % 2 == 1) {
        ASSERT_TRUE(ToggleLink(t.figure, FigureCellIndex(x, y), CornerAntiDiag));
      }
  AssignNumber(t.figure, FigureCellIndex(0, 0), 239);
  ASSERT_EQ(CountCubes(t.figure), 240);

  Bytes image = BuildTaskImage(t);
  std::int32_t nf = Get32(image, 33);
  ASSERT_GT(nf, 256);
  EXPECT_EQ(Get32(image, 8), 2);
  EXPECT_EQ(image.size(), 41u + 5 * static_cast<std::size_t>(nf));
  EXPECT_EQ(image[image.size() - nf], 239);
  TaskState loaded;
  ASSERT_EQ(ParseTaskImage(image, loaded), ReadResult::Ok);
  EXPECT_EQ(loaded, t);
  EXPECT_EQ(BuildTaskImage(loaded), image);
}

// One damaged image: a description and a change applied to a valid one.
struct Damage {
  const char* what;
  std::function<void(Bytes&)> apply;
};

// Offsets into BuildTaskImage(DamageBase()): text "ab" at 32..34, NF at 35,
// NB at 39, figure records from 43, form records after them.
TaskState DamageBase() {
  TaskState t = test::MakeTask({"##", "#."}, {{"##", "#."}});
  t.Text = "ab";
  AssignNumber(t.figure, FigureCellIndex(0, 1), 0);  // so the image ends in a numbering block
  return t;
}
constexpr std::size_t kNf = 35, kNb = 39, kFirstRecord = 43, kFirstForm = 43 + 3 * 4;

void Set32(Bytes& b, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}
void Set16(Bytes& b, std::size_t at, int v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

TEST(TaskFileRead, DamagedImagesAreRefusedAndChangeNothing) {
  const Bytes base = BuildTaskImage(DamageBase());
  ASSERT_EQ(Get32(base, kNf), 3);
  ASSERT_EQ(Get32(base, kNb), 3);
  ASSERT_EQ(Get32(base, 8), 2);

  const std::vector<Damage> damages{
      {"figure width 0", [](Bytes& b) { Set32(b, 12, 0); }},
      {"figure width 31", [](Bytes& b) { Set32(b, 12, 31); }},
      {"figure depth 0", [](Bytes& b) { Set32(b, 16, 0); }},
      {"figure depth 31", [](Bytes& b) { Set32(b, 16, 31); }},
      {"form width 31", [](Bytes& b) { Set32(b, 20, 31); }},
      {"form depth -1", [](Bytes& b) { Set32(b, 24, -1); }},
      {"form height 0", [](Bytes& b) { Set32(b, 28, 0); }},
      {"form height 11", [](Bytes& b) { Set32(b, 28, 11); }},
      {"text without its zero", [](Bytes& b) { b.resize(34); }},
      {"image ends inside NB", [](Bytes& b) { b.resize(kNb + 2); }},
      {"NF negative", [](Bytes& b) { Set32(b, kNf, -1); }},
      {"NB negative", [](Bytes& b) { Set32(b, kNb, -3); }},
      {"NF past the end", [](Bytes& b) { Set32(b, kNf, 4); }},
      {"NF huge", [](Bytes& b) { Set32(b, kNf, 0x7FFFFFFF); }},
      {"NB past the end", [](Bytes& b) { Set32(b, kNb, 5); }},
      {"numbering block short", [](Bytes& b) { b.pop_back(); }},
      {"numbering flag without block", [](Bytes& b) { b.resize(b.size() - 3); }},
      {"trailing byte", [](Bytes& b) { b.push_back(0); }},
      {"figure cell index -1", [](Bytes& b) { Set16(b, kFirstRecord, -1); }},
      {"figure cell index 1024", [](Bytes& b) { Set16(b, kFirstRecord, 1024); }},
      {"record in the border", [](Bytes& b) { Set16(b, kFirstRecord, FigureCellIndex(-1, 0)); }},
      {"cube at x = width", [](Bytes& b) { Set16(b, kFirstRecord, FigureCellIndex(2, 0)); }},
      {"cube at y = depth", [](Bytes& b) { Set16(b, kFirstRecord, FigureCellIndex(0, 2)); }},
      {"hinge two columns out",
       [](Bytes& b) {
         Set16(b, kFirstRecord, FigureCellIndex(3, 0));
         Set16(b, kFirstRecord + 2, 0x0020);
       }},
      {"word with bit 15", [](Bytes& b) { Set16(b, kFirstRecord + 2, 0x8001); }},
      {"form cell index -1", [](Bytes& b) { Set16(b, kFirstForm, -1); }},
      {"form cell index 12288", [](Bytes& b) { Set16(b, kFirstForm, 12288); }},
      {"form cell past the width", [](Bytes& b) { Set16(b, kFirstForm, FormCellIndex(2, 0, 0).value()); }},
      {"form cell past the height", [](Bytes& b) { Set16(b, kFirstForm, FormCellIndex(0, 0, 1).value()); }},
      {"form cell in the border layer",
       [](Bytes& b) { Set16(b, kFirstForm, FormCellIndex(0, 0, -1).value()); }},
      {"numbering repeats a number", [](Bytes& b) { b[b.size() - 1] = b[b.size() - 2]; }},
      {"numbering beyond the cubes", [](Bytes& b) { b[b.size() - 1] = 3; }},
  };
  for (const Damage& d : damages) {
    Bytes image = base;
    d.apply(image);
    TaskState task = Bystander();
    const TaskState before = task;
    EXPECT_EQ(ParseTaskImage(image, task), ReadResult::Damaged) << d.what;
    EXPECT_EQ(task, before) << d.what;
  }
}

TEST(TaskFileRead, NumberingBlockWithMoreThan256CubesIsRefused) {
  // 257 cubes in a 30x9 figure with a block: its bytes cannot number them all.
  Bytes image = Header(2, 30, 9, 1, 1, 1);
  image.push_back(0);
  Put32(image, 257);
  Put32(image, 0);
  for (int k = 0; k < 257; ++k) {
    Put16(image, FigureCellIndex(k % 30, k / 30));
    Put16(image, kCubeBit);
  }
  for (int k = 0; k < 257; ++k) image.push_back(static_cast<std::uint8_t>(k));
  TaskState task = Bystander();
  const TaskState before = task;
  EXPECT_EQ(ParseTaskImage(image, task), ReadResult::Damaged);
  EXPECT_EQ(task, before);

  // The same figure without the block is read as it is.
  image.resize(image.size() - 257);
  Set32(image, 8, 0);
  ASSERT_EQ(ParseTaskImage(image, task), ReadResult::Ok);
  EXPECT_EQ(CountCubes(task.figure), 257);
}

TEST(TaskFileRead, RepeatedAndEmptyRecordsAreHarmless) {
  // The later record for a cell wins; form cells listed twice stay 1.
  Bytes image = Header(0, 2, 1, 2, 1, 1);
  image.push_back(0);
  Put32(image, 3);
  Put32(image, 3);
  for (auto [cell, word] : {std::pair{33, 0x0001}, std::pair{34, 0x0001}, std::pair{33, 0x0000}}) {
    Put16(image, cell);
    Put16(image, word);
  }
  for (int cell : {1057, 1058, 1057}) Put16(image, cell);
  TaskState task;
  ASSERT_EQ(ParseTaskImage(image, task), ReadResult::Ok);
  EXPECT_EQ(CountCubes(task.figure), 1);
  EXPECT_EQ(task.figure.Cells[34], kCubeBit);
  EXPECT_EQ(CountFormCells(task.form), 2);
}

}  // namespace
}  // namespace zv
