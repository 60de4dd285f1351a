#include "sheet/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "file_test_support.h"
#include "sheet/document_file.h"

namespace orvel {
namespace {

using testing::ReadAll;
using testing::ScratchDir;

TEST(AtomicSave, CreatesAndReplaces) {
  ScratchDir dir;
  const std::string path = dir.File("a.ovd");
  ASSERT_TRUE(WriteFileAtomically(path, "first").ok);
  EXPECT_EQ(ReadAll(path), "first");
  ASSERT_TRUE(WriteFileAtomically(path, std::string("sec\0nd", 6)).ok);
  EXPECT_EQ(ReadAll(path), std::string("sec\0nd", 6));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"a.ovd"});
}

TEST(AtomicSave, KeepsPermissionsAndFollowsLinks) {
  ScratchDir dir;
  const std::string path = dir.File("data.txt");
  testing::WriteAll(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const std::string link = dir.File("link.txt");
  std::filesystem::create_symlink(path, link);

  ASSERT_TRUE(WriteFileAtomically(link, "new").ok);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadAll(path), "new");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"data.txt", "link.txt"}));
}

TEST(AtomicSave, TargetThatIsAFolderFailsCleanly) {
  ScratchDir dir;
  const std::string target = dir.File("folder.ovd");
  std::filesystem::create_directory(target);
  testing::WriteAll(target + "/inside", "keep");
  const FileOutcome outcome = WriteFileAtomically(target, "bytes");
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("folder.ovd"), std::string::npos);
  EXPECT_EQ(ReadAll(target + "/inside"), "keep");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"folder.ovd"});  // no temporary left
}

TEST(AtomicSave, MissingFolderFails) {
  ScratchDir dir;
  EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/dir/a.ovd"), "x").ok);
  EXPECT_TRUE(dir.Entries().empty());
}

TEST(AtomicSave, UnwritableFolderLeavesOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  ScratchDir dir;
  const std::string path = dir.File("a.ovd");
  testing::WriteAll(path, "old");
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  EXPECT_FALSE(WriteFileAtomically(path, "new").ok);
  ::chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(ReadAll(path), "old");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"a.ovd"});
}

// A write that fails half-way (here: the file-size limit, which binds every user) removes the
// temporary file and leaves the old file as it was.
TEST(AtomicSave, FailedWriteLeavesOldFile) {
  ScratchDir dir;
  const std::string path = dir.File("a.ovd");
  testing::WriteAll(path, "old contents");

  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const FileOutcome outcome = WriteFileAtomically(path, std::string(100000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("a.ovd"), std::string::npos);
  EXPECT_EQ(ReadAll(path), "old contents");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"a.ovd"});
}

TEST(AtomicSave, DocumentSaveFailureKeepsDocumentState) {
  ScratchDir dir;
  CORVELDoc doc;
  doc.SetCell(1, 1, "5");
  doc.SetModified(true);
  doc.SetPathName("/earlier/place.ovd");
  std::filesystem::create_directory(dir.File("taken.ovd"));
  testing::WriteAll(dir.File("taken.ovd") + "/x", "");
  EXPECT_FALSE(SaveDocumentFile(dir.File("taken.ovd"), doc).ok);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.PathName(), "/earlier/place.ovd");
}

// A save onto something that is not a regular file, after links are followed, is refused
// before anything is written: the device, pipe or folder stays what it was.
TEST(AtomicSave, TargetsThatAreNotRegularFilesAreRefused) {
  ScratchDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0644), 0);
  std::filesystem::create_symlink(dir.File("fifo"), dir.File("to-fifo"));
  std::filesystem::create_symlink("/dev/null", dir.File("to-null"));
  std::filesystem::create_directory(dir.File("folder"));
  int pipe_ends[2];
  ASSERT_EQ(::pipe(pipe_ends), 0);
  const std::string pipe_link = "/proc/self/fd/" + std::to_string(pipe_ends[1]);

  const std::vector<std::string> targets = {"/dev/null",          "/dev/full",         dir.File("fifo"),
                                            dir.File("to-fifo"),  dir.File("to-null"), dir.File("folder"),
                                            pipe_link};
  const auto kind = [](const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0u;
  };
  for (const std::string& target : targets) {
    SCOPED_TRACE(target);
    const auto kind_before = kind(target);
    ASSERT_NE(kind_before, 0u);
    const FileOutcome outcome = WriteFileAtomically(target, "replacement");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "Cannot save \"" + target + "\": it is not a regular file.");
    EXPECT_EQ(kind(target), kind_before);
  }
  ::close(pipe_ends[0]);
  ::close(pipe_ends[1]);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("to-null")));
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"fifo", "folder", "to-fifo", "to-null"}));
}

