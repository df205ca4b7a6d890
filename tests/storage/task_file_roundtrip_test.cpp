// Random tasks written, read and written again: the task and the bytes come
// back unchanged, from small figures up to the largest sizes.
#include <gtest/gtest.h>

#include "storage/task_file.h"
#include "tests/support/random_task.h"

namespace zv {
namespace {

void ExpectRoundTrips(std::mt19937& rng, const test::RandomTaskOptions& options, int count) {
  for (int i = 0; i < count; ++i) {
    const TaskState task = test::RandomTask(rng, options);
    const std::vector<std::uint8_t> image = BuildTaskImage(task);
    TaskState loaded;
    ASSERT_EQ(ParseTaskImage(image, loaded), ReadResult::Ok) << "task " << i;
    ASSERT_EQ(loaded, task) << "task " << i;
    ASSERT_EQ(BuildTaskImage(loaded), image) << "task " << i;
  }
}

TEST(TaskFileRoundTrip, SmallTasks) {
  std::mt19937 rng(test::TestSeed());
  ExpectRoundTrips(rng, {}, 400);
}

TEST(TaskFileRoundTrip, LargeTasksWithLongTexts) {
  std::mt19937 rng(test::TestSeed());
  test::RandomTaskOptions options;
  options.maxFigureSide = 30;
  options.cubeChance = 0.3;
  options.linkTries = 600;
  options.maxFormSide = 30;
  options.maxFormHeight = 10;
  options.maxTextLength = 3000;
  ExpectRoundTrips(rng, options, 60);
}

}  // namespace
}  // namespace zv
