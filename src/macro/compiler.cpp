// The macro compiler: one pass from macro text to the flat instruction list of the stack
// machine. Malformed text never stops compilation; each problem becomes an "error" instruction
// in place of the statement, which the executor reports when the run reaches it.
//
// Every stage is linear or near-linear in the size of the text: blocks are compiled as the
// text is read, each character once, and a block nested too deeply is skipped in one scan.
// Recursion only follows the nesting of blocks and calls, which is capped, so no input can
// hang the compiler or exhaust its stack. Tokens are views into the text and instructions
// point into the program's copy of it, so memory stays a small multiple of the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "macro/keywords.h"
#include "macro/macro_program.h"

namespace orvel {

namespace {

// Nested blocks, calls and parenthesised argument lists deeper than this become an error.
constexpr int kMaxNesting = 200;
// Argument lists hold at most this many arguments.
constexpr int kMaxArguments = 10;
// Error messages quote at most this many bytes of the offending statement or name.
constexpr std::size_t kMaxQuotedBytes = 160;
// A simple statement or a block head longer than this becomes an error: its tokens and their
// indexes take a few dozen bytes per character, so one huge statement could exhaust memory.
constexpr std::size_t kMaxStatementBytes = 1000000;
// Error texts the compiler remembers to share among error instructions.
constexpr std::size_t kRememberedErrorTexts = 4096;
// Operands are 32-bit offsets into the text; beyond this the text is refused.
constexpr std::size_t kMaxSourceBytes = std::size_t{1} << 31;

enum class TokenKind : std::uint8_t {
  kIdentifier = 1,
  kNumber = 2,
  kPunctuation = 3,   // ; , + - * / ( ) =
  kComparison = 4,    // == != > >= < <=
  kLogical = 5,       // && ||
  kBrace = 6,         // { }
  kString = 7,
  kNumberVariable = 8,
  kTextVariable = 9,
  kLoneSymbol = 10,   // ! & | :
};

// A token is a range of the statement's text; "true", "false" and the "0" put before a
// negating minus have no text of their own and carry it as a constant instead.
struct Token {
  std::uint32_t begin = 0;
  std::uint32_t length = 0;
  TokenKind kind = TokenKind::kPunctuation;
  char constant = '\0';  // '0' or '1' for a made-up number
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::vector<Token> Tokenize(std::string_view text) {
  std::vector<Token> tokens;
  const std::size_t n = text.size();
  std::size_t i = 0;
  auto add = [&](std::size_t begin, std::size_t length, TokenKind kind) {
    tokens.push_back({static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(length), kind, '\0'});
  };
  auto add_constant = [&](char digit) { tokens.push_back({0, 0, TokenKind::kNumber, digit}); };
  auto run_end = [&](std::size_t from, bool (*accept)(char)) {
    while (from < n && accept(text[from])) ++from;
    return from;
  };
  while (i < n) {
    const char c = text[i];
    if (c == '"') {
      // Everything up to the next double quote is literal; there is no escape for a quote.
      std::size_t end = text.find('"', i + 1);
      if (end == std::string_view::npos) end = n;
      add(i + 1, end - i - 1, TokenKind::kString);
      i = end < n ? end + 1 : n;
      continue;
    }
    if (c == '#' || c == '$') {
      const std::size_t end = run_end(i + 1, IsLetter);
      add(i, end - i, c == '#' ? TokenKind::kNumberVariable : TokenKind::kTextVariable);
      i = end;
      continue;
    }
    if (IsDigit(c) || c == '.') {
      const std::size_t end = run_end(i + 1, [](char d) { return IsDigit(d) || d == '.'; });
      add(i, end - i, TokenKind::kNumber);
      i = end;
      continue;
    }
    if (IsLetter(c)) {
      const std::size_t end = run_end(i + 1, IsLetter);
      const std::string_view word = text.substr(i, end - i);
      if (word == "true") {
        add_constant('1');
      } else if (word == "false") {
        add_constant('0');
      } else {
        add(i, end - i, TokenKind::kIdentifier);
      }
      i = end;
      continue;
    }
    if (i + 1 < n) {
      const std::string_view pair = text.substr(i, 2);
      if (pair == "==" || pair == ">=" || pair == "<=" || pair == "!=") {
        add(i, 2, TokenKind::kComparison);
        i += 2;
        continue;
      }
      if (pair == "&&" || pair == "||") {
        add(i, 2, TokenKind::kLogical);
        i += 2;
        continue;
      }
    }
    switch (c) {
      case '-':
        // A minus right after "(", "=", ">" or "<" negates: "-x" reads as "0-x".
        if (i > 0 && (text[i - 1] == '(' || text[i - 1] == '=' || text[i - 1] == '>' || text[i - 1] == '<'))
          add_constant('0');
        add(i, 1, TokenKind::kPunctuation);
        break;
      case ';': case ',': case '+': case '*': case '/': case '(': case ')': case '=':
        add(i, 1, TokenKind::kPunctuation);
        break;
      case '>': case '<':
        add(i, 1, TokenKind::kComparison);
        break;
      case '!': case '&': case '|': case ':':
        add(i, 1, TokenKind::kLoneSymbol);
        break;
      case '{': case '}':
        add(i, 1, TokenKind::kBrace);
        break;
      default:
        break;  // white space, line ends and any other character
    }
    ++i;
  }
  return tokens;
}

// The tokens of one statement or compound head, with the indexes the expression rules query:
// parenthesis counts and pairs, the next comparison, and the "&&"/"||" positions keyed by the
// parenthesis balance to their right, so each rule is answered without rescanning the range.
class TokenList {
 public:
  explicit TokenList(std::string_view text) : text_(text), tok_(Tokenize(text)) {
    const int n = Size();
    opens_.assign(static_cast<std::size_t>(n) + 1, 0);
    closes_.assign(static_cast<std::size_t>(n) + 1, 0);
    match_.assign(static_cast<std::size_t>(n), -1);
    next_comparison_.assign(static_cast<std::size_t>(n) + 1, n);
    std::vector<int> open_stack;
    for (int i = 0; i < n; ++i) {
      const bool open = IsOpen(i), close = IsClose(i);
      opens_[Index(i + 1)] = opens_[Index(i)] + (open ? 1 : 0);
      closes_[Index(i + 1)] = closes_[Index(i)] + (close ? 1 : 0);
      if (open) open_stack.push_back(i);
      if (close && !open_stack.empty()) {
        match_[Index(i)] = open_stack.back();
        match_[Index(open_stack.back())] = i;
        open_stack.pop_back();
      }
    }
    for (int i = n - 1; i >= 0; --i)
      next_comparison_[Index(i)] = Kind(i) == TokenKind::kComparison ? i : next_comparison_[Index(i + 1)];
    for (int i = 0; i < n; ++i) {
      if (Is(i, TokenKind::kLogical, "||")) ors_.emplace_back(Balance(i + 1), i);
      if (Is(i, TokenKind::kLogical, "&&")) ands_.emplace_back(Balance(i + 1), i);
    }
    std::sort(ors_.begin(), ors_.end());
    std::sort(ands_.begin(), ands_.end());
  }

