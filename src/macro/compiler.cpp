// The macro compiler: one pass from macro text to the flat instruction list of the stack
// machine. Malformed text never stops compilation; each problem becomes an "error" instruction
// in place of the statement, which the executor reports when the run reaches it.
//
// Every stage is linear or near-linear in the size of the text, and recursion only follows the
// nesting of blocks and calls, which is capped, so no input can hang the compiler or exhaust
// its stack.
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
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
// Error messages quote at most this many bytes of the offending statement.
constexpr std::size_t kMaxQuotedBytes = 160;

enum TokenType {
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

struct Token {
  std::string text;
  int type;
  bool Is(int t, std::string_view s) const { return type == t && text == s; }
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::vector<Token> Tokenize(std::string_view text) {
  std::vector<Token> tokens;
  const std::size_t n = text.size();
  std::size_t i = 0;
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
      tokens.push_back({std::string(text.substr(i + 1, end - i - 1)), kString});
      i = end < n ? end + 1 : n;
      continue;
    }
    if (c == '#' || c == '$') {
      const std::size_t end = run_end(i + 1, IsLetter);
      tokens.push_back({std::string(text.substr(i, end - i)), c == '#' ? kNumberVariable : kTextVariable});
      i = end;
      continue;
    }
    if (IsDigit(c) || c == '.') {
      const std::size_t end = run_end(i + 1, [](char d) { return IsDigit(d) || d == '.'; });
      tokens.push_back({std::string(text.substr(i, end - i)), kNumber});
      i = end;
      continue;
    }
    if (IsLetter(c)) {
      const std::size_t end = run_end(i + 1, IsLetter);
      const std::string_view word = text.substr(i, end - i);
      if (word == "true") {
        tokens.push_back({"1", kNumber});
      } else if (word == "false") {
        tokens.push_back({"0", kNumber});
      } else {
        tokens.push_back({std::string(word), kIdentifier});
      }
      i = end;
      continue;
    }
    if (i + 1 < n) {
      const std::string_view pair = text.substr(i, 2);
      if (pair == "==" || pair == ">=" || pair == "<=" || pair == "!=") {
        tokens.push_back({std::string(pair), kComparison});
        i += 2;
        continue;
      }
      if (pair == "&&" || pair == "||") {
        tokens.push_back({std::string(pair), kLogical});
        i += 2;
        continue;
      }
    }
    switch (c) {
      case '-':
        // A minus right after "(", "=", ">" or "<" negates: "-x" reads as "0-x".
        if (i > 0 && (text[i - 1] == '(' || text[i - 1] == '=' || text[i - 1] == '>' || text[i - 1] == '<'))
          tokens.push_back({"0", kNumber});
        tokens.push_back({"-", kPunctuation});
        break;
      case ';': case ',': case '+': case '*': case '/': case '(': case ')': case '=':
        tokens.push_back({std::string(1, c), kPunctuation});
        break;
      case '>': case '<':
        tokens.push_back({std::string(1, c), kComparison});
        break;
      case '!': case '&': case '|': case ':':
        tokens.push_back({std::string(1, c), kLoneSymbol});
        break;
      case '{': case '}':
        tokens.push_back({std::string(1, c), kBrace});
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
  explicit TokenList(std::vector<Token> tokens) : tok_(std::move(tokens)) {
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
      next_comparison_[Index(i)] = tok_[Index(i)].type == kComparison ? i : next_comparison_[Index(i + 1)];
    for (int i = 0; i < n; ++i) {
      if (tok_[Index(i)].Is(kLogical, "||")) ors_.emplace_back(Balance(i + 1), i);
      if (tok_[Index(i)].Is(kLogical, "&&")) ands_.emplace_back(Balance(i + 1), i);
    }
    std::sort(ors_.begin(), ors_.end());
    std::sort(ands_.begin(), ands_.end());
  }

  int Size() const { return static_cast<int>(tok_.size()); }
  const Token& operator[](int i) const { return tok_[Index(i)]; }
  bool IsOpen(int i) const { return tok_[Index(i)].Is(kPunctuation, "("); }
  bool IsClose(int i) const { return tok_[Index(i)].Is(kPunctuation, ")"); }
  // The partner of a parenthesis token, -1 when it has none.
  int Match(int i) const { return match_[Index(i)]; }
  int OpenCount(int first, int last) const { return opens_[Index(last + 1)] - opens_[Index(first)]; }
  int CloseCount(int first, int last) const { return closes_[Index(last + 1)] - closes_[Index(first)]; }
  // First comparison token at or after i (Size() when none).
  int NextComparison(int i) const { return next_comparison_[Index(i)]; }

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
    program.instructions.push_back({"error", what});
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

std::string TooDeepMessage() {
  return "Blocks and calls are nested too deeply (more than " + std::to_string(kMaxNesting) + " levels)";
}

class Compiler {
 public:
  explicit Compiler(MacroProgram& program) : program_(program) {}

  // Splits text into top-level statements and compiles each: a ";" with the braces balanced
  // ends a simple statement, the "}" that balances them ends a compound one.
  void CompileSequence(std::string_view text) {
    DepthGuard guard(nesting_, kMaxNesting);
    if (guard.TooDeep()) {
      Append("error", TooDeepMessage() + " in: " + Quote(text));
      return;
    }
    IfChain chain;
    bool in_string = false;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (c == '"') {
        in_string = !in_string;
      } else if (!in_string) {
        if (c == '{') {
          ++depth;
        } else if (c == '}' && depth > 0) {
          if (--depth == 0) {
            CompileCompound(text.substr(start, i + 1 - start), chain);
            start = i + 1;
          }
        } else if (c == ';' && depth == 0) {
          CompileSimple(text.substr(start, i + 1 - start), chain);
          start = i + 1;
        }
      }
    }
    // Text after the last statement that still holds something would otherwise be dropped
    // without a word; a missing ";" is the usual cause.
    const std::string_view tail = text.substr(start);
    if (!Tokenize(tail).empty()) {
      Append("error", std::string(in_string ? "A string is not closed with \" in: "
                                            : "A statement does not end with ; in: ") +
                          Quote(tail));
    }
  }

 private:
  // The end label of the if or else-if block compiled last in the current statement sequence,
  // which a following else closes; empty when the previous statement was anything else.
  struct IfChain {
    std::string end_label;
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
    int labels;
  };

  void Append(std::string opcode, std::string operand = {}) {
    program_.instructions.push_back({std::move(opcode), std::move(operand)});
  }
  std::string NewLabel() { return std::to_string(++program_.label_counter); }
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
    Append("error", std::move(error_));
    error_.clear();
  }