// A file the user may not write is not replaced, even though the folder would allow the
// rename; a file without any write bit is read-only for the superuser too.
TEST(AtomicSave, ReadOnlyFilesAreNotReplaced) {
  ScratchDir dir;
  const std::string path = dir.File("shared.ovd");
  const std::string link = dir.File("link.ovd");
  testing::WriteAll(path, "theirs");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  std::filesystem::create_symlink(path, link);
  for (const std::string& target : {path, link}) {
    const FileOutcome outcome = WriteFileAtomically(target, "mine");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "Cannot save \"" + target + "\": Permission denied.");
  }
  EXPECT_EQ(ReadAll(path), "theirs");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"link.ovd", "shared.ovd"}));

  // Another user's 0644 file in a folder everyone may write: the system refuses the write, so
  // the save is refused (run as an unprivileged user in a child process).
  if (::geteuid() != 0) return;
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
    const FileOutcome outcome = WriteFileAtomically(path, "mine");
    ::_exit(!outcome.ok && outcome.message.find("Permission denied") != std::string::npos ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadAll(path), "theirs");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"link.ovd", "shared.ovd"}));
}

// Staged files reach their targets only when committed; the others are removed.
TEST(AtomicSave, StagedFilesAreWrittenOnlyWhenCommitted) {
  ScratchDir dir;
  testing::WriteAll(dir.File("a.txt"), "old a");
  {
    StagedFile a, b;
    ASSERT_TRUE(a.Stage(dir.File("a.txt"), "new a").ok);
    ASSERT_TRUE(b.Stage(dir.File("b.txt"), "new b").ok);
    EXPECT_EQ(dir.Entries().size(), 3u);  // a.txt and two temporary files
    EXPECT_EQ(ReadAll(dir.File("a.txt")), "old a");
    b.Discard();
    EXPECT_FALSE(b.staged());
    EXPECT_FALSE(b.Commit().ok);
  }  // a goes out of scope uncommitted
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"a.txt"});
  EXPECT_EQ(ReadAll(dir.File("a.txt")), "old a");

  StagedFile c;
  ASSERT_TRUE(c.Stage(dir.File("c.txt"), "c").ok);
  // The target became a folder meanwhile: the commit refuses and leaves nothing behind.
  std::filesystem::create_directory(dir.File("c.txt"));
  EXPECT_EQ(c.Commit().message, "Cannot save \"" + dir.File("c.txt") + "\": it is not a regular file.");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"a.txt", "c.txt"}));
  std::filesystem::remove(dir.File("c.txt"));
  ASSERT_TRUE(c.Stage(dir.File("c.txt"), "c").ok);
  ASSERT_TRUE(c.Commit().ok);
  EXPECT_EQ(ReadAll(dir.File("c.txt")), "c");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"a.txt", "c.txt"}));
}

TEST(FileRead, RefusesThingsThatAreNotFiles) {
  std::string bytes;
  const FileOutcome outcome = ReadFileBytes("/dev/zero", bytes, "too large");
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("/dev/zero"), std::string::npos);
  EXPECT_EQ(FileNameForMessage("/a/b/c.ovd"), "c.ovd");
  EXPECT_EQ(FileNameForMessage("c.ovd"), "c.ovd");
}

}  // namespace
}  // namespace orvel
