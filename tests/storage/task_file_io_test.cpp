// Task files on disk: whole-file reads that tell a missing file from an
// unreadable one, and atomic writes that never destroy the old file.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "storage/task_file.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_folder.h"

namespace zv {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TaskState Domino() {
  TaskState t = test::MakeTask({"##"}, {{"##"}});
  test::SetLink(t, 1, 0, RigidX);
  return t;
}

TEST(WholeFiles, ReadTellsMissingFromUnreadable) {
  TempFolder folder;
  Bytes bytes{1, 2, 3};
  EXPECT_EQ(ReadWholeFile(folder.File("none"), bytes), FileReadStatus::Missing);
  EXPECT_EQ(ReadWholeFile(folder.File("none/deeper"), bytes), FileReadStatus::Missing);
  EXPECT_EQ(ReadWholeFile("", bytes), FileReadStatus::Missing);
  EXPECT_EQ(ReadWholeFile(folder.Path().string(), bytes), FileReadStatus::Failed);  // a folder
  WriteBytes(folder.File("plain"), {9});
  EXPECT_EQ(ReadWholeFile(folder.File("plain/deeper"), bytes), FileReadStatus::Missing);
  EXPECT_EQ(bytes, (Bytes{1, 2, 3}));  // failed reads leave the buffer alone

  WriteBytes(folder.File("empty"), {});
  EXPECT_EQ(ReadWholeFile(folder.File("empty"), bytes), FileReadStatus::Ok);
  EXPECT_TRUE(bytes.empty());

  Bytes big(100000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  WriteBytes(folder.File("big"), big);
  EXPECT_EQ(ReadWholeFile(folder.File("big"), bytes), FileReadStatus::Ok);
  EXPECT_EQ(bytes, big);
}

TEST(WholeFiles, ExistenceMeansAFileNotAFolder) {
  TempFolder folder;
  EXPECT_FALSE(FileExists(folder.File("a.zvt")));
  EXPECT_FALSE(FileExists(folder.Path().string()));
  EXPECT_FALSE(FileExists(""));
  WriteBytes(folder.File("a.zvt"), {1});
  EXPECT_TRUE(FileExists(folder.File("a.zvt")));
}

TEST(WholeFiles, AtomicWriteCreatesAndReplacesLeavingNoTemporary) {
  TempFolder folder;
  const std::string path = folder.File("task.zvt");
  ASSERT_TRUE(WriteWholeFileAtomic(path, Bytes{1, 2, 3, 4, 5}));
  EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3, 4, 5}));
  ASSERT_TRUE(WriteWholeFileAtomic(path, Bytes{7}));
  EXPECT_EQ(ReadBytes(path), (Bytes{7}));
  ASSERT_TRUE(WriteWholeFileAtomic(path, Bytes{}));
  EXPECT_TRUE(ReadBytes(path).empty());
  EXPECT_EQ(folder.List(), std::vector<std::string>{"task.zvt"});
}

TEST(WholeFiles, ReplacedFileKeepsItsPermissions) {
  TempFolder folder;
  const std::string path = folder.File("task.zvt");
  WriteBytes(path, {1});
  namespace fs = std::filesystem;
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteWholeFileAtomic(path, Bytes{2}));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(WholeFiles, WriteThroughASymbolicLinkReplacesTheFileItNames) {
  TempFolder folder;
  std::filesystem::create_directory(folder.File("real"));
  WriteBytes(folder.File("real/task.zvt"), {1});
  std::filesystem::create_symlink("real/task.zvt", folder.File("link.zvt"));
  ASSERT_TRUE(WriteWholeFileAtomic(folder.File("link.zvt"), Bytes{2, 3}));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.zvt")));
  EXPECT_EQ(ReadBytes(folder.File("real/task.zvt")), (Bytes{2, 3}));
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"link.zvt", "real"}));
}

TEST(WholeFiles, FailedWriteLeavesEverythingAsItWas) {
  TempFolder folder;
  // The folder does not exist: nothing is created anywhere.
  EXPECT_FALSE(WriteWholeFileAtomic(folder.File("missing/task.zvt"), Bytes{1}));
  EXPECT_TRUE(folder.List().empty());
  EXPECT_FALSE(WriteWholeFileAtomic("", Bytes{1}));

  // The target is a folder holding a file: the folder and the file survive
  // and the temporary file is gone again.
  std::filesystem::create_directory(folder.File("task.zvt"));
  WriteBytes(folder.File("task.zvt/inside"), {4, 5});
  EXPECT_FALSE(WriteWholeFileAtomic(folder.File("task.zvt"), Bytes{1}));
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("task.zvt")));
  EXPECT_EQ(ReadBytes(folder.File("task.zvt/inside")), (Bytes{4, 5}));
  EXPECT_EQ(folder.List(), std::vector<std::string>{"task.zvt"});
}

TEST(TaskFiles, WriteThenReadGivesTheSameTask) {
  TempFolder folder;
  const std::string path = folder.File("domino.zvt");
  ASSERT_EQ(WriteTaskFile(path, Domino()), WriteResult::Ok);
  EXPECT_EQ(ReadBytes(path), BuildTaskImage(Domino()));
  TaskState loaded;
  ASSERT_EQ(ReadTaskFile(path, loaded), ReadResult::Ok);
  EXPECT_EQ(loaded, Domino());
}

TEST(TaskFiles, FailedReadsAndWritesChangeNothing) {
  TempFolder folder;
  const std::string path = folder.File("domino.zvt");
  ASSERT_EQ(WriteTaskFile(path, Domino()), WriteResult::Ok);
  const Bytes saved = ReadBytes(path);

  TaskState task = test::MakeTask({"###"}, {{"###"}});
  const TaskState before = task;
  EXPECT_EQ(ReadTaskFile(folder.File("other.zvt"), task), ReadResult::Missing);
  EXPECT_EQ(ReadTaskFile("", task), ReadResult::Missing);
  EXPECT_EQ(ReadTaskFile(folder.Path().string(), task), ReadResult::Unreadable);
  WriteBytes(folder.File("short.zvt"), Bytes(saved.begin(), saved.begin() + 22));
  EXPECT_EQ(ReadTaskFile(folder.File("short.zvt"), task), ReadResult::TooShort);
  Bytes damaged = saved;
  damaged.push_back(0);
  WriteBytes(folder.File("damaged.zvt"), damaged);
  EXPECT_EQ(ReadTaskFile(folder.File("damaged.zvt"), task), ReadResult::Damaged);
  EXPECT_EQ(task, before);

  EXPECT_EQ(WriteTaskFile(folder.File("missing/task.zvt"), task), WriteResult::Failed);
  EXPECT_EQ(ReadBytes(path), saved);
}

}  // namespace
}  // namespace zv