  void CompileSimple(std::string_view statement, IfChain& chain) {
    const TokenList tokens(Tokenize(statement));
    for (int i = 0; i < tokens.Size(); ++i) {
      const std::string& t = tokens[i].text;
      if (t == "while" || t == "if" || t == "else") {
        const std::string braced = AddBraces(statement);
        CompileCompound(braced, chain);
        statement_ = {};  // it pointed into `braced`
        return;
      }
    }
    chain.open = false;
    statement_ = statement;
    const Mark mark = Here();
    const int n = tokens.Size();  // the last token is the statement's ";"
    if (n == 0) return;
    const Token& head = tokens[0];
    if (head.type == kNumberVariable || head.type == kTextVariable) {
      const int equals = LastToken(tokens, kPunctuation, "=");
      if (equals < 0) {
        Fail("An assignment has no =");
      } else {
        CompileExpression(tokens, equals + 1, n - 2);
        Append("pop", head.text);
      }
    } else if (head.text == "cell") {
      const int equals = LastToken(tokens, kPunctuation, "=");
      if (equals < 0) {
        Fail("cell (column,row) needs = and a value");
      } else {
        CompileArguments(tokens, 0, equals - 1);
        CompileExpression(tokens, equals + 1, n - 2);
        Append("cell");
      }
    } else if (head.text == "selectcell") {
      // "(c1,r1)::(c2,r2)" and "(c1,r1):(c2,r2)" are the same; without a colon the four values
      // are taken from one list.
      const int colon = LastToken(tokens, kLoneSymbol, ":");
      if (colon < 0) {
        CompileArguments(tokens, 0, n - 1);
      } else {
        CompileArguments(tokens, 0, colon - 1);
        CompileArguments(tokens, colon + 1, n - 1);
      }
      Append("selectcell");
    } else {
      const int arguments = MacroNameArgumentCount(head.text);
      if (arguments < 0) {
        Append("error", "関数名 " + head.text + " は未知の名前です。");
      } else {
        // The count only decides whether a list is compiled; anything after a name without
        // arguments is ignored.
        if (arguments > 0) CompileArguments(tokens, 0, n - 1);
        Append(head.text);
      }
    }
    if (Failed()) EmitFailure(mark);
  }

  static int LastToken(const TokenList& tokens, int type, std::string_view text) {
    for (int i = tokens.Size() - 1; i >= 0; --i)
      if (tokens[i].Is(type, text)) return i;
    return -1;
  }

