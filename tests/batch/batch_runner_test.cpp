#include "batch/batch_runner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sheet/document_file.h"
#include "sheet/orvel_doc.h"

namespace orvel::batch {
namespace {

namespace fs = std::filesystem;

class BatchRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("orvel_batch_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    Write("data.txt", "name\theight\nA\t170\nB\t165.5\nC\t181\n");
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string Path(const std::string& name) const { return (dir / name).string(); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  // Runs orvel-batch with `args`; the names data.txt, m.ovm, a.answers, out.txt and out.ovd
  // stand for the files of the test's folder.
  int Run(std::vector<std::string> args) {
    for (std::string& a : args)
      if (a == "data.txt" || a == "data.ovd" || a == "m.ovm" || a == "a.answers" || a == "out.txt" ||
          a == "out.ovd" || a == "big.txt")
        a = Path(a);
    out.str("");
    err.str("");
    return RunBatch(args, out, err);
  }
  std::string Err() const { return err.str(); }

  fs::path dir;
  std::ostringstream out, err;
};

// ---- The command line -------------------------------------------------------------------------

TEST_F(BatchRunnerTest, ArgumentsInBothFormsAndTheirDefaults) {
  auto parsed = ParseBatchArguments({"d.txt", "m.ovm"});
  ASSERT_TRUE(std::holds_alternative<BatchOptions>(parsed));
  BatchOptions o = std::get<BatchOptions>(parsed);
  EXPECT_EQ(o.data, "d.txt");
  EXPECT_EQ(o.macro, "m.ovm");
  EXPECT_FALSE(o.rows);
  EXPECT_EQ(o.max_steps, 0);
  EXPECT_TRUE(o.answers.empty() && o.result.empty() && o.save.empty());

  parsed = ParseBatchArguments({"--answers", "a.txt", "d.txt", "--result=r.txt", "--save", "s.ovd", "--rows=100",
                                "--max-steps", "5000000000", "m.ovm"});
  ASSERT_TRUE(std::holds_alternative<BatchOptions>(parsed)) << std::get<std::string>(parsed);
  o = std::get<BatchOptions>(parsed);
  EXPECT_EQ(o.answers, "a.txt");
  EXPECT_EQ(o.result, "r.txt");
  EXPECT_EQ(o.save, "s.ovd");
  EXPECT_EQ(o.rows, 100);
  EXPECT_EQ(o.max_steps, 5000000000LL);

  // After "--" a name may start with a dash.
  parsed = ParseBatchArguments({"--", "-d.txt", "--m.ovm"});
  ASSERT_TRUE(std::holds_alternative<BatchOptions>(parsed));
  EXPECT_EQ(std::get<BatchOptions>(parsed).data, "-d.txt");
  EXPECT_EQ(std::get<BatchOptions>(parsed).macro, "--m.ovm");

  parsed = ParseBatchArguments({"x", "--help"});
  ASSERT_TRUE(std::holds_alternative<BatchOptions>(parsed));
  EXPECT_TRUE(std::get<BatchOptions>(parsed).help);
}

TEST_F(BatchRunnerTest, BadUsageSaysWhat) {
  const struct {
    std::vector<std::string> args;
    const char* problem;
  } cases[] = {
      {{}, "DATA and MACRO are both needed"},
      {{"d.txt"}, "DATA and MACRO are both needed"},
      {{"d.txt", "m.ovm", "x"}, "too many operands (x)"},
      {{"--colour", "d.txt", "m.ovm"}, "unknown option --colour"},
      {{"-r", "d.txt", "m.ovm"}, "unknown option -r"},
      {{"d.txt", "m.ovm", "--answers"}, "--answers needs a value"},
      {{"--result=", "d.txt", "m.ovm"}, "--result needs a value"},
      {{"--rows", "abc", "d.txt", "m.ovm"}, "--rows takes"},
      {{"--rows", "99", "d.txt", "m.ovm"}, "--rows takes"},
      {{"--rows", "20001", "d.txt", "m.ovm"}, "--rows takes"},
      {{"--rows", "1e3", "d.txt", "m.ovm"}, "--rows takes"},
      {{"--max-steps", "0", "d.txt", "m.ovm"}, "--max-steps takes"},
      {{"--max-steps", "-5", "d.txt", "m.ovm"}, "--max-steps takes"},
      {{"--max-steps", "12x", "d.txt", "m.ovm"}, "--max-steps takes"},
      {{"--rows", "100", "--rows=200", "d.txt", "m.ovm"}, "--rows is given twice"},
  };
  for (const auto& c : cases) {
    const auto parsed = ParseBatchArguments(c.args);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.problem;
    EXPECT_NE(std::get<std::string>(parsed).find(c.problem), std::string::npos) << std::get<std::string>(parsed);
  }
  EXPECT_EQ(Run({"--rows", "abc", "data.txt", "m.ovm"}), kExitFailure);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Err().rfind("orvel-batch: --rows takes", 0), 0u) << Err();
  EXPECT_NE(Err().find("Usage: orvel-batch [--answers FILE]"), std::string::npos);

  EXPECT_EQ(Run({"--help"}), kExitRunEnded);
  EXPECT_EQ(out.str(), UsageText(true));
  EXPECT_EQ(Err(), "");
}

TEST_F(BatchRunnerTest, OutputsMayNotOverwriteTheInputs) {
  Write("m.ovm", "exit;");
  Write("a.answers", "");
  Write("data.ovd", "");
  const std::string data = Path("data.txt"), macro = Path("m.ovm"), answers = Path("a.answers");
  const struct {
    std::vector<std::string> args;
    const char* problem;
  } refused[] = {
      {{"--result", data, data, macro}, "--result names the same file as DATA"},
      {{"--result", dir.string() + "/./m.ovm", data, macro}, "--result names the same file as MACRO"},
      {{"--answers", answers, "--save", answers, data, macro}, "--save names the same file as the answers file"},
      // A document saved over the text file it came from would lose the text file.
      {{"--save", data, data, macro}, "--save names the same file as DATA"},
      {{"--result", Path("new.out"), "--save", dir.string() + "/x/../new.out", data, macro},
       "--result and --save name the same file"},
  };
  for (const auto& c : refused) {
    const auto parsed = ParseBatchArguments(c.args);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.problem;
    EXPECT_NE(std::get<std::string>(parsed).find(c.problem), std::string::npos) << std::get<std::string>(parsed);
  }
  // Saving the document over the document it was opened from is what File Save does.
  EXPECT_TRUE(std::holds_alternative<BatchOptions>(ParseBatchArguments({"--save", Path("data.ovd"), Path("data.ovd"), macro})));
  EXPECT_EQ(Run({"--result", "data.txt", "data.txt", "m.ovm"}), kExitFailure);
  EXPECT_EQ(Read("data.txt"), "name\theight\nA\t170\nB\t165.5\nC\t181\n");
}

// ---- Whole runs ---------------------------------------------------------------------------------

TEST_F(BatchRunnerTest, ResultGoesToStandardOutputOrToTheResultFile) {
  Write("m.ovm", "addresult(\"line one\\nline two\\n\");");
  EXPECT_EQ(Run({"data.txt", "m.ovm"}), kExitRunEnded);
  EXPECT_EQ(out.str(), "line one\nline two\n");
  EXPECT_EQ(Err(), "");

  EXPECT_EQ(Run({"--result", "out.txt", "data.txt", "m.ovm"}), kExitRunEnded);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Read("out.txt"), "line one\r\nline two\r\n");
}

TEST_F(BatchRunnerTest, SaveWritesTheDocumentAfterTheRun) {
  Write("m.ovm", "cell(2,4)=\"158\"; addresult(\"done\");");
  EXPECT_EQ(Run({"--save", "out.ovd", "data.txt", "m.ovm"}), kExitRunEnded);
  EXPECT_EQ(out.str(), "done");
  CORVELDoc saved;
  ASSERT_TRUE(ReadDocumentFile(Path("out.ovd"), saved).ok);
  EXPECT_EQ(saved.Text(1, 0), "height");
  EXPECT_EQ(saved.Text(0, 2), "B");
  EXPECT_EQ(saved.Text(1, 2), "165.5");
  EXPECT_EQ(saved.Text(2, 4), "158");
  EXPECT_EQ(saved.ResultText, "done");

  // Opened, changed and saved in place.
  Write("m.ovm", "cell(2,5)=\"1\";");
  EXPECT_EQ(Run({"--save", "out.ovd", "out.ovd", "m.ovm"}), kExitRunEnded);
  CORVELDoc again;
  ASSERT_TRUE(ReadDocumentFile(Path("out.ovd"), again).ok);
  EXPECT_EQ(again.Text(2, 4), "158");
  EXPECT_EQ(again.Text(2, 5), "1");
}

// The outputs are written all or none: when one cannot be written, the other is not either,
// and standard output stays empty.
TEST_F(BatchRunnerTest, OutputsAreWrittenAllOrNone) {
  Write("m.ovm", "cell(2,4)=\"158\"; addresult(\"done\");");
  Write("readonly.txt", "kept");
  fs::permissions(Path("readonly.txt"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_directory(Path("folder.ovd"));
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
  const struct {
    std::vector<std::string> outputs;
    std::string message;
  } cases[] = {
      {{"--save", "out.ovd", "--result", Path("readonly.txt")},
       "Cannot save \"" + Path("readonly.txt") + "\": Permission denied."},
      {{"--save", Path("fifo"), "--result", "out.txt"}, "Cannot save \"" + Path("fifo") + "\": it is not a regular file."},
      {{"--save", "/dev/null", "--result", "out.txt"}, "Cannot save \"/dev/null\": it is not a regular file."},
      {{"--save", Path("folder.ovd")}, "Cannot save \"" + Path("folder.ovd") + "\": it is not a regular file."},
      {{"--result", Path("folder.ovd")}, "Cannot save \"" + Path("folder.ovd") + "\": it is not a regular file."},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.outputs;
    args.insert(args.end(), {"data.txt", "m.ovm"});
    SCOPED_TRACE(args[1]);
    EXPECT_EQ(Run(args), kExitFailure);
    EXPECT_EQ(Err(), "orvel-batch: " + c.message + "\n");
    EXPECT_EQ(out.str(), "");
    EXPECT_FALSE(fs::exists(Path("out.ovd")));
    EXPECT_FALSE(fs::exists(Path("out.txt")));
    EXPECT_EQ(Read("readonly.txt"), "kept");
    EXPECT_TRUE(fs::is_fifo(Path("fifo")));
    EXPECT_TRUE(fs::is_directory(Path("folder.ovd")));
  }
  EXPECT_EQ(fs::directory_iterator(Path("folder.ovd")), fs::directory_iterator());

  // A NUL in an answers file's path is a malformed line, not a shorter path.
  Write("m.ovm", "addresult(\"a\"); saveresult;");
  Write("a.answers", std::string("file ") + Path("out.txt") + std::string("\0.ovd\n", 6));
  EXPECT_EQ(Run({"--answers", "a.answers", "data.txt", "m.ovm"}), kExitFailure);
  EXPECT_EQ(Err(), "orvel-batch: " + Path("a.answers") + ":1: the path holds a NUL character\n");
  EXPECT_FALSE(fs::exists(Path("out.txt")));
}

TEST_F(BatchRunnerTest, RowsSetTheSheetSize) {
  Write("m.ovm", "addresult(getmaxsetting());");
  EXPECT_EQ(Run({"data.txt", "m.ovm"}), kExitRunEnded);
  EXPECT_EQ(out.str(), "500");
  EXPECT_EQ(Run({"--rows", "1000", "data.txt", "m.ovm"}), kExitRunEnded);
  EXPECT_EQ(out.str(), "1001");

  // 150 data lines do not fit 100 rows: the data file is refused and the macro does not run.
  std::string big = "x\n";
  for (int i = 1; i <= 150; ++i) big += std::to_string(i) + "\n";
  Write("big.txt", big);
  Write("m.ovm", "addresult(\"ran\");");
  EXPECT_EQ(Run({"--rows", "100", "--save", "out.ovd", "big.txt", "m.ovm"}), kExitFailure);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Err(), "ORVEL: The file is too large to open.\n");
  EXPECT_FALSE(fs::exists(Path("out.ovd")));
  EXPECT_EQ(Run({"--rows", "200", "big.txt", "m.ovm"}), kExitRunEnded);
  EXPECT_EQ(out.str(), "ran");
}

TEST_F(BatchRunnerTest, UnreadableInputsStopBeforeTheRun) {
  Write("m.ovm", "addresult(\"ran\");");
  EXPECT_EQ(Run({"missing.ovd", "m.ovm"}), kExitFailure);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Err(), "ORVEL: Cannot open \"missing.ovd\": No such file or directory.\n");

  Write("data.ovd", "not a document at all");
  EXPECT_EQ(Run({"data.ovd", "m.ovm"}), kExitFailure);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Err().rfind("ORVEL: ", 0), 0u) << Err();

