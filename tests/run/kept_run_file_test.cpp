// The kept-run file shared by instances in one folder: each writes over and
// removes only the file it wrote itself, moves another's aside before
// writing, and a file read back that cannot be used goes aside under a
// dated name with its bytes.
#include "run/kept_run_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "run/unit_file.h"
#include "storage/autosave.h"
#include "tests/support/temp_folder.h"

namespace zv {
namespace {

// A file told apart from others by its fingerprint.
UnitFile Marked(std::uint64_t mark) {
  UnitFile file;
  file.taskFingerprint = mark;
  file.blockCount = 1;
  file.cut.depth = 1;
  return file;
}

std::uint64_t MarkAt(const std::string& path) {
  UnitFile file;
  return ReadUnitFile(path, file) == UnitFileStatus::Ok ? file.taskFingerprint : 0;
}

TEST(KeptRunFile, EachInstanceWritesOverAndRemovesOnlyItsOwnFile) {
  test::TempFolder folder;
  const std::string path = folder.File("Current.zvu");
  KeptRunFile a(path), b(path);
  ASSERT_TRUE(a.Write(Marked(1)));
  ASSERT_TRUE(a.Write(Marked(2)));  // its own file: written over
  EXPECT_EQ(folder.List().size(), 1u);
  ASSERT_TRUE(b.Write(Marked(3)));  // a's run goes aside first
  EXPECT_EQ(MarkAt(path), 3u);
  a.Drop();  // b's file stays
  EXPECT_EQ(MarkAt(path), 3u);
  EXPECT_FALSE(a.Holds());
  ASSERT_TRUE(a.Write(Marked(4)));  // b's run goes aside in turn
  const auto names = folder.List();
  ASSERT_EQ(names.size(), 3u);
  for (const std::string& name : names) {
    EXPECT_TRUE(name == "Current.zvu" || name.rfind("Current.other-", 0) == 0) << name;
  }
  a.Drop();
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(folder.List().size(), 2u);

  // A file read back is removed only once taken up.
  ASSERT_TRUE(b.Write(Marked(5)));
  KeptRunFile next(path);
  next.Drop();
  EXPECT_EQ(MarkAt(path), 5u);
  next.Adopt();
  next.Drop();
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(KeptRunFile, AFileThatCannotBeUsedGoesAsideUnderADatedName) {
  const std::pair<KeptRunAside, const char*> rows[] = {{KeptRunAside::OtherTask, ".other-"},
                                                       {KeptRunAside::Newer, ".newer-"},
                                                       {KeptRunAside::Damaged, ".damaged-"}};
  for (const auto& [why, name] : rows) {
    test::TempFolder folder;
    KeptRunFile kept(folder.File("Current.zvu"));
    EXPECT_FALSE(kept.SetAside(why, 0).has_value()) << name;  // no file to move
    ASSERT_TRUE(KeptRunFile(kept.path()).Write(Marked(7)));
    KeptRunFile later(kept.path());
    const std::optional<std::string> moved = later.SetAside(why, 1700000000);
    ASSERT_TRUE(moved.has_value()) << name;
    EXPECT_EQ(*moved, DatedName(folder.File("Current"), name, 1700000000) + ".zvu");
    EXPECT_EQ(MarkAt(*moved), 7u);
    EXPECT_FALSE(std::filesystem::exists(kept.path()));
  }
}

}  // namespace
}  // namespace zv
