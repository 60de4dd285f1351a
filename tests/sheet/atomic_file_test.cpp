#include "sheet/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

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
