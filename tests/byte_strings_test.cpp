#include "database/byte_strings.h"

#include <gtest/gtest.h>

namespace {

TEST(FindPos, FirstOccurrenceFromOneOrZero) {
  struct Case { std::string pattern, text; std::int64_t expected; };
  const Case cases[] = {
      {"title=", "subtitle=x", 4},
      {"title=", "title=A title=B", 1},
      {"", "anything", 0},
      {"x", "", 0},
      {"", "", 0},
      {"ab", "a", 0},
      {"Title=", "title=x", 0},  // case-sensitive
      {"=", "a=b=c", 2},
      // A match may begin at the trail byte of a double-byte character:
      // 0x83 0x5C is one character whose second byte is the backslash.
      {"\\", "\x83\x5C", 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FindPos(c.pattern, c.text), c.expected) << c.pattern << " in " << c.text;
}

TEST(CopyBytes, ClampsStartAndCount) {
  struct Case { std::string text; std::int64_t start, count; std::string expected; };
  const Case cases[] = {
      {"title=", 7, 255, ""},     // start just past the end
      {"abc", 0, 2, "ab"},        // start below 1 counts as 1
      {"abc", -5, 1, "a"},
      {"abc", 2, 255, "bc"},      // count beyond the end
      {"abc", 2, -1, ""},         // negative count
      {"abc", 2, 0, ""},
      {"", 1, 5, ""},
      {"abc", 4, 1, ""},
      {"\x82\xA0\x82\xA2", 1, 3, "\x82\xA0\x82"},  // cuts a double-byte character
  };
  for (const auto& c : cases)
    EXPECT_EQ(CopyBytes(c.text, c.start, c.count), c.expected)
        << c.text << " from " << c.start << " count " << c.count;
}

TEST(LineEquality, WholeLengthAndExactBytes) {
  EXPECT_NE(std::string("title=A"), std::string("title=A "));
  EXPECT_NE(std::string("Title=A"), std::string("title=A"));
  EXPECT_EQ(std::string("a\0b", 3), std::string("a\0b", 3));
  EXPECT_NE(std::string("a\0b", 3), std::string("a\0c", 3));
}

}  // namespace