  EXPECT_EQ(Run({"data.txt", Path("nothing.ovm")}), kExitFailure);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Err(), "orvel-batch: Cannot open \"" + Path("nothing.ovm") + "\": No such file or directory.\n");

  EXPECT_EQ(Run({"--answers", Path("none.answers"), "data.txt", "m.ovm"}), kExitFailure);
  EXPECT_NE(Err().find("none.answers"), std::string::npos) << Err();
  EXPECT_EQ(out.str(), "");
}

TEST_F(BatchRunnerTest, MalformedAnswersStopBeforeTheRun) {
  Write("m.ovm", "cell(1,1)=\"9\"; addresult(\"ran\");");
  Write("a.answers", "yes\n\nperhaps\n");
  EXPECT_EQ(Run({"--answers", "a.answers", "--save", "out.ovd", "data.txt", "m.ovm"}), kExitFailure);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Err(), "orvel-batch: " + Path("a.answers") +
                       ":3: unknown answer \"perhaps\" (an answer starts with yes, no, ok, cancel, dialog, "
                       "file or input)\n");
  EXPECT_FALSE(fs::exists(Path("out.ovd")));
}

TEST_F(BatchRunnerTest, AMisfitAnswerWritesNothing) {
  // After the misfit the loop would never end: the run must stop by itself, silently.
  Write("m.ovm", "addresult(\"partial\"); #a=question(\"Go on?\"); while (1) { #i=#i+1; }");
  Write("a.answers", "# the question wants yes or no\nfile x.txt\n");
  Write("out.txt", "an older result");
  EXPECT_EQ(Run({"--answers", "a.answers", "--result", "out.txt", "--save", "out.ovd", "data.txt", "m.ovm"}),
            kExitFailure);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Err(), "ORVEL: Go on?\norvel-batch: " + Path("a.answers") +
                       ":2: 'file x.txt' does not answer the question \"ORVEL: Go on?\"\n");
  EXPECT_EQ(Read("out.txt"), "an older result");
  EXPECT_FALSE(fs::exists(Path("out.ovd")));
}

