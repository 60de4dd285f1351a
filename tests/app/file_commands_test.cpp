#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/orvel_view.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::ScriptedPort;

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("orvel_files_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  std::filesystem::path dir;
  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(FileCommandsTest, SaveAsThenOpenRoundTrip) {
  doc.SetCell(1, 0, "height");
  doc.SetCell(1, 1, "170.5");
  doc.ResultText = "report\n";
  doc.SetModified();
  port.QueueFile(Path("a.ovd"));
  EXPECT_EQ(view.OnFileSaveAs(), SaveOutcome::kSaved);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.PathName(), Path("a.ovd"));

  view.OnFileNew();
  EXPECT_EQ(doc.Text(1, 0), "");
  EXPECT_TRUE(view.OnFileOpen(Path("a.ovd")));
  EXPECT_EQ(doc.Text(1, 0), "height");
  EXPECT_DOUBLE_EQ(doc.Value(1, 1), 170.5);
  EXPECT_EQ(doc.ResultText, "report\n");
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(FileCommandsTest, SaveChangesQuestionGuardsNewAndOpen) {
  doc.SetCell(1, 1, "5");
  doc.SetModified();
  port.QueueCancel();
  view.OnFileNew();
  EXPECT_EQ(doc.Text(1, 1), "5");
  ASSERT_EQ(port.events.size(), 1u);
  EXPECT_EQ(port.events[0].text, "Save changes to Untitled?");

  port.QueueAnswer(false);  // No: discard
  view.OnFileNew();
  EXPECT_EQ(doc.Text(1, 1), "");

  // Yes with the save dialog cancelled keeps the document.
  doc.SetCell(1, 1, "6");
  doc.SetModified();
  port.QueueAnswer(true);
  view.OnFileNew();
  EXPECT_EQ(doc.Text(1, 1), "6");
}

TEST_F(FileCommandsTest, RefusedFilesLeaveTheDocumentAsItWas) {
  doc.SetCell(2, 3, "42");
  Write(Path("bad.ovd"), std::string("\x98\x08\x00\x00\x05", 5));
  EXPECT_FALSE(view.OnFileOpen(Path("bad.ovd")));
  EXPECT_EQ(doc.Text(2, 3), "42");
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].rfind("ORVEL: ", 0), 0u);

  std::string lines;
  for (int i = 0; i < 501; ++i) lines += "1\n";
  Write(Path("long.txt"), lines);
  EXPECT_FALSE(view.OnOpenTextFile(Path("long.txt")));
  EXPECT_EQ(port.Messages().back(), "ORVEL: The file is too large to open.");
  EXPECT_EQ(doc.Text(2, 3), "42");
}

TEST_F(FileCommandsTest, TextFilesInAndOut) {
  Write(Path("data.txt"), "name\tA\r\nx\t1.5\r\n");
  port.QueueFile(Path("data.txt"));
  EXPECT_TRUE(view.OnOpenTextFile());
  EXPECT_EQ(doc.Text(0, 0), "name");
  EXPECT_EQ(doc.Text(1, 0), "A");
  EXPECT_EQ(doc.Text(0, 1), "x");
  EXPECT_DOUBLE_EQ(doc.Value(1, 1), 1.5);
  EXPECT_EQ(doc.PathName(), Path("data.ovd"));

  view.IsRecording = true;
  port.QueueFile(Path("out.txt"));
  EXPECT_EQ(view.OnSaveDataSheetAsTextFile(), SaveOutcome::kSaved);
  EXPECT_EQ(Read(Path("out.txt")), "name\tA\r\nx\t1.5\r\n");
  EXPECT_EQ(view.MacroText, "savedata();\r\n");
  EXPECT_EQ(port.events.back().kind, PortEvent::kSaveFile);
  EXPECT_EQ(port.events.back().text, "data.txt");
}

// The file dialogs of the File menu: title, filter, default name and extension, and whether
// the save dialogs ask before overwriting. Each is cancelled, which leaves everything alone.
TEST_F(FileCommandsTest, FileDialogsAskWithTheirTitlesFiltersAndNames) {
  const std::string text_filter = "Text files(*.txt)|*.txt|All files(*.*)|*.*||";
  const auto expect_request = [&](const char* what, const std::string& title, const std::string& filter,
                                  const std::string& name, const std::string& extension, bool overwrite) {
    SCOPED_TRACE(what);
    ASSERT_FALSE(port.file_requests.empty());
    const FileDialogRequest& r = port.file_requests.back();
    EXPECT_EQ(r.title, title);
    EXPECT_EQ(r.filter, filter);
    EXPECT_EQ(r.default_name, name);
    EXPECT_EQ(r.default_extension, extension);
    EXPECT_EQ(r.confirm_overwrite, overwrite);
    port.file_requests.clear();
  };
  doc.ResultText = "report\n";
  EXPECT_FALSE(view.OnOpenTextFile());
  expect_request("Open Text File", "Open", text_filter, "", "txt", false);
  EXPECT_EQ(view.OnSaveDataSheetAsTextFile(), SaveOutcome::kCancelled);
  expect_request("Save Data Sheet As Text File", "Save As", text_filter, "data.txt", "txt", true);
  EXPECT_EQ(view.OnSaveResultAsTextFile(), SaveOutcome::kCancelled);
  expect_request("Save Result As Text File", "Save As", text_filter, "result.txt", "txt", true);
  EXPECT_FALSE(view.OnFileOpen(""));
  EXPECT_EQ(port.file_requests.back().title, "Open");
  EXPECT_EQ(port.file_requests.back().filter.rfind("ORVEL Files (*.ovd)|*.ovd|", 0), 0u);
  port.file_requests.clear();
  EXPECT_EQ(view.OnFileSaveAs(), SaveOutcome::kCancelled);
  EXPECT_EQ(port.file_requests.back().title, "Save As");
  EXPECT_EQ(port.file_requests.back().default_extension, "ovd");
  EXPECT_TRUE(port.file_requests.back().confirm_overwrite);
  EXPECT_EQ(doc.ResultText, "report\n");
  EXPECT_TRUE(port.Messages().empty());
}

}  // namespace
}  // namespace orvel
