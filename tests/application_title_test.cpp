#include "platform/gui/application_title.h"

#include <gtest/gtest.h>

namespace {

bool Cp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
std::string AsciiLower(std::string s) {
  for (auto& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

TEST(ApplicationTitle, FileNameWithoutExtensionLowerCasedAfterTheFirstByte) {
  struct Case { std::string path, title; };
  const Case cases[] = {
      {"C:\\APPS\\TOOL.EXE", "Tool"},
      {"D:\\Work\\my.tool.exe", "my"},
      {"Z:\\build\\KorvanyDBConverter.exe", "Korvanydbconverter"},
      {"NOPATH.EXE", "Nopath"},
      {"C:\\x\\A", "A"},
      // 0x95 0x5C is one character whose trail byte is a backslash: not a separator.
      {"C:\\\x95\x5C\\\x83\x5C" "DIR.EXE", "\x83\x5C" "dir"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ApplicationTitleFromPath(c.path, Cp932Lead, AsciiLower), c.title) << c.path;
}

}  // namespace
