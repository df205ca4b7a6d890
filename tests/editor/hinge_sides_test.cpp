// The face an edge hinge lies in, read under the cursor from either cube's
// half of the shared side, and moved to the other face by a click on the
// other cube's half (for x- and y-neighbours alike).
#include "editor/hinge_sides.h"

#include <gtest/gtest.h>

#include "editor/editor_session.h"
#include "tests/editor/session_helpers.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using namespace zv::test;

TEST(HingeSides, TheFaceUnderEitherHalfAndAClickMovesItToTheOther) {
  struct Pair {
    const char* row0;
    const char* row1;
    int cellX, cellY, upperBit;
    int firstT, firstU, secondT, secondU;  // a point in the first cube's half and one in the second's
    int secondX, secondY;
  };
  // clang-format off
  const Pair pairs[] = {
      {"##", "..", 1, 0, EdgeX1, 45, 25, 5, 25, 1, 0},   // x-neighbours: left cube, right cube
      {"#.", "#.", 0, 1, EdgeY1, 25, 45, 25, 5, 0, 1},   // y-neighbours: upper cube, lower cube
  };
  // clang-format on
  for (const Pair& p : pairs) {
    EditorSession s;
    s.ReplaceTask(MakeTask({p.row0, p.row1}, {{"##"}}));
    s.SetDrawMode(DrawMode::EdgeHinges);
    const int firstX = FigurePx(0, p.firstT), firstY = FigurePy(0, p.firstU);
    const int secondX = FigurePx(p.secondX, p.secondT), secondY = FigurePy(p.secondY, p.secondU);
    EXPECT_FALSE(EdgeHingeUnder(s.task().figure, firstX, firstY));
    s.FigurePress(firstX, firstY, false);  // the first cube's half: the upper face
    s.FigureRelease();
    for (auto [x, y] : {std::pair{firstX, firstY}, std::pair{secondX, secondY}}) {
      const std::optional<FaceHinge> h = EdgeHingeUnder(s.task().figure, x, y);
      ASSERT_TRUE(h);
      EXPECT_EQ(h->face, HingeFace::Upper);
      EXPECT_EQ(h->link, (LinkHit{FigureCellIndex(p.cellX, p.cellY), p.upperBit}));
    }
    s.FigurePress(secondX, secondY, false);  // the second cube's half: moved to the lower face
    const std::optional<FaceHinge> h = EdgeHingeUnder(s.task().figure, firstX, firstY);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->face, HingeFace::Lower);
    EXPECT_EQ(h->link.bit, p.upperBit + 1);
    EXPECT_FALSE(s.task().figure.Cells[FigureCellIndex(p.cellX, p.cellY)] & BitMask(p.upperBit));
  }
  EXPECT_FALSE(FaceOfEdgeHinge(CornerDiag));
  EXPECT_FALSE(FaceOfEdgeHinge(AxisX));
}

}  // namespace
}  // namespace zv
