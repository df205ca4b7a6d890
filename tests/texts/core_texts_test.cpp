// The Russian texts of the core's codes: every validation verdict with its
// numbers filled in, cubes named by their user numbers, and the captions of
// task file results.
#include "texts/core_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/task_builder.h"

namespace zv {
namespace {

TEST(CoreTexts, ValidationMessages) {
  // A 2x2 figure whose cube 3 carries user number 1 and cube 0 number 4.
  TaskState t = test::MakeTask({"##", "##"}, {{"#"}});
  AssignNumber(t.figure, FigureCellIndex(1, 1), 0);
  struct Row {
    ValidationError error;
    int cubeA, cubeB, count;
    const char* text;
  };
  // clang-format off
  const Row rows[] = {
      {ValidationError::None,           -1, -1, 0, ""},
      {ValidationError::TooFewCubes,    -1, -1, 0, "В исходной фигуре меньше 2 кубиков"},
      {ValidationError::TooManyCubes,   -1, -1, 0, "В исходной фигуре больше 254 кубиков"},
      {ValidationError::MustBeRigid,     2,  3, 0, "Кубики 3 и 1 должны быть жестко связаны"},
      {ValidationError::MustBeRigid,     0,  1, 0, "Кубики 4 и 2 должны быть жестко связаны"},
      {ValidationError::CannotBeHinged,  1,  2, 0, "Кубики 2 и 3 не могут быть шарнирно связаны"},
      {ValidationError::FormTooLarge,   -1, -1, 0, "В форме больше 254 кубиков"},
      {ValidationError::FormTooSmall,   -1, -1, 2, "В форме на 2 меньше кубиков, чем в условии"},
      {ValidationError::FormTooBig,     -1, -1, 1, "В форме на 1 больше кубиков, чем в условии"},
      {ValidationError::FormTooBig,     -1, -1, 12, "В форме на 12 больше кубиков, чем в условии"},
  };
  // clang-format on
  for (const Row& row : rows) {
    Validation v;
    v.error = row.error;
    v.cubeA = CubeIndex(row.cubeA);
    v.cubeB = CubeIndex(row.cubeB);
    v.count = row.count;
    EXPECT_EQ(ValidationMessage(v, t.figure), row.text) << static_cast<int>(row.error);
  }
}

TEST(CoreTexts, ValidationMessageOfAValidatedTask) {
  TaskState t = test::MakeTask({"##", "##"}, {{"##", "##"}});
  ToggleLink(t.figure, FigureCellIndex(1, 0), RigidX);
  ToggleLink(t.figure, FigureCellIndex(0, 1), RigidY);
  ToggleLink(t.figure, FigureCellIndex(1, 1), RigidY);
  EXPECT_EQ(ValidationMessage(ValidateTask(t), t.figure), "Кубики 3 и 4 должны быть жестко связаны");
}

TEST(CoreTexts, ReadCaptionsNameTheProblem) {
  EXPECT_STREQ(ReadResultCaption(ReadResult::Ok), "");
  EXPECT_STREQ(ReadResultCaption(ReadResult::Missing), "");
  EXPECT_STREQ(ReadResultCaption(ReadResult::Unreadable), "Невозможно считать файл");
  EXPECT_STREQ(ReadResultCaption(ReadResult::TooShort), "Ошибка в файле задачи");
  EXPECT_STREQ(ReadResultCaption(ReadResult::Damaged), "Ошибка в файле задачи");
  EXPECT_STREQ(ReadResultCaption(ReadResult::BadHeader), "Неправильный заголовок файла задачи");
  EXPECT_STREQ(ReadResultCaption(ReadResult::NewerVersion),
               "Версия файла задачи более новая, чем у программы");
}

TEST(CoreTexts, FillNumbersReplacesEachPlaceholder) {
  EXPECT_EQ(FillNumbers("%2 и %1, %1%", 7, -3), "-3 и 7, 7%");
  EXPECT_EQ(FillNumbers("%3 %", 1), "%3 %");
}

}  // namespace
}  // namespace zv
