#include "sheet/legacy_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace orvel {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(Cp932, DecodesKanaKanjiAndHalfWidth) {
  EXPECT_EQ(Cp932ToUtf8("plain \\ ~"), "plain \\ ~");
  EXPECT_EQ(Cp932ToUtf8("\x95\xBD\x8B\xCF\x92\x6C"), "平均値");
  EXPECT_EQ(Cp932ToUtf8("\x82\xA0" "a\xB1\xB2\xB3"), "あaｱｲｳ");
  EXPECT_EQ(Cp932ToUtf8("\x95\x5C\x83\x5C"), "表ソ");  // second bytes equal to '\'
  std::string out = "kept:";
  AppendCp932AsUtf8("\x91\xCC\x8F\x64", out);
  EXPECT_EQ(out, "kept:体重");
}

TEST(Cp932, BadBytesBecomeOneReplacementEach) {
  EXPECT_EQ(Cp932ToUtf8("a\x80" "b"), "a" + kReplacement + "b");
  EXPECT_EQ(Cp932ToUtf8("\xFD\xFE"), kReplacement + kReplacement);
  // A lead byte cut off at the end, and one followed by a separator that must survive.
  EXPECT_EQ(Cp932ToUtf8("x\x82"), "x" + kReplacement);
  EXPECT_EQ(Cp932ToUtf8("\x82\t1"), kReplacement + "\t1");
}

TEST(Utf8, Validity) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("abc あ \xF0\x9F\x93\x88"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xE3\x81"));          // cut off
  EXPECT_FALSE(IsValidUtf8("\x96\xBC\x91\x4F"));  // CP932 名前
  EXPECT_TRUE(IsAscii("tab\tcomma,"));
  EXPECT_FALSE(IsAscii("caf\xC3\xA9"));
}

TEST(Utf16, RoundTripIncludingSurrogatePairs) {
  const std::string text = "A名\xF0\x9D\x84\x9E" "z";
  std::string le;
  EXPECT_EQ(AppendUtf8AsUtf16Le(text, le), 5u);
  EXPECT_EQ(le, std::string("A\0\x0D\x54\x34\xD8\x1E\xDDz\0", 10));
  std::string back;
  AppendUtf16LeAsUtf8(le.data(), 5, back);
  EXPECT_EQ(back, text);
}

TEST(Utf16, LoneSurrogatesAndBadUtf8AreReplaced) {
  const std::string units("\x00\xD8" "a\x00" "\x1E\xDD", 6);  // high, 'a', low
  std::string out;
  AppendUtf16LeAsUtf8(units.data(), 3, out);
  EXPECT_EQ(out, kReplacement + "a" + kReplacement);
  std::string le;
  EXPECT_EQ(AppendUtf8AsUtf16Le("\xFF" "b", le), 2u);
  EXPECT_EQ(le, std::string("\xFD\xFF" "b\0", 4));
}

}  // namespace
}  // namespace orvel