TEST_F(BatchRunnerTest, QuestionsAndInputsFromTheAnswersFile) {
  Write("m.ovm",
        "if (question(\"Add?\")==1) { addresult(\"yes \"); } else { addresult(\"no \"); }\n"
        "$name=input(\"Name?\"); addresult($name);");
  Write("a.answers", "no\ninput Ono\\tKomachi\nyes\n");
  EXPECT_EQ(Run({"--answers", "a.answers", "data.txt", "m.ovm"}), kExitRunEnded);
  EXPECT_EQ(out.str(), "no Ono\tKomachi");
  // The third answer met no prompt: a warning, the run still counts as ended.
  EXPECT_EQ(Err(), "ORVEL: Add?\norvel-batch: " + Path("a.answers") + ":3: 'yes' was not used\n");
}

TEST_F(BatchRunnerTest, FileDialogsTakeTheAnswersFilePaths) {
  // saveresult asks for a file; the answer's path is used as written.
  Write("m.ovm", "addresult(\"a\\nb\\n\"); saveresult; saveresult;");
  Write("a.answers", "file " + Path("saved result.txt") + "\ncancel\n");
  EXPECT_EQ(Run({"--answers", "a.answers", "data.txt", "m.ovm"}), kExitRunEnded);
  EXPECT_EQ(Err(), "");
  EXPECT_EQ(Read("saved result.txt"), "a\r\nb\r\n");
  EXPECT_EQ(out.str(), "a\nb\n");
}

TEST_F(BatchRunnerTest, ErrorInstructionsAndTheStepLimitGiveStatusOne) {
  Write("m.ovm", "addresult(\"before\"); nosuchname; addresult(\"after\");");
  EXPECT_EQ(Run({"data.txt", "m.ovm"}), kExitMacroStopped);
  EXPECT_EQ(out.str(), "before");
  EXPECT_EQ(Err(), "ORVEL: 関数名 nosuchname は未知の名前です。\n");

  Write("m.ovm", "addresult(\"looping\"); while (1) { #i=#i+1; }");
  EXPECT_EQ(Run({"--max-steps", "10000", "--result", "out.txt", "data.txt", "m.ovm"}), kExitMacroStopped);
  EXPECT_EQ(Read("out.txt"), "looping");
  // One message box: the executor's note about the limit.
  const std::string e = Err();
  EXPECT_EQ(e.rfind("ORVEL: ", 0), 0u) << e;
  EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;

  Write("m.ovm", "addresult(\"a\"); exit; addresult(\"b\");");
  EXPECT_EQ(Run({"data.txt", "m.ovm"}), kExitRunEnded);
  EXPECT_EQ(out.str(), "a");
}

}  // namespace
}  // namespace orvel::batch
