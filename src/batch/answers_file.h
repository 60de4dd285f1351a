// The answers file of orvel-batch: one answer per line for the questions, dialogs, file
// dialogs and input prompts that a run opens, in the order they open.
//
//   yes | no | ok | cancel                  a question (cancel also a dialog, file dialog or prompt)
//   dialog "TITLE" key=value key="a b" ...  the next dialog, which must carry that title
//   file PATH                               the next file dialog (PATH may be in double quotes;
//                                           a PATH holding a NUL is malformed)
//   input TEXT                              the next input prompt (the rest of the line)
//   # a comment                             ignored, as are blank lines
//
// Inside double quotes \" stands for a quote and \\ for a backslash; any other backslash is
// kept as it is.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvel::batch {

struct Answer {
  enum class Kind { kYes, kNo, kOk, kCancel, kDialog, kFile, kInput };
  Kind kind = Kind::kOk;
  int line = 0;          // 1-based line number in the answers file
  std::string source;    // the line as written, for messages
  std::string title;     // kDialog: the dialog's title
  std::vector<std::pair<std::string, std::string>> fields;  // kDialog: key=value, in order
  std::string text;      // kFile: the path; kInput: the typed text
};

struct AnswersError {
  int line = 0;
  std::string reason;
};

struct ParsedAnswers {
  std::vector<Answer> answers;
  std::optional<AnswersError> error;  // the first malformed line; `answers` is then empty
};

// Parses the whole (already decoded) text of an answers file. Lines end in LF or CR LF.
ParsedAnswers ParseAnswers(std::string_view text);

// Parses one line that is not blank and not a comment. Nothing and `reason` set when the line
// is malformed.
std::optional<Answer> ParseAnswerLine(std::string_view line, std::string& reason);

}  // namespace orvel::batch
