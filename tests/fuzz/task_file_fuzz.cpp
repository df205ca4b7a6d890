// libFuzzer target for the task file reader. Any bytes: a refused image must
// leave the task untouched; an accepted one must validate without faults and
// come back equal, and byte for byte, through the writer and the reader.
#include <cstdint>
#include <cstdlib>

#include "model/validation.h"
#include "storage/task_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zv::TaskState fresh;
  zv::TaskState task;
  if (zv::ParseTaskImage(std::span(data, size), task) != zv::ReadResult::Ok) {
    if (!(task == fresh)) std::abort();
    return 0;
  }
  zv::Validation v = zv::ValidateTask(task);
  if (!v.ok() && zv::ValidationMessage(v, task.figure).empty()) std::abort();

  const std::vector<std::uint8_t> image = zv::BuildTaskImage(task);
  zv::TaskState again;
  if (zv::ParseTaskImage(image, again) != zv::ReadResult::Ok || !(again == task)) std::abort();
  if (zv::BuildTaskImage(again) != image) std::abort();
  return 0;
}