  int Size() const { return static_cast<int>(tok_.size()); }
  TokenKind Kind(int i) const { return tok_[Index(i)].kind; }
  std::string_view Text(int i) const {
    const Token& t = tok_[Index(i)];
    if (t.constant == '0') return "0";
    if (t.constant == '1') return "1";
    return text_.substr(t.begin, t.length);
  }
  bool Is(int i, TokenKind kind, std::string_view s) const { return Kind(i) == kind && Text(i) == s; }
  bool IsOpen(int i) const { return Is(i, TokenKind::kPunctuation, "("); }
  bool IsClose(int i) const { return Is(i, TokenKind::kPunctuation, ")"); }
  // The partner of a parenthesis token, -1 when it has none.
  int Match(int i) const { return match_[Index(i)]; }
  int OpenCount(int first, int last) const { return opens_[Index(last + 1)] - opens_[Index(first)]; }
  int CloseCount(int first, int last) const { return closes_[Index(last + 1)] - closes_[Index(first)]; }
  // First comparison token at or after i (Size() when none).
  int NextComparison(int i) const { return next_comparison_[Index(i)]; }
  // The last token with this kind and text, -1 when there is none.
  int Last(TokenKind kind, std::string_view s) const {
    for (int i = Size() - 1; i >= 0; --i)
      if (Is(i, kind, s)) return i;
    return -1;
  }

  // Positions in [first, last] of the "||" (or "&&") tokens with as many ")" as "(" between
  // them and `last`, in increasing order.
  std::vector<int> BalancedLogical(bool is_or, int first, int last) const {
    const auto& list = is_or ? ors_ : ands_;
    const int key = Balance(last + 1);
    std::vector<int> found;
    for (auto it = std::lower_bound(list.begin(), list.end(), std::make_pair(key, first));
         it != list.end() && it->first == key && it->second <= last; ++it)
      found.push_back(it->second);
    return found;
  }

