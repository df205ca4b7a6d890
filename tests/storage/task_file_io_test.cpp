// Task files on disk: whole-file reads that tell a missing file from an
// unreadable one and never read more than a task can hold, and atomic writes
// that never destroy the old file, never replace what is no regular file and
// clean up after saves that were cut short.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
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

  // A pipe, or a link to one, is refused, not swapped for a plain file (a
  // device such as /dev/null would be replaced the same way).
  ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink("pipe", folder.File("to-pipe"));
  for (const char* name : {"pipe", "to-pipe"}) {
    EXPECT_FALSE(WriteWholeFileAtomic(folder.File(name), Bytes{1})) << name;
    EXPECT_TRUE(std::filesystem::is_fifo(folder.File("pipe")));
  }
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"pipe", "task.zvt", "to-pipe"}));
}

TEST(WholeFiles, LinksToNothingAreRefusedAndLongNamesWritten) {
  TempFolder folder;
  std::filesystem::create_symlink("nowhere/task.zvt", folder.File("dangling"));
  std::filesystem::create_symlink("loop-b", folder.File("loop-a"));
  std::filesystem::create_symlink("loop-a", folder.File("loop-b"));
  std::string cyrillic;
  for (int i = 0; i < 125; ++i) cyrillic += "\u044f";  // two bytes each
  const struct {
    std::string name;
    int error;  // 0: written
  } rows[] = {
      {"dangling", ENOENT},
      {"loop-a", ELOOP},
      {std::string(251, 'n') + ".zvt", 0},  // 255 bytes, the longest name
      {cyrillic + ".zvt", 0},
      {std::string(252, 'n') + ".zvt", ENAMETOOLONG},
  };
  for (const auto& row : rows) {
    const std::string path = folder.File(row.name);
    errno = 0;
    EXPECT_EQ(WriteWholeFileAtomic(path, Bytes{5}), row.error == 0) << row.name;
    if (row.error != 0) {
      EXPECT_EQ(errno, row.error) << row.name;
    } else {
      EXPECT_EQ(ReadBytes(path), Bytes{5}) << row.name;
      std::filesystem::remove(path);
    }
  }
  // The links stay links, and no temporary file is left behind.
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("dangling")));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("loop-a")));
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"dangling", "loop-a", "loop-b"}));
}

TEST(WholeFiles, ASaveRemovesWhatInterruptedSavesLeftAndNothingElse) {
  TempFolder folder;
  // A process that has ended, as one killed half way through a save.
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_GT(ended, 0);
  ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);

  const std::string left = TemporarySaveName(folder.File("other.zvt"), ended, 0x1234abcd);
  const std::string running = TemporarySaveName(folder.File("other.zvt"), ::getpid(), 0x00c0ffee);
  for (const std::string& path :
       {left, running, folder.File("notes.~1234abcd"), folder.File("notes.~zorvat-x-1234abcd"),
        folder.File("notes.zorvat-9-1234abcd")})
    WriteBytes(path, {1});
  ASSERT_TRUE(WriteWholeFileAtomic(folder.File("task.zvt"), Bytes{2}));
  const std::vector<std::string> kept = folder.List();
  EXPECT_EQ(std::count(kept.begin(), kept.end(), std::filesystem::path(left).filename()), 0);
  EXPECT_EQ(kept.size(), 5u);  // the running save's file, the user's three and the task
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

TEST(TaskFiles, AFileLargerThanAnyTaskIsRefusedAfterItsHeaderWithoutReadingIt) {
  TempFolder folder;
  // The largest task the writer makes still reads back.
  TaskState largest = test::MakeTask({"#"}, {{"#"}});
  largest.Text.assign(kMaxTextBytes, 'a');
  for (int z = 0; z < kMaxFormHeight; ++z)
    for (int y = 0; y < kMaxFormSide; ++y)
      for (int x = 0; x < kMaxFormSide; ++x) largest.form.At(FormCellIndex(x, y, z)) = 1;
  largest.form.FormWidth = largest.form.FormDepth = kMaxFormSide;
  largest.form.FormHeight = kMaxFormHeight;
  ASSERT_EQ(WriteTaskFile(folder.File("largest.zvt"), largest), WriteResult::Ok);
  TaskState task;
  EXPECT_EQ(ReadTaskFile(folder.File("largest.zvt"), task), ReadResult::Ok);
  EXPECT_EQ(task, largest);

  // Sparse files of 200 GB: only their first bytes are ever read.
  const Bytes header = BuildTaskImage(Domino());
  Bytes wrongMagic = header, newer = header;
  wrongMagic[0] = 0;
  newer[4] = 2;
  const std::pair<Bytes, ReadResult> cases[] = {
      {header, ReadResult::Damaged}, {wrongMagic, ReadResult::BadHeader}, {newer, ReadResult::NewerVersion}};
  for (const auto& [start, result] : cases) {
    const std::string path = folder.File("huge.zvt");
    WriteBytes(path, start);
    std::filesystem::resize_file(path, std::uintmax_t{200} << 30);
    const TaskState before = task;
    EXPECT_EQ(ReadTaskFile(path, task), result);
    EXPECT_EQ(task, before);
    Bytes first;
    EXPECT_EQ(ReadWholeFile(path, first, 100), FileReadStatus::TooLarge);
    EXPECT_EQ(first.size(), 101u);
  }
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
