#include "batch/batch_runner.h"

#include <charconv>
#include <filesystem>
#include <set>
#include <system_error>

#include "app/dialogs.h"
#include "app/orvel_view.h"
#include "batch/answers_file.h"
#include "batch/batch_port.h"
#include "batch/batch_rcode.h"
#include "sheet/atomic_file.h"
#include "sheet/document_file.h"
#include "sheet/legacy_encoding.h"
#include "sheet/orvel_doc.h"
#include "sheet/text_files.h"

namespace orvel::batch {

namespace {

constexpr int kMinRows = 100;

bool ParseSteps(const std::string& text, std::int64_t& out) {
  std::int64_t value = 0;
  const char* last = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), last, value);
  if (ec != std::errc() || ptr != last || text.empty() || value < 1) return false;
  out = value;
  return true;
}

bool EndsWithDocumentExtension(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  for (char& c : tail)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return tail == ".ovd";
}

// True when the two paths name one file: the same existing file (links followed), or the same
// place for a file still to be created.
bool SameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) {
    const bool same = fs::equivalent(a, b, ec);
    return !ec && same;
  }
  const fs::path ca = fs::weakly_canonical(a, ec);
  if (ec) return a == b;
  const fs::path cb = fs::weakly_canonical(b, ec);
  if (ec) return a == b;
  return ca == cb;
}

// An output that would overwrite one of the run's inputs (or the other output) is refused
// before anything runs: it is a slip of the keyboard far more often than a wish. Saving the
// document over the document it was opened from is the exception, as File Save does it.
std::string OutputClash(const BatchOptions& o) {
  struct Named {
    const char* what;
    const std::string* path;
  };
  const Named inputs[] = {{"DATA", &o.data}, {"MACRO", &o.macro}, {"the answers file", &o.answers}};
  const Named outputs[] = {{"--result", &o.result}, {"--save", &o.save}};
  for (const Named& out : outputs) {
    if (out.path->empty()) continue;
    for (const Named& in : inputs) {
      if (in.path->empty() || !SameFile(*out.path, *in.path)) continue;
      if (out.path == &o.save && in.path == &o.data && EndsWithDocumentExtension(o.data)) continue;
      return std::string(out.what) + " names the same file as " + in.what + " (" + *out.path +
             "); choose another output file";
    }
  }
  if (!o.result.empty() && !o.save.empty() && SameFile(o.result, o.save))
    return "--result and --save name the same file (" + o.result + ")";
  return {};
}

void ReportUsageError(std::ostream& err, const std::string& problem) {
  err << "orvel-batch: " << problem << '\n' << UsageText(false) << std::flush;
}

}  // namespace

std::string UsageText(bool long_form) {
  std::string text =
      "Usage: orvel-batch [--answers FILE] [--result FILE] [--save FILE.ovd] [--rows N] "
      "[--max-steps N] [--time SECONDS] [--rcode \"MENU TEXT\"]... DATA MACRO\n"
      "       orvel-batch --help\n";
  if (!long_form) return text + "Run 'orvel-batch --help' for the options.\n";
  return text +
         "\n"
         "Opens DATA (an ORVEL document, *.ovd, or a text data file), runs the macro file MACRO\n"
         "on it and writes the result text to standard output.\n"
         "\n"
         "  --answers FILE   answer the questions, dialogs, file dialogs and input prompts of\n"
         "                   the run from FILE, one answer per line (see docs/batch.md)\n"
         "  --result FILE    write the result text to FILE (CR LF line ends) instead\n"
         "  --save FILE.ovd  save the document to FILE.ovd after the run\n"
         "  --rows N         give the data sheet N data rows, 100..20000 (default 499)\n"
         "  --max-steps N    stop the macro after N instructions (default: no limit)\n"
         "  --time SECONDS   run with the clock fixed at SECONDS since 1970 (the random\n"
         "                   numbers table is seeded from the clock)\n"
         "  --rcode TEXT     after the macro, run the R Language command TEXT (its menu text\n"
         "                   without mnemonic and dots, e.g. \"Summary Statistis\"); repeatable;\n"
         "                   standard output then carries the R code the commands copied\n"
         "  --help           show this help\n"
         "\n"
         "Every message box is written to standard error as TITLE: TEXT, one per line.\n"
         "Exit status: 0 the run ended; 1 the macro stopped at an error or at the step limit;\n"
         "2 bad usage, an unreadable file, an answer that does not fit, or an output file\n"
         "that could not be written.\n";
}