 private:
  static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
  // ")" minus "(" among the tokens before position i.
  int Balance(int i) const { return closes_[Index(i)] - opens_[Index(i)]; }

  std::string_view text_;
  std::vector<Token> tok_;
  std::vector<int> opens_, closes_, match_, next_comparison_;
  std::vector<std::pair<int, int>> ors_, ands_;
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The statement as quoted in an error message: on one line, shortened when very long.
std::string Quote(std::string_view statement) {
  statement = Trim(statement);
  std::string out;
  bool blank = false;
  for (char c : statement) {
    if (IsBlank(c)) {
      blank = true;
      continue;
    }
    if (blank) out.push_back(' ');
    blank = false;
    out.push_back(c);
    if (out.size() >= kMaxQuotedBytes) {
      // Never leave half a UTF-8 character behind.
      while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80) out.pop_back();
      if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xC0) out.pop_back();
      out += "...";
      break;
    }
  }
  return out;
}

// Text cut to the length messages quote, without leaving half a UTF-8 character behind.
std::string Capped(std::string_view text) {
  if (text.size() <= kMaxQuotedBytes) return std::string(text);
  std::size_t cut = kMaxQuotedBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + "...";
}

// Removes each "//" up to and including the next line end. String literals are not exempt.
std::string RemoveComments(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '/' && i + 1 < text.size() && text[i + 1] == '/') {
      const std::size_t line_end = text.find('\n', i + 2);
      if (line_end == std::string_view::npos) break;
      i = line_end + 1;
      continue;
    }
    out.push_back(text[i++]);
  }
  return out;
}

// Appends "{ }" or "( )" errors for brackets outside strings that close before they open or
// do not pair up; true when the text passed.
bool CheckBrackets(std::string_view text, MacroProgram& program) {
  bool in_string = false, passed = true;
  long braces_open = 0, braces_closed = 0, parens_open = 0, parens_closed = 0;
  auto fail = [&](const char* what) {
    program.Add("error", what);
    passed = false;
  };
  for (char c : text) {
    if (c == '"') {
      in_string = !in_string;
    } else if (!in_string) {
      if (c == '{') ++braces_open;
      if (c == '}' && ++braces_closed > braces_open) fail("{ }");
      if (c == '(') ++parens_open;
      if (c == ')' && ++parens_closed > parens_open) fail("( )");
    }
  }
  if (braces_open != braces_closed) fail("{ }");
  if (parens_open != parens_closed) fail("( )");
  return passed;
}

// The first "{" outside strings at or after `from`, npos when there is none.
std::size_t FirstBrace(std::string_view text, std::size_t from = 0) {
  bool in_string = false;
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == '"') in_string = !in_string;
    else if (!in_string && text[i] == '{') return i;
  }
  return std::string_view::npos;
}

// The position after the "}" that closes the block whose body starts at `open`, in one scan.
std::size_t SkipBlock(std::string_view text, std::size_t open) {
  bool in_string = false;
  std::size_t depth = 1;
  for (std::size_t i = open; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') in_string = !in_string;
    else if (!in_string && c == '{') ++depth;
    else if (!in_string && c == '}' && --depth == 0) return i + 1;
  }
  return text.size();
}

// A simple statement that mentions while, if or else gets braces: "{" after every ")" that
// closes the outermost parenthesis, and the matching "}" at the end.
std::string AddBraces(std::string_view statement) {
  std::string out;
  out.reserve(statement.size() + 8);
  bool in_string = false;
  int depth = 0;
  std::size_t inserted = 0;
  for (char c : statement) {
    out.push_back(c);
    if (c == '"') {
      in_string = !in_string;
    } else if (!in_string) {
      if (c == '(') ++depth;
      if (c == ')' && --depth == 0) {
        out.push_back('{');
        ++inserted;
      }
    }
  }
  out.append(inserted, '}');
  return out;
}

// The operator-precedence relation of arithmetic: 1 emit the stacked operator and look again,
// 2 stack the incoming one, 3 a matching pair (or the end) is reached, 0 the pair cannot meet.
int Relation(char top, char incoming) {
  const bool additive = incoming == '+' || incoming == '-';
  const bool multiplicative = incoming == '*' || incoming == '/';
  switch (top) {
    case '+': case '-':
      if (additive || incoming == ')' || incoming == ';') return 1;
      if (multiplicative || incoming == '(') return 2;
      return 0;
    case '*': case '/':
      if (additive || multiplicative || incoming == ')' || incoming == ';') return 1;
      if (incoming == '(') return 2;
      return 0;
    case '(':
      if (additive || multiplicative || incoming == '(') return 2;
      if (incoming == ')') return 3;
      if (incoming == ';') return 1;
      return 0;
    case '=':
      if (additive || multiplicative || incoming == '(') return 2;
      if (incoming == ';') return 3;
      return 0;
    default:
      return 0;
  }
}