  // A while, if, else or else-if block: the head runs to the first "{" outside strings, the
  // body to the "}" that matches it.
  void CompileCompound(std::string_view statement, IfChain& chain) {
    std::size_t brace = std::string_view::npos, body_end = statement.size();
    bool in_string = false;
    int depth = 0;
    for (std::size_t i = 0; i < statement.size(); ++i) {
      const char c = statement[i];
      if (c == '"') {
        in_string = !in_string;
      } else if (!in_string && c == '{') {
        if (depth++ == 0 && brace == std::string_view::npos) brace = i;
      } else if (!in_string && c == '}' && depth > 0 && --depth == 0) {
        body_end = i;
        break;
      }
    }
    const std::string_view head =
        brace == std::string_view::npos ? statement : statement.substr(0, brace + 1);
    const std::string_view body =
        brace == std::string_view::npos ? std::string_view() : statement.substr(brace + 1, body_end - brace - 1);
    const TokenList tokens(Tokenize(head));
    statement_ = head;
    const bool was_open = chain.open;
    chain.open = false;
    if (tokens.Size() == 0) return;
    const std::string& keyword = tokens[0].text;
    const Mark mark = Here();
    if (keyword != "while" && keyword != "if" && keyword != "else") {
      Append("error", " " + keyword + " は未知の名称です。");
      return;
    }
    if (brace == std::string_view::npos) {
      Fail("A block needs { after " + keyword);
      EmitFailure(mark);
      return;
    }
    const int n = tokens.Size();
    if (keyword == "while") {
      const std::string loop = NewLabel();
      Append("label", loop);
      CompileCondition(tokens, 1);
      if (Failed()) return EmitFailure(mark);
      const std::string done = NewLabel();
      Append("jz", done);
      CompileSequence(body);
      Append("jump", loop);
      Append("label", done);
    } else if (keyword == "if") {
      CompileCondition(tokens, 1);
      if (Failed()) return EmitFailure(mark);
      const std::string next = NewLabel();
      Append("jz", next);
      const std::string end = NewLabel();
      CompileSequence(body);
      Append("jump", end);
      Append("label", next);
      Append("label", end);
      chain = {end, true};
    } else {
      // The block closes the chain of the if or else-if right before it: that block's end
      // label, the last instruction, moves behind this one.
      const auto& list = program_.instructions;
      if (!was_open || list.empty() || list.back() != MacroInstruction{"label", chain.end_label}) {
        Fail("else does not follow an if or else if block");
        return EmitFailure(mark);
      }
      const std::string end = chain.end_label;
      const bool else_if = n > 1 && tokens[1].text == "if";
      std::string next;
      if (else_if) {
        // A faulty condition leaves the if block as it was, followed by the error.
        next = NewLabel();
        CompileCondition(tokens, 2);
        if (Failed()) return EmitFailure(mark);
        Append("jz", next);
      }
      program_.instructions.erase(program_.instructions.begin() + static_cast<std::ptrdiff_t>(mark.instructions) - 1);
      CompileSequence(body);
      Append("jump", end);
      if (else_if) Append("label", next);
      Append("label", end);
      if (else_if) chain = {end, true};
    }
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
      } else if (tokens[i].Is(kPunctuation, ",")) {
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
    std::vector<const std::string*> held;
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
          Append(tokens[at[k]].text);
        }
        held.push_back(&tokens[at.back()].text);
        first = at.back() + 1;
        split = true;
        break;
      }
      if (split) continue;
      // The first comparison, at any depth: its left side, then the rest as its right side.
      const int comparison = tokens.NextComparison(first);
      if (comparison <= last) {
        CompileExpression(tokens, first, comparison - 1);
        held.push_back(&tokens[comparison].text);
        first = comparison + 1;
        continue;
      }
      CompileArithmetic(tokens, first, last);
      break;
    }
    if (Failed()) return;
    for (auto it = held.rbegin(); it != held.rend(); ++it) Append(**it);
  }

  // Operator precedence over + - * / and parentheses; operands are pushed, names call their
  // function after its argument list.
  void CompileArithmetic(const TokenList& tokens, int first, int last) {
    std::vector<char> operators{'='};
    for (int i = first; i <= last + 1 && !Failed(); ++i) {
      char incoming = ';';  // the end marker after the last token
      if (i <= last) {
        const Token& t = tokens[i];
        switch (t.type) {
          case kNumber:
          case kString:
          case kNumberVariable:
          case kTextVariable:
            Append("push", t.text);
            continue;
          case kIdentifier: {
            if (i + 1 > last || !tokens.IsOpen(i + 1)) {
              Fail(t.text + " needs its argument list in parentheses, () when it takes none");
              return;
            }
            const int close = tokens.Match(i + 1);
            if (close < 0 || close > last) {
              Fail("Parentheses do not pair up");
              return;
            }
            CompileArguments(tokens, i + 1, close);
            Append(t.text == "cell" ? "pushcell" : t.text);
            i = close;
            continue;
          }
          case kComparison:
          case kLogical:
            // Only reached inside parentheses that also hold other operators.
            Fail(t.text + " cannot stand inside parentheses with other operators");
            return;
          case kPunctuation:
            if (t.text == ",") {
              Fail("A comma stands outside an argument list");
              return;
            }
            if (t.text == "=" || t.text == ";") {
              Fail("The symbol " + t.text + " cannot stand here");
              return;
            }
            incoming = t.text[0];
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
          Append(std::string(1, top));
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
  int nesting_ = 0;          // blocks and argument lists
  int expression_depth_ = 0;
};

}  // namespace

void CompileMacro(std::string_view text, MacroProgram& program) {
  const std::string source = RemoveComments(text);
  if (!CheckBrackets(source, program)) return;
  Compiler(program).CompileSequence(source);
}

}  // namespace orvel
