#include "batch/answers_file.h"

#include <gtest/gtest.h>

namespace orvel::batch {
namespace {

using Kind = Answer::Kind;
using Fields = std::vector<std::pair<std::string, std::string>>;

TEST(AnswersFileTest, EveryKindWithItsLineNumber) {
  const ParsedAnswers parsed = ParseAnswers(
      "# answers for the summary run\r\n"
      "yes\r\n"
      "\r\n"
      "  no  \n"
      "ok\n"
      "cancel\n"
      "dialog \"Setting for Frequency Distribution\" classes=10 max=180.5 min=\"150\"\n"
      "file out/result.txt\n"
      "input Ono Komachi\n"
      "   # an indented comment\n"
      "input\n"
      "input   two blanks");
  ASSERT_FALSE(parsed.error) << parsed.error->reason;
  const std::vector<Answer>& a = parsed.answers;
  ASSERT_EQ(a.size(), 9u);
  EXPECT_EQ(a[0].kind, Kind::kYes);
  EXPECT_EQ(a[0].line, 2);
  EXPECT_EQ(a[1].kind, Kind::kNo);
  EXPECT_EQ(a[1].line, 4);
  EXPECT_EQ(a[2].kind, Kind::kOk);
  EXPECT_EQ(a[3].kind, Kind::kCancel);
  EXPECT_EQ(a[4].kind, Kind::kDialog);
  EXPECT_EQ(a[4].line, 7);
  EXPECT_EQ(a[4].title, "Setting for Frequency Distribution");
  EXPECT_EQ(a[4].fields, (Fields{{"classes", "10"}, {"max", "180.5"}, {"min", "150"}}));
  EXPECT_EQ(a[5].kind, Kind::kFile);
  EXPECT_EQ(a[5].text, "out/result.txt");
  EXPECT_EQ(a[6].kind, Kind::kInput);
  EXPECT_EQ(a[6].text, "Ono Komachi");
  // `input` alone is the empty text; after "input " the rest of the line is kept as it is.
  EXPECT_EQ(a[7].text, "");
  EXPECT_EQ(a[7].line, 11);
  EXPECT_EQ(a[8].text, "  two blanks");
  EXPECT_EQ(a[8].line, 12);
}

TEST(AnswersFileTest, QuotedTitlesValuesAndPaths) {
  std::string reason;
  auto a = ParseAnswerLine(R"(dialog "Explanation for Record Macro" text="say \"hi\" to C:\temp \\ now")", reason);
  ASSERT_TRUE(a) << reason;
  EXPECT_EQ(a->fields, (Fields{{"text", R"(say "hi" to C:\temp \ now)"}}));

  // Empty values, quoted or not, are texts the dialog may accept or refuse.
  a = ParseAnswerLine(R"(dialog "Setting for Frequency Distribution" max= min="")", reason);
  ASSERT_TRUE(a) << reason;
  EXPECT_EQ(a->fields, (Fields{{"max", ""}, {"min", ""}}));

  // A title alone answers the dialog with its presets.
  a = ParseAnswerLine("dialog \"Result Options\"   ", reason);
  ASSERT_TRUE(a) << reason;
  EXPECT_EQ(a->title, "Result Options");
  EXPECT_TRUE(a->fields.empty());

  a = ParseAnswerLine("file \"my data/result 1.txt\"", reason);
  ASSERT_TRUE(a) << reason;
  EXPECT_EQ(a->text, "my data/result 1.txt");
  // Unquoted, the path is the rest of the line, blanks inside included.
  a = ParseAnswerLine("file my data/result 1.txt  ", reason);
  ASSERT_TRUE(a) << reason;
  EXPECT_EQ(a->text, "my data/result 1.txt");
}

TEST(AnswersFileTest, MalformedLinesSayWhy) {
  using namespace std::literals;
  const struct {
    std::string_view line;
    const char* reason_part;
  } cases[] = {
      {"Yes", "unknown answer \"Yes\""},
      {"sure", "unknown answer \"sure\""},
      {"yes please", "nothing may follow \"yes\""},
      {"cancel now", "nothing may follow \"cancel\""},
      {"dialog", "title in double quotes"},
      {"dialog Result Options", "title in double quotes"},
      {"dialog \"Result Options", "not closed"},
      {"dialog \"\" choice=1", "title is empty"},
      {"dialog \"Result Options\"choice=1", "expected a blank"},
      {"dialog \"Result Options\" choice", "expected key=value, found \"choice\""},
      {"dialog \"Result Options\" =1", "expected key=value"},
      {"dialog \"Result Options\" choice=1 choice=2", "given twice"},
      {"dialog \"X\" text=\"open", "not closed"},
      {"dialog \"X\" text=a\"b\"", "double quote inside"},
      {"dialog \"X\" text=\"a\"b", "expected a blank"},
      {"file", "needs a path"},
      {"file   ", "needs a path"},
      {"file \"\"", "needs a path"},
      {"file \"a b\" c", "nothing may follow the quoted path"},
      // The system would write to the path cut at the NUL.
      {"file out.txt\0.ovd"sv, "holds a NUL"},
      {"file \"out\0.txt\""sv, "holds a NUL"},
      {"file \0"sv, "holds a NUL"},
  };
  for (const auto& c : cases) {
    std::string reason;
    EXPECT_FALSE(ParseAnswerLine(c.line, reason)) << c.line;
    EXPECT_NE(reason.find(c.reason_part), std::string::npos) << c.line << " -> " << reason;
  }
}

TEST(AnswersFileTest, TheFirstMalformedLineStopsTheParse) {
  const ParsedAnswers parsed = ParseAnswers("yes\n\n# fine so far\nmaybe\nno\nfile\n");
  ASSERT_TRUE(parsed.error);
  EXPECT_EQ(parsed.error->line, 4);
  EXPECT_NE(parsed.error->reason.find("maybe"), std::string::npos);
  EXPECT_TRUE(parsed.answers.empty());
}

TEST(AnswersFileTest, EmptyAndCommentOnlyFilesHoldNoAnswers) {
  for (const char* text : {"", "\n\n", "# nothing\r\n   \t\r\n#yes\n"}) {
    const ParsedAnswers parsed = ParseAnswers(text);
    EXPECT_FALSE(parsed.error) << text;
    EXPECT_TRUE(parsed.answers.empty()) << text;
  }
}

}  // namespace
}  // namespace orvel::batch