std::string TooLongMessage(std::string_view statement) {
  return "A statement is longer than " + std::to_string(kMaxStatementBytes) + " characters in: " + Quote(statement);
}

// Whether Tokenize would find any token, without making them.
bool HasToken(std::string_view text) {
  for (const char c : text) {
    if (IsLetter(c) || IsDigit(c)) return true;
    switch (c) {
      case '"': case '#': case '$': case '.': case ';': case ',': case '+': case '-': case '*': case '/':
      case '(': case ')': case '=': case '<': case '>': case '!': case '&': case '|': case ':': case '{': case '}':
        return true;
      default:
        break;
    }
  }
  return false;
}

std::string TooDeepMessage() {
  return "Blocks and calls are nested too deeply (more than " + std::to_string(kMaxNesting) + " levels)";
}

class Compiler {
 public:
  explicit Compiler(MacroProgram& program) : program_(program) {
    // The numbers that "true", "false" and a negating minus stand for.
    program_.pool = "01";
  }

  // Compiles the whole text: the statements of the top level, each block as it is reached.
  void CompileAll(std::string_view text) {
    DepthGuard guard(nesting_, kMaxNesting);
    IfChain chain;
    CompileSequence(text, 0, false, chain);
  }

 private:
  // The end label of the if or else-if block compiled last in the current statement sequence,
  // which a following else closes; `open` is false when the previous statement was anything
  // else.
  struct IfChain {
    std::uint32_t end_label = 0;
    bool open = false;
  };

  // Counts the levels of one kind of recursion while a call is active.
  class DepthGuard {
   public:
    DepthGuard(int& depth, int limit) : depth_(depth), limit_(limit) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    bool TooDeep() const { return depth_ > limit_; }

   private:
    int& depth_;
    int limit_;
  };

  // Where a statement's instructions begin, so a failed statement can be taken back whole.
  struct Mark {
    std::size_t instructions;
    std::uint32_t labels;
  };

  // ---- Emitting instructions ----

  void Emit(MacroOpcode op, std::uint32_t operand = 0) {
    MacroInstruction ins;
    ins.opcode = op;
    ins.operand = operand;
    program_.instructions.push_back(ins);
  }

