// Run files (work-unit and result files) on disk are judged by their header
// and the sizes it declares before their body is read: a huge sparse file,
// one that starts like a run file and one whose body is shorter or longer
// than declared are refused at once, without making room for their size.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>

#include "run/result_file.h"
#include "run/unit_file.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_folder.h"

namespace zv {
namespace {

using Bytes = std::vector<std::uint8_t>;

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

template <class Status>
struct Kind {
  const char* name;
  Bytes image;  // a whole, valid file
  Status (*read)(const std::string&);
  Status ok, damaged;
};

template <class Status>
void ExpectJudgedByHeader(const Kind<Status>& kind) {
  test::TempFolder folder;
  const std::string path = folder.File("run");
  const Bytes& image = kind.image;
  const Bytes magic(image.begin(), image.begin() + 8), header(image.begin(), image.begin() + 40);
  Bytes longer = image, shorter(image.begin(), image.end() - 1);
  longer.push_back(0);
  const struct {
    const char* what;
    const Bytes& start;
    std::uintmax_t size;  // 0: as written
    bool ok;
  } rows[] = {
      {"the whole file", image, 0, true},
      {"a byte more", longer, 0, false},
      {"a byte less", shorter, 0, false},
      {"the magic, then 1 GB of nothing", magic, std::uintmax_t{1} << 30, false},
      {"the header, then 1 GB of nothing", header, std::uintmax_t{1} << 30, false},
      {"the whole file, then 1 GB of nothing", image, std::uintmax_t{1} << 30, false},
      {"the header, then 200 GB of nothing", header, std::uintmax_t{200} << 30, false},
  };
  for (const auto& row : rows) {
    test::WriteBytes(path, row.start);
    if (row.size != 0) std::filesystem::resize_file(path, row.size);
    const long before = PeakKilobytes();
    EXPECT_EQ(kind.read(path), row.ok ? kind.ok : kind.damaged) << kind.name << ": " << row.what;
    EXPECT_LT(PeakKilobytes() - before, 64 * 1024) << kind.name << ": " << row.what;
  }
}

TEST(RunFileSizes, FilesAreJudgedByTheSizesTheirHeaderDeclares) {
  UnitFile units;
  units.cut = {3, 40, 77};
  units.parts = 2;
  units.blockCount = 2;
  for (const std::uint32_t unit : {4u, 6u}) {
    UnitResult& r = units.results.emplace_back();
    r.unit = unit;
    r.assignments = 9;
    r.firsts = {1, 2};
  }
  UnitPlace& place = units.begun.emplace_back();  // a unit a stop landed in, with one step
  place.sofar.unit = 8;
  place.sofar.firsts = {3, 4};
  place.steps.push_back(PlaceStep{2, 5, 1, {7, 9}, {3, 4}});
  units.mergedUnits = 1;
  units.mergedNew = {1, 0, 1};
  const TaskState task = test::MakeTask({"##"}, {{"##"}});
  units.taskImage = BuildTaskImage(task);
  units.taskFingerprint = TaskFingerprint(task);
  ExpectJudgedByHeader(Kind<UnitFileStatus>{"unit file", BuildUnitImage(units),
                                            [](const std::string& path) {
                                              UnitFile file;
                                              return ReadUnitFile(path, file);
                                            },
                                            UnitFileStatus::Ok, UnitFileStatus::Damaged});

  ResultFile result{task, SolveEngine::Reduced, SolveOutcome::Complete, {}, {1, 2, 0, 0}};
  result.stats.solutionCount = 1;
  result.stats.found = 1;
  result.stats.assignments = 2;
  ExpectJudgedByHeader(Kind<ResultFileStatus>{"result file", BuildResultImage(result),
                                              [](const std::string& path) {
                                                ResultFile file;
                                                return ReadResultFile(path, file);
                                              },
                                              ResultFileStatus::Ok, ResultFileStatus::Damaged});
}

}  // namespace
}  // namespace zv