std::variant<BatchOptions, std::string> ParseBatchArguments(const std::vector<std::string>& args) {
  BatchOptions o;
  std::vector<std::string> operands;
  std::set<std::string> seen;
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_done || arg == "-" || arg.size() < 2 || arg[0] != '-') {
      operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_done = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      o.help = true;
      continue;
    }
    std::string name = arg, value;
    bool has_value = false;
    if (const auto eq = arg.find('='); eq != std::string::npos && arg.rfind("--", 0) == 0) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      has_value = true;
    }
    std::string* target = nullptr;
    if (name == "--answers") target = &o.answers;
    else if (name == "--result") target = &o.result;
    else if (name == "--save") target = &o.save;
    else if (name != "--rows" && name != "--max-steps" && name != "--time" && name != "--rcode")
      return "unknown option " + arg;
    if (name != "--rcode" && !seen.insert(name).second) return "option " + name + " is given twice";
    if (!has_value) {
      if (i + 1 >= args.size()) return "option " + name + " needs a value";
      value = args[++i];
    }
    if (value.empty()) return "option " + name + " needs a value";
    if (target != nullptr) {
      *target = value;
    } else if (name == "--rcode") {
      if (!IsRCodeMenuName(value)) return "--rcode takes a command of the R Language menu, not " + value;
      o.rcode.push_back(value);
    } else if (name == "--rows") {
      int rows = 0;
      if (!ParseWholeNumber(value, rows) || rows < kMinRows || rows > kMaxDataRows)
        return "--rows takes a number of data rows from 100 to 20000, not " + value;
      o.rows = rows;
    } else if (name == "--time") {
      std::int64_t seconds = 0;
      if (!ParseSteps(value, seconds)) return "--time takes a positive whole number of seconds, not " + value;
      o.time = seconds;
    } else {
      if (!ParseSteps(value, o.max_steps)) return "--max-steps takes a positive whole number, not " + value;
    }
  }
  if (o.help) return o;
  if (operands.size() != 2)
    return operands.size() < 2 ? std::string("DATA and MACRO are both needed")
                               : "too many operands (" + operands[2] + ")";
  o.data = operands[0];
  o.macro = operands[1];
  if (std::string clash = OutputClash(o); !clash.empty()) return clash;
  return o;
}

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto parsed = ParseBatchArguments(args);
  if (const std::string* problem = std::get_if<std::string>(&parsed)) {
    ReportUsageError(err, *problem);
    return kExitFailure;
  }
  const BatchOptions& o = std::get<BatchOptions>(parsed);
  if (o.help) {
    out << UsageText(true) << std::flush;
    return kExitRunEnded;
  }

  // Everything is read and checked before the data file is opened.
  std::vector<Answer> answers;
  if (!o.answers.empty()) {
    std::string bytes;
    const FileOutcome read =
        ReadFileBytes(o.answers, bytes, "The answers file \"" + o.answers + "\" is too large to read.");
    if (!read.ok) {
      err << "orvel-batch: " << read.message << '\n' << std::flush;
      return kExitFailure;
    }
    ParsedAnswers parsed_answers = ParseAnswers(DecodeTextFileBytes(bytes));
    if (parsed_answers.error) {
      err << "orvel-batch: " << o.answers << ":" << parsed_answers.error->line << ": "
          << parsed_answers.error->reason << '\n' << std::flush;
      return kExitFailure;
    }
    answers = std::move(parsed_answers.answers);
  }
  std::string macro_bytes;
  const FileOutcome macro_read =
      ReadFileBytes(o.macro, macro_bytes, "The macro file \"" + o.macro + "\" is too large to open.");
  if (!macro_read.ok) {
    err << "orvel-batch: " << macro_read.message << '\n' << std::flush;
    return kExitFailure;
  }
  const std::string macro_text = DecodeTextFileBytes(macro_bytes);
  macro_bytes = std::string();

  BatchPort port(std::move(answers), o.answers, err);
  if (o.rows) port.WriteProfileInt("ProgramData", "Row", *o.rows);
  if (o.time) port.SetFixedTime(*o.time);
  CORVELDoc doc(RowCountFromProfile(port));
  CORVELView view(doc, port);

  // A data file the program refuses has had its message box written already.
  const bool opened = EndsWithDocumentExtension(o.data) ? view.OnFileOpen(o.data) : view.OnOpenTextFile(o.data);
  if (port.Misfit()) {
    err << *port.Misfit() << '\n' << std::flush;
    return kExitFailure;
  }
  if (!opened) return kExitFailure;

  const MacroRunResult run = view.RunMacroText(macro_text, o.max_steps);
  // The message has been shown; what the run did is incomplete, so nothing is written.
  if (run.end == MacroRunEnd::kOutOfMemory) return kExitFailure;
  if (port.Misfit()) {
    err << *port.Misfit() << '\n' << std::flush;
    return kExitFailure;
  }
  const int status =
      (run.end == MacroRunEnd::kFinished || run.end == MacroRunEnd::kExit) ? kExitRunEnded : kExitMacroStopped;
  const std::string rcode = RunRCodeCommands(view, o.rcode);
  if (port.Misfit()) {
    err << *port.Misfit() << '\n' << std::flush;
    return kExitFailure;
  }
  if (port.UnusedCount() > 0) {
    const Answer& first = port.FirstUnused();
    err << "orvel-batch: " << o.answers << ":" << first.line << ": '" << first.source << "' was not used";
    if (port.UnusedCount() > 1) err << " (" << port.UnusedCount() << " answers left over)";
    err << '\n' << std::flush;
  }

  if (!o.save.empty()) {
    const FileOutcome saved = SaveDocumentFile(o.save, doc);
    if (!saved.ok) {
      err << "orvel-batch: " << saved.message << '\n' << std::flush;
      return kExitFailure;
    }
  }
  if (!o.result.empty()) {
    const FileOutcome written = WriteResultTextFile(o.result, doc.ResultText);
    if (!written.ok) {
      err << "orvel-batch: " << written.message << '\n' << std::flush;
      return kExitFailure;
    }
  }
  if (!o.rcode.empty()) {
    out << rcode << std::flush;
    if (!out) {
      err << "orvel-batch: the R code could not be written to standard output\n" << std::flush;
      return kExitFailure;
    }
  } else if (o.result.empty()) {
    out << doc.ResultText << std::flush;
    if (!out) {
      err << "orvel-batch: the result could not be written to standard output\n" << std::flush;
      return kExitFailure;
    }
  }
  return status;
}

}  // namespace orvel::batch
