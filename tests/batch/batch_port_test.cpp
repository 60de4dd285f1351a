#include "batch/batch_port.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/dialogs.h"
#include "app/orvel_view.h"

namespace orvel::batch {
namespace {

class BatchPortTest : public ::testing::Test {
 protected:
  // A port answering from `text` (an answers file named "run.answers").
  BatchPort& Port(const std::string& text) {
    const ParsedAnswers parsed = ParseAnswers(text);
    EXPECT_FALSE(parsed.error) << parsed.error->reason;
    port_.emplace(parsed.answers, "run.answers", messages);
    return *port_;
  }
  std::ostringstream messages;

 private:
  std::optional<BatchPort> port_;
};

TEST(MessageLineTest, EveryLineBreakBecomesOneSpace) {
  EXPECT_EQ(MessageLine("ORVEL", "Samples are too small."), "ORVEL: Samples are too small.");
  EXPECT_EQ(MessageLine("ORVEL", "one\ntwo\r\nthree\rfour\n\n"), "ORVEL: one two three four  ");
}

TEST_F(BatchPortTest, MessagesAndQuestionsAreWrittenOneLineEach) {
  BatchPort& port = Port("no\n");
  port.ShowMessage("FreeORVEL", "Samples are\ntoo small.");
  EXPECT_FALSE(port.AskQuestion("ORVEL", "Go on?", QuestionButtons::YesNo));
  EXPECT_EQ(messages.str(), "FreeORVEL: Samples are too small.\nORVEL: Go on?\n");
}

TEST_F(BatchPortTest, QuestionsTakeTheFourWordsInOrder) {
  BatchPort& port = Port("yes\nno\nok\ncancel\nno\nok\n");
  EXPECT_TRUE(port.AskQuestion("ORVEL", "q1", QuestionButtons::YesNo));
  EXPECT_FALSE(port.AskQuestion("ORVEL", "q2", QuestionButtons::YesNo));
  // yes/ok and no/cancel are the same answer to either kind of two-button question.
  EXPECT_TRUE(port.AskQuestion("ORVEL", "q3", QuestionButtons::YesNo));
  EXPECT_FALSE(port.AskQuestion("ORVEL", "q4", QuestionButtons::YesNo));
  EXPECT_FALSE(port.AskQuestion("ORVEL", "q5", QuestionButtons::OkCancel));
  EXPECT_TRUE(port.AskQuestion("ORVEL", "q6", QuestionButtons::OkCancel));
  EXPECT_EQ(port.UnusedCount(), 0u);
  // With the file used up, questions are answered OK/Yes.
  EXPECT_TRUE(port.AskQuestion("ORVEL", "q7", QuestionButtons::OkCancel));
  EXPECT_EQ(port.AskYesNoCancel("ORVEL", "Save changes to a.ovd?"), QuestionAnswer::kYes);
  EXPECT_FALSE(port.Misfit());
}

TEST_F(BatchPortTest, SaveChangesQuestionTakesYesNoAndCancel) {
  BatchPort& port = Port("no\ncancel\nyes\nok\n");
  EXPECT_EQ(port.AskYesNoCancel("ORVEL", "Save?"), QuestionAnswer::kNo);
  EXPECT_EQ(port.AskYesNoCancel("ORVEL", "Save?"), QuestionAnswer::kCancel);
  EXPECT_EQ(port.AskYesNoCancel("ORVEL", "Save?"), QuestionAnswer::kYes);
  EXPECT_EQ(port.AskYesNoCancel("ORVEL", "Save?"), QuestionAnswer::kYes);
}

TEST_F(BatchPortTest, DialogAnswersSetTheFieldsAndKeepThePresets) {
  BatchPort& port = Port("dialog \"Setting for Frequency Distribution\" classes=10 max=\"200\"\ncancel\n");
  FrequencyDialog dialog;
  dialog.maximum_setting = "180.0000";
  dialog.minimum_setting = "150.0000";
  dialog.classes = 6;
  EXPECT_TRUE(port.RunDialog(dialog));
  EXPECT_EQ(dialog.classes, 10);
  EXPECT_EQ(dialog.maximum_setting, "200");
  EXPECT_EQ(dialog.minimum_setting, "150.0000");

  ResultOptionsDialog options;
  EXPECT_FALSE(port.RunDialog(options));  // cancel
  // Used up: accepted with the presets.
  ResultOptionsDialog again;
  again.choice = 2;
  EXPECT_TRUE(port.RunDialog(again));
  EXPECT_EQ(again.choice, 2);
  EXPECT_FALSE(port.Misfit());
  EXPECT_EQ(messages.str(), "");
}

TEST_F(BatchPortTest, PresetsTheDialogRefusesLeaveOnlyCancel) {
  BatchPort& port = Port("");
  RowNumbersDialog dialog;
  dialog.rows = 50;
  EXPECT_FALSE(port.RunDialog(dialog));
  EXPECT_FALSE(port.Misfit());
}

TEST_F(BatchPortTest, FileDialogsAndInputPrompts) {
  BatchPort& port = Port("file out/result.txt\ncancel\ninput 3.5\\n\ncancel\ninput\n");
  EXPECT_EQ(port.ChooseSaveFile({"Save As", "", "result.txt", "txt", true}), "out/result.txt");
  EXPECT_EQ(port.ChooseOpenFile({"Open", "", "", "ovm", false}), std::nullopt);
  // The typed text as written: the executor translates escapes itself.
  EXPECT_EQ(port.AskInput("ORVEL", "Value?"), "3.5\\n");
  EXPECT_EQ(port.AskInput("ORVEL", "Value?"), std::nullopt);
  EXPECT_EQ(port.AskInput("ORVEL", "Value?"), "");
  // Used up: file dialogs are cancelled, prompts get the empty text.
  EXPECT_EQ(port.ChooseSaveFile({"Save As", "", "result.txt", "txt", true}), std::nullopt);
  EXPECT_EQ(port.AskInput("ORVEL", "Value?"), "");
  EXPECT_FALSE(port.Misfit());
}

TEST_F(BatchPortTest, AnswersThatDoNotFitTheirPromptAreMisfits) {
  const struct {
    const char* answers;
    const char* report;
  } cases[] = {
      {"file x.txt", "run.answers:1: 'file x.txt' does not answer the question \"ORVEL: Go on?\""},
      {"input 3", "run.answers:1: 'input 3' does not answer the question \"ORVEL: Go on?\""},
      {"dialog \"Result Options\"", "does not answer the question"},
  };
  for (const auto& c : cases) {
    BatchPort& port = Port(c.answers);
    EXPECT_FALSE(port.AskQuestion("ORVEL", "Go on?", QuestionButtons::YesNo));
    ASSERT_TRUE(port.Misfit()) << c.answers;
    EXPECT_NE(port.Misfit()->find(c.report), std::string::npos) << *port.Misfit();
    EXPECT_EQ(port.Misfit()->rfind("orvel-batch: run.answers:1: ", 0), 0u) << *port.Misfit();
    EXPECT_TRUE(port.ShouldStopMacro());
  }
}

TEST_F(BatchPortTest, DialogMisfits) {
  const struct {
    const char* answers;
    const char* report;
  } cases[] = {
      {"\n\ndialog \"Result Options\" choice=1",
       "run.answers:3: 'dialog \"Result Options\" choice=1' does not answer the dialog "
       "\"Setting for Frequency Distribution\""},
      {"yes", "'yes' does not answer the dialog \"Setting for Frequency Distribution\""},
      {"ok", "does not answer the dialog"},
      {"file a.txt", "does not answer the dialog"},
      {"dialog \"Setting for Frequency Distribution\" colour=red",
       "run.answers:1: the dialog \"Setting for Frequency Distribution\" does not take colour=\"red\""},
      {"dialog \"Setting for Frequency Distribution\" classes=ten", "does not take classes=\"ten\""},
      {"dialog \"Setting for Frequency Distribution\" classes=4",
       "the dialog \"Setting for Frequency Distribution\" refuses the answers: Enter an integer between 5 and 20."},
      {"dialog \"Setting for Frequency Distribution\" max=123456789012345678901",
       "refuses the answers: Enter no more than 20 characters."},
  };
  for (const auto& c : cases) {
    BatchPort& port = Port(c.answers);
    FrequencyDialog dialog;
    dialog.classes = 6;
    EXPECT_FALSE(port.RunDialog(dialog)) << c.answers;
    ASSERT_TRUE(port.Misfit()) << c.answers;
    EXPECT_NE(port.Misfit()->find(c.report), std::string::npos) << *port.Misfit();
    EXPECT_EQ(port.UnusedCount(), 1u) << "the misfit answer is not used";
  }
}

// The Data Settings dialogs answer from the file like any other: the settings change on a
// fitting answer; a refused one is a misfit that leaves the document as it was.
TEST_F(BatchPortTest, DataSettingsDialogsTakeTheirAnswers) {
  const struct {
    void (CORVELView::*command)();
    const char* answers;
    const char* misfit;  // empty: the answer fits
    bool pca_column_1;   // column 1 among the principal component columns afterwards
  } cases[] = {
      {&CORVELView::OnPcaSetting, "dialog \"Data Setting for Principal Component Analysis Data\" columns=\"1, 2\"", "",
       true},
      {&CORVELView::OnPcaSetting,
       "dialog \"Data Setting for Principal Component Analysis Data\" "
       "columns=1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21",
       "refuses the answers: \xE6\x9C\x80\xE5\xA4\xA7\xEF\xBC\x92\xEF\xBC\x90", false},
      {&CORVELView::OnPcaSetting, "dialog \"Data Setting for Principal Component Analysis Data\" columns=1,1",
       "does not take columns=\"1,1\"", false},
      {&CORVELView::OnMultipleRegressionSetting,
       "dialog \"Data Setting for Multiple Regression Data\" y=2 x=3,4 method=0 f_in=9", "", false},
      {&CORVELView::OnMultipleRegressionSetting, "dialog \"Data Setting for Multiple Regression Data\" method=3",
       "does not take method=\"3\"", false},
      {&CORVELView::OnObjectDataOption, "dialog \"Option for Object Data\" data=yes", "does not take data=\"yes\"",
       false},
  };
  for (const auto& c : cases) {
    CORVELDoc doc;
    BatchPort& port = Port(c.answers);
    CORVELView view(doc, port);
    (view.*c.command)();
    EXPECT_EQ(port.Misfit().has_value(), *c.misfit != '\0') << c.answers;
    if (port.Misfit()) {
      EXPECT_NE(port.Misfit()->find(c.misfit), std::string::npos) << *port.Misfit();
    }
    EXPECT_EQ(doc.PcaColumn(1), c.pca_column_1) << c.answers;
    EXPECT_EQ(doc.IsModified(), !port.Misfit().has_value()) << c.answers;
  }
  CORVELDoc doc;
  BatchPort& port = Port("dialog \"Data Setting for Multiple Regression Data\" y=2 x=3,4 method=0 f_in=9 p_in=0.1");
  CORVELView view(doc, port);
  view.OnMultipleRegressionSetting();
  EXPECT_EQ(doc.Settings().RegressionY, 2);
  EXPECT_TRUE(doc.RegressionXColumn(3) && doc.RegressionXColumn(4) && !doc.RegressionXColumn(1));
  EXPECT_EQ(doc.Settings().RegressionMethod, 0);
  EXPECT_EQ(doc.Settings().FIn, 2.0);  // corrected, as the dialog does
  EXPECT_EQ(doc.Settings().PIn, 0.1);
}

TEST_F(BatchPortTest, FileAndInputMisfitsNameThePrompt) {
  BatchPort& port = Port("yes");
  EXPECT_EQ(port.ChooseSaveFile({"Save As", "", "result.txt", "txt", true}), std::nullopt);
  ASSERT_TRUE(port.Misfit());
  EXPECT_EQ(*port.Misfit(), "orvel-batch: run.answers:1: 'yes' does not answer the file dialog \"Save As\" (result.txt)");

  BatchPort& port2 = Port("file a.txt");
  EXPECT_EQ(port2.AskInput("ORVEL", "How many\nrows?"), std::nullopt);
  ASSERT_TRUE(port2.Misfit());
  EXPECT_EQ(*port2.Misfit(),
            "orvel-batch: run.answers:1: 'file a.txt' does not answer the input prompt \"How many rows?\"");
}

TEST_F(BatchPortTest, AfterAMisfitEverythingIsCancelledAndSilent) {
  BatchPort& port = Port("file a.txt\nyes\nfile b.txt\ninput x\n");
  EXPECT_FALSE(port.AskQuestion("ORVEL", "First?", QuestionButtons::OkCancel));
  const std::string first = *port.Misfit();
  const std::string shown = messages.str();
  // Nothing more is consumed, shown or answered positively; the first misfit is the one kept.
  port.ShowMessage("ORVEL", "The macro was interrupted.");
  EXPECT_FALSE(port.AskQuestion("ORVEL", "Second?", QuestionButtons::YesNo));
  EXPECT_EQ(port.AskYesNoCancel("ORVEL", "Save?"), QuestionAnswer::kCancel);
  ResultOptionsDialog dialog;
  EXPECT_FALSE(port.RunDialog(dialog));
  EXPECT_EQ(port.ChooseSaveFile({"Save As", "", "", "", true}), std::nullopt);
  EXPECT_EQ(port.AskInput("ORVEL", "?"), std::nullopt);
  EXPECT_EQ(messages.str(), shown);
  EXPECT_EQ(*port.Misfit(), first);
  EXPECT_EQ(port.UnusedCount(), 4u);
  EXPECT_EQ(port.FirstUnused().line, 1);
}

TEST_F(BatchPortTest, ProfileLivesInMemory) {
  BatchPort& port = Port("");
  EXPECT_EQ(port.ReadProfileInt("ProgramData", "Row", 499), 499);
  port.WriteProfileInt("ProgramData", "Row", 1000);
  EXPECT_EQ(port.ReadProfileInt("ProgramData", "Row", 499), 1000);
  EXPECT_EQ(Port("").ReadProfileInt("ProgramData", "Row", 499), 499);
}

}  // namespace
}  // namespace orvel::batch