  // An instruction with a text operand: a view into the program's source when the text lies
  // there, otherwise a copy in the pool.
  void EmitText(MacroOpcode op, std::string_view text) {
    MacroInstruction ins;
    ins.opcode = op;
    ins.length = static_cast<std::uint32_t>(text.size());
    const std::string& source = program_.source;
    const char* base = source.data();
    // std::less orders any two pointers, even into different objects.
    const std::less<const char*> before;
    if (!text.empty() && !before(text.data(), base) && !before(base + source.size(), text.data() + text.size())) {
      ins.operand = static_cast<std::uint32_t>(text.data() - base);
    } else {
      ins.flags = MacroInstruction::kPooledText;
      if (text == "0" || text == "1") {
        ins.operand = text == "0" ? 0 : 1;
      } else {
        // Pooled texts come from rewritten statements and messages, which are bounded by the
        // source; the check only keeps a pathological pool from wrapping the offsets.
        if (program_.pool.size() + text.size() >= std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
        ins.operand = static_cast<std::uint32_t>(program_.pool.size());
        program_.pool += text;
      }
    }
    program_.instructions.push_back(ins);
  }

  void EmitPush(TokenKind kind, std::string_view text) {
    EmitText(kind == TokenKind::kNumberVariable ? MacroOpcode::kPushNumber
             : kind == TokenKind::kTextVariable ? MacroOpcode::kPushText
                                                : MacroOpcode::kPushLiteral,
             text);
  }

  void EmitPop(TokenKind kind, std::string_view name) {
    EmitText(kind == TokenKind::kNumberVariable ? MacroOpcode::kPopNumber : MacroOpcode::kPopText, name);
  }

  // An error instruction ends every run that reaches it. A message seen before reuses its
  // text, so a long macro of a few repeated mistakes does not fill the pool; the table of
  // texts is bounded, so a macro of all different mistakes does not double their cost.
  void EmitError(std::string_view message) {
    const std::string key(message);
    if (const auto it = error_texts_.find(key); it != error_texts_.end()) {
      program_.instructions.push_back(it->second);
      return;
    }
    EmitText(MacroOpcode::kError, message);
    if (error_texts_.size() < kRememberedErrorTexts) error_texts_.emplace(key, program_.instructions.back());
  }

  // The statement just compiled failed as a whole: the run stops at its error, so nothing
  // after it in the same sequence can be reached.
  void StatementFailed(std::string_view message) {
    EmitError(message);
    ends_run_ = true;
  }

  // A built-in function or a statement keyword by its name; a name that is neither is handed
  // to the command set, which ignores what it does not know.
  void EmitName(std::string_view name) {
    const MacroOpcode op = MacroOpcodeOfName(name);
    if (op != MacroOpcode::kKeyword) {
      // A built-in named in a macro ("exit", "sqrt", even "push" or "error") takes no operand.
      Emit(op);
      return;
    }
    auto [it, added] = name_index_.try_emplace(std::string(name), static_cast<std::uint32_t>(program_.names.size()));
    if (added) program_.names.emplace_back(name);
    Emit(MacroOpcode::kKeyword, it->second);
  }

  // Marks the last instruction as the end of a statement, when the statement produced any.
  void EndStatement(const Mark& mark) {
    if (program_.instructions.size() > mark.instructions)
      program_.instructions.back().flags |= MacroInstruction::kEndsStatement;
  }

  std::uint32_t NewLabel() { return ++program_.label_counter; }
  Mark Here() const { return {program_.instructions.size(), program_.label_counter}; }
  void Rewind(const Mark& mark) {
    program_.instructions.resize(mark.instructions);
    program_.label_counter = mark.labels;
  }
  // Records the first problem of the statement being compiled.
  void Fail(const std::string& what) {
    if (error_.empty()) error_ = what + " in: " + Quote(statement_);
  }
  bool Failed() const { return !error_.empty(); }
  // Replaces what the failed statement compiled with one error instruction.
  void EmitFailure(const Mark& mark) {
    Rewind(mark);
    StatementFailed(error_);
    error_.clear();
  }

  // ---- Statements ----

  // Compiles the statements of `text` from `pos`: a ";" ends a simple statement, a "{" opens a
  // compound one whose block is compiled at once. Inside a block the "}" that closes it ends
  // the sequence; returns the position after it (the end of the text at the top level).
  std::size_t CompileSequence(std::string_view text, std::size_t pos, bool in_block, IfChain& chain) {
    bool in_string = false;
    std::size_t start = pos;
    for (std::size_t i = pos; i < text.size(); ++i) {
      const char c = text[i];
      if (c == '"') {
        in_string = !in_string;
        continue;
      }
      if (in_string) continue;
      if (c == ';') {
        CompileSimple(text.substr(start, i + 1 - start), chain);
        start = i + 1;
      } else if (c == '{') {
        start = CompileCompound(text, start, i, chain);
        i = start - 1;
      } else if (c == '}' && in_block) {
        ReportTail(text.substr(start, i - start), false);
        return i + 1;
      } else {
        continue;
      }
      if (ends_run_) {
        // The rest of this sequence is unreachable: compiling it would only cost memory.
        ends_run_ = false;
        return in_block ? SkipBlock(text, start) : text.size();
      }
    }
    ReportTail(text.substr(start), in_string);
    return text.size();
  }

  // Text after the last statement that still holds something would otherwise be dropped
  // without a word; a missing ";" is the usual cause.
  void ReportTail(std::string_view tail, bool in_string) {
    if (!HasToken(tail)) return;
    EmitError(std::string(in_string ? "A string is not closed with \" in: " : "A statement does not end with ; in: ") +
              Quote(tail));
  }

  // The block whose body starts at `open`, compiled as a statement sequence one level deeper;
  // past the nesting limit it becomes one error and is skipped in a single scan. Returns the
  // position after its "}".
  std::size_t CompileBlock(std::string_view text, std::size_t open) {
    DepthGuard guard(nesting_, kMaxNesting);
    if (guard.TooDeep()) {
      const std::size_t end = SkipBlock(text, open);
      const std::size_t body_end = end > open && text[end - 1] == '}' ? end - 1 : end;
      EmitError(TooDeepMessage() + " in: " + Quote(text.substr(open, body_end - open)));
      return end;
    }
    IfChain chain;
    return CompileSequence(text, open, true, chain);
  }

  void CompileSimple(std::string_view statement, IfChain& chain) {
    if (statement.size() > kMaxStatementBytes) {
      chain.open = false;
      return StatementFailed(TooLongMessage(statement));
    }
    {
      const TokenList tokens(statement);
      bool control = false;
      for (int i = 0; i < tokens.Size() && !control; ++i) {
        const std::string_view t = tokens.Text(i);
        control = t == "while" || t == "if" || t == "else";
      }
      if (!control) return CompilePlain(tokens, statement, chain);
    }
    // A statement that mentions while, if or else is compiled as the block its braces make.
    const std::string braced = AddBraces(statement);
    CompileCompound(braced, 0, FirstBrace(braced), chain);
    statement_ = {};  // it pointed into `braced`
  }

  void CompilePlain(const TokenList& tokens, std::string_view statement, IfChain& chain) {
    chain.open = false;
    statement_ = statement;
    const Mark mark = Here();
    const int n = tokens.Size();  // the last token is the statement's ";"
    if (n == 0) return;
    const std::string_view head = tokens.Text(0);
    const TokenKind head_kind = tokens.Kind(0);
    if (head_kind == TokenKind::kNumberVariable || head_kind == TokenKind::kTextVariable) {
      const int equals = tokens.Last(TokenKind::kPunctuation, "=");
      if (equals < 0) {
        Fail("An assignment has no =");
      } else {
        CompileExpression(tokens, equals + 1, n - 2);
        EmitPop(head_kind, head);
      }
    } else if (head == "cell") {
      const int equals = tokens.Last(TokenKind::kPunctuation, "=");
      if (equals < 0) {
        Fail("cell (column,row) needs = and a value");
      } else {
        CompileArguments(tokens, 0, equals - 1);
        CompileExpression(tokens, equals + 1, n - 2);
        EmitName("cell");
      }
    } else if (head == "selectcell") {
      // "(c1,r1)::(c2,r2)" and "(c1,r1):(c2,r2)" are the same; without a colon the four values
      // are taken from one list.
      const int colon = tokens.Last(TokenKind::kLoneSymbol, ":");
      if (colon < 0) {
        CompileArguments(tokens, 0, n - 1);
      } else {
        CompileArguments(tokens, 0, colon - 1);
        CompileArguments(tokens, colon + 1, n - 1);
      }
      EmitName("selectcell");
    } else {
      const int arguments = MacroNameArgumentCount(head);
      if (arguments < 0) {
        return StatementFailed("関数名 " + Capped(head) + " は未知の名前です。");
      } else {
        // The count only decides whether a list is compiled; anything after a name without
        // arguments is ignored.
        if (arguments > 0) CompileArguments(tokens, 0, n - 1);
        EmitName(head);
      }
    }
    if (Failed()) return EmitFailure(mark);
    EndStatement(mark);
  }

  // A while, if, else or else-if block: the head runs from `start` to the "{" at `brace`, the
  // body from there to the "}" that matches it. Without a "{" (npos) the head is the whole
  // text and fails. Returns the position after the block.
  std::size_t CompileCompound(std::string_view text, std::size_t start, std::size_t brace, IfChain& chain) {
    const bool has_brace = brace != std::string_view::npos;
    const std::string_view head = text.substr(start, has_brace ? brace + 1 - start : std::string_view::npos);
    const std::size_t open = has_brace ? brace + 1 : text.size();
    const bool was_open = chain.open;
    chain.open = false;
    if (head.size() > kMaxStatementBytes) {
      StatementFailed(TooLongMessage(head));
      return SkipBlock(text, open);
    }
    std::uint32_t loop = 0, next = 0, end = 0;
    bool else_if = false;
    enum { kWhile, kIf, kElse } kind;
    {
      const TokenList tokens(head);
      statement_ = head;
      if (tokens.Size() == 0) return SkipBlock(text, open);
      const std::string_view keyword = tokens.Text(0);
      const Mark mark = Here();
      if (keyword != "while" && keyword != "if" && keyword != "else") {
        StatementFailed(" " + Capped(keyword) + " は未知の名称です。");
        return SkipBlock(text, open);
      }
      if (!has_brace) {
        Fail("A block needs { after " + std::string(keyword));
        EmitFailure(mark);
        return text.size();
      }
      const int n = tokens.Size();
      if (keyword == "while") {
        kind = kWhile;
        loop = NewLabel();
        Emit(MacroOpcode::kLabel, loop);
        CompileCondition(tokens, 1);
        if (Failed()) return EmitFailure(mark), SkipBlock(text, open);
        next = NewLabel();
        Emit(MacroOpcode::kJumpIfZero, next);
        EndStatement(mark);
      } else if (keyword == "if") {
        kind = kIf;
        CompileCondition(tokens, 1);
        if (Failed()) return EmitFailure(mark), SkipBlock(text, open);
        next = NewLabel();
        Emit(MacroOpcode::kJumpIfZero, next);
        EndStatement(mark);
        end = NewLabel();
      } else {
        kind = kElse;
        // The block closes the chain of the if or else-if right before it: that block's end
        // label, the last instruction, moves behind this one.
        const auto& list = program_.instructions;
        if (!was_open || list.empty() || list.back().opcode != MacroOpcode::kLabel ||
            list.back().operand != chain.end_label) {
          Fail("else does not follow an if or else if block");
          return EmitFailure(mark), SkipBlock(text, open);
        }
        end = chain.end_label;
        else_if = n > 1 && tokens.Text(1) == "if";
        if (else_if) {
          // A faulty condition leaves the if block as it was, followed by the error.
          next = NewLabel();
          CompileCondition(tokens, 2);
          if (Failed()) return EmitFailure(mark), SkipBlock(text, open);
          Emit(MacroOpcode::kJumpIfZero, next);
          EndStatement(mark);
        }
        program_.instructions.erase(program_.instructions.begin() + static_cast<std::ptrdiff_t>(mark.instructions) - 1);
      }
    }
    statement_ = {};
    const std::size_t after = CompileBlock(text, open);
    switch (kind) {
      case kWhile:
        Emit(MacroOpcode::kJump, loop);
        Emit(MacroOpcode::kLabel, next);
        break;
      case kIf:
        Emit(MacroOpcode::kJump, end);
        Emit(MacroOpcode::kLabel, next);
        Emit(MacroOpcode::kLabel, end);
        chain = {end, true};
        break;
      case kElse:
        Emit(MacroOpcode::kJump, end);
        if (else_if) Emit(MacroOpcode::kLabel, next);
        Emit(MacroOpcode::kLabel, end);
        if (else_if) chain = {end, true};
        break;
    }
    return after;
  }

  // The condition between the parentheses of "keyword ( ... ) {"; `open` is the position of
  // the "(".
  void CompileCondition(const TokenList& tokens, int open) {
    const int n = tokens.Size();  // the last token is the "{"
    if (n < open + 3 || !tokens.IsOpen(open) || tokens.Match(open) != n - 2) {
      Fail("A condition must stand in parentheses before {");
      return;
    }
    if (n - 2 == open + 1) {
      Fail("The condition is empty");
      return;
    }
    CompileExpression(tokens, open + 1, n - 3);
  }

  // The argument list that opens at the first "(" of [first, last]; each argument is compiled
  // in turn, so the first is pushed first.
  void CompileArguments(const TokenList& tokens, int first, int last) {
    int open = first;
    while (open <= last && !tokens.IsOpen(open)) ++open;
    if (open > last) return;  // no list: no arguments
    const int close = tokens.Match(open);
    if (close < 0 || close > last) {
      Fail("Parentheses do not pair up");
      return;
    }
    DepthGuard guard(nesting_, kMaxNesting);
    if (guard.TooDeep()) {
      Fail(TooDeepMessage());
      return;
    }
    if (close == open + 1) return;  // "()"
    std::vector<std::pair<int, int>> arguments;
    int start = open + 1;
    for (int i = open + 1; i < close; ++i) {
      if (tokens.IsOpen(i) && tokens.Match(i) > i) {
        i = tokens.Match(i);  // inside a nested list a comma belongs to that list
      } else if (tokens.Is(i, TokenKind::kPunctuation, ",")) {
        arguments.emplace_back(start, i - 1);
        start = i + 1;
      }
    }
    arguments.emplace_back(start, close - 1);
    if (static_cast<int>(arguments.size()) > kMaxArguments) {
      Fail("Too many arguments (more than " + std::to_string(kMaxArguments) + ")");
      return;
    }
    for (const auto& [a, b] : arguments) {
      CompileExpression(tokens, a, b);
      if (Failed()) return;
    }
  }

  // An expression over [first, last]: "||" binds loosest, then "&&", then the comparisons, then
  // arithmetic. Right-hand parts are compiled in this loop with their operators held back, so
  // long operator chains do not deepen the recursion.
  void CompileExpression(const TokenList& tokens, int first, int last) {
    // Without a call in between, expressions nest only a few levels (a part of an "||" chain,
    // the left side of a comparison); the bound is a safety net.
    DepthGuard guard(expression_depth_, 8 * kMaxNesting);
    if (guard.TooDeep()) {
      Fail(TooDeepMessage());
      return;
    }
    std::vector<MacroOpcode> held;
    while (first <= last && !Failed()) {
      // One pair of parentheses around the whole range.
      if (tokens.OpenCount(first, last) == 1 && tokens.CloseCount(first, last) == 1 && tokens.IsOpen(first) &&
          tokens.IsClose(last)) {
        ++first;
        --last;
        continue;
      }
      // "a || b || c" compiles as "(a || b) || c": every part, then its operator.
      bool split = false;
      for (const bool is_or : {true, false}) {
        const std::vector<int> at = tokens.BalancedLogical(is_or, first, last);
        if (at.empty()) continue;
        CompileExpression(tokens, first, at[0] - 1);
        for (std::size_t k = 1; k < at.size() && !Failed(); ++k) {
          CompileExpression(tokens, at[k - 1] + 1, at[k] - 1);
          Emit(MacroOpcodeOfName(tokens.Text(at[k])));
        }
        held.push_back(MacroOpcodeOfName(tokens.Text(at.back())));
        first = at.back() + 1;
        split = true;
        break;
      }
      if (split) continue;
      // The first comparison, at any depth: its left side, then the rest as its right side.
      const int comparison = tokens.NextComparison(first);
      if (comparison <= last) {
        CompileExpression(tokens, first, comparison - 1);
        held.push_back(MacroOpcodeOfName(tokens.Text(comparison)));
        first = comparison + 1;
        continue;
      }
      CompileArithmetic(tokens, first, last);
      break;
    }
    if (Failed()) return;
    for (auto it = held.rbegin(); it != held.rend(); ++it) Emit(*it);
  }

  // Operator precedence over + - * / and parentheses; operands are pushed, names call their
  // function after its argument list.
  void CompileArithmetic(const TokenList& tokens, int first, int last) {
    std::vector<char> operators{'='};
    for (int i = first; i <= last + 1 && !Failed(); ++i) {
      char incoming = ';';  // the end marker after the last token
      if (i <= last) {
        const std::string_view text = tokens.Text(i);
        switch (tokens.Kind(i)) {
          case TokenKind::kNumber:
          case TokenKind::kString:
          case TokenKind::kNumberVariable:
          case TokenKind::kTextVariable:
            EmitPush(tokens.Kind(i), text);
            continue;
          case TokenKind::kIdentifier: {
            if (i + 1 > last || !tokens.IsOpen(i + 1)) {
              Fail(Capped(text) + " needs its argument list in parentheses, () when it takes none");
              return;
            }
            const int close = tokens.Match(i + 1);
            if (close < 0 || close > last) {
              Fail("Parentheses do not pair up");
              return;
            }
            CompileArguments(tokens, i + 1, close);
            if (text == "cell") Emit(MacroOpcode::kPushCell);
            else EmitName(text);
            i = close;
            continue;
          }
          case TokenKind::kComparison:
          case TokenKind::kLogical:
            // Only reached inside parentheses that also hold other operators.
            Fail(std::string(text) + " cannot stand inside parentheses with other operators");
            return;
          case TokenKind::kPunctuation:
            if (text == ",") {
              Fail("A comma stands outside an argument list");
              return;
            }
            if (text == "=" || text == ";") {
              Fail("The symbol " + std::string(text) + " cannot stand here");
              return;
            }
            incoming = text[0];
            break;
          default:
            continue;  // braces and the lone symbols ! & | : are skipped
        }
      }
      while (true) {
        const char top = operators.back();
        operators.pop_back();
        const int relation = Relation(top, incoming);
        if (relation == 1) {
          if (top == '(') {
            Fail("Parentheses do not pair up");
            return;
          }
          Emit(MacroOpcodeOfName(std::string_view(&top, 1)));
          continue;
        }
        if (relation == 2) {
          operators.push_back(top);
          operators.push_back(incoming);
        } else if (relation == 0) {
          Fail("Parentheses do not pair up");  // a ")" with no "(" before it
        }
        break;  // 3: a matching pair, or the end
      }
    }
  }

  MacroProgram& program_;
  std::string error_;
  std::string_view statement_;
  std::unordered_map<std::string, std::uint32_t> name_index_;
  std::unordered_map<std::string, MacroInstruction> error_texts_;  // error instructions by text
  bool ends_run_ = false;        // the statement just compiled is an error the run stops at
  int nesting_ = 0;          // blocks and argument lists
  int expression_depth_ = 0;
};

}  // namespace

void CompileMacro(std::string_view text, MacroProgram& program) {
  program.source = RemoveComments(text);
  if (program.source.size() >= kMaxSourceBytes) {
    program.source.clear();
    program.Add("error", "The macro is too large to run (2 GB or more).");
    return;
  }
  if (!CheckBrackets(program.source, program)) return;
  Compiler(program).CompileAll(program.source);
}

}  // namespace orvel
