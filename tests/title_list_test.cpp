#include "database/title_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "database/database_location.h"
#include "database/in_out_error.h"
#include "tests/fault_file_system.h"
#include "tests/test_support.h"

using testing_support::FaultFileSystem;
using testing_support::FileOp;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

namespace {

using Titles = std::vector<std::string>;

Titles Scan(const std::string& path, os::FileSystem& fs = os::SystemFileSystem()) {
  Titles titles;
  ReadTitleList(path, [&](const std::string& t) { titles.push_back(t); }, fs);
  return titles;
}

TEST(TitleList, WhatEachLineContributes) {
  struct Case { const char* name; std::string db; Titles expected; };
  const std::string t300 = std::string(254, 'a') + "\x82\xA0" + std::string(44, 'b');
  const Case cases[] = {
      {"three discs in file order",
       "[1]\r\ntitle=One\r\n0=x\r\n[2]\r\ntitle=Two\r\n[3]\r\ntitle=\x83\x5E\x83\x43\r\n",
       {"One", "Two", "\x83\x5E\x83\x43"}},
      {"duplicates and empty entries stay", "title=A\r\ntitle=A\r\ntitle=\r\n", {"A", "A", ""}},
      {"key found anywhere", "subtitle=Foo\r\n3=My title=x\r\n", {"Foo", "x"}},
      {"other case or blanks: no key", "Title=Foo\r\nTITLE=Foo\r\ntitle =Foo\r\n", {}},
      {"blanks kept", "title= Foo \r\n", {" Foo "}},
      {"first key only", "title=A title=B\r\n", {"A title=B"}},
      {"cut to 255 bytes inside a double-byte character", "title=" + t300 + "\r\n",
       {std::string(254, 'a') + "\x82"}},
      {"LF-only database is one line", "title=A\nx=1\ntitle=B\n", {"A\nx=1\ntitle=B\n"}},
      {"nothing after Ctrl-Z", "title=A\r\n\x1Atitle=B\r\n", {"A"}},
      {"empty database", "", {}},
      {"last line without line end", "x\r\ntitle=Last", {"Last"}},
      {"NUL bytes pass through", std::string("title=a\0b\r\n", 11), {std::string("a\0b", 3)}},
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    WriteBytes(dir.File("CDPLAYER.INI"), c.db);
    EXPECT_EQ(Scan(dir.File("CDPLAYER.INI")), c.expected) << c.name;
  }
}

TEST(TitleList, AFailureKeepsWhatWasAddedAndClosesTheDatabase) {
  ScratchDir dir;
  std::string db;
  for (int i = 0; i < 40; ++i) db += "title=T" + std::to_string(i) + "\r\n0=track\r\n";
  WriteBytes(dir.File("CDPLAYER.INI"), db);

  FaultFileSystem fs;
  fs.FailAt(FileOp::kRead, 2, 23);  // the second 128-byte block
  Titles titles;
  try {
    ReadTitleList(dir.File("CDPLAYER.INI"), [&](const std::string& t) { titles.push_back(t); }, fs);
    FAIL() << "the read failure was not raised";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Code(), 23u);
  }
  EXPECT_EQ(titles.size(), 7u);  // the title lines complete in the first block
  EXPECT_EQ(fs.OpenHandles(), 0u);

  // A list that refuses an entry stops the scan the same way.
  FaultFileSystem fs2;
  titles.clear();
  EXPECT_THROW(ReadTitleList(dir.File("CDPLAYER.INI"),
                             [&](const std::string& t) {
                               if (titles.size() == 3) throw EOutOfResources("full");
                               titles.push_back(t);
                             },
                             fs2),
               EOutOfResources);
  EXPECT_EQ(titles.size(), 3u);
  EXPECT_EQ(fs2.OpenHandles(), 0u);
}

TEST(LocateDatabase, WindowsDirectoryPlusBackslashAndFileName) {
  FaultFileSystem fs;
  fs.SetWindowsDirectory("C:\\WINDOWS");
  LocateDatabase(fs);
  EXPECT_EQ(IniPath, "C:\\WINDOWS\\CDPLAYER.INI");
  fs.SetWindowsDirectory("D:\\");
  LocateDatabase(fs);
  EXPECT_EQ(IniPath, "D:\\\\CDPLAYER.INI");
}

TEST(LocateDatabase, NoWindowsDirectoryGivesAPathThatNamesNoFile) {
  FaultFileSystem fs;
  fs.SetWindowsDirectory(std::nullopt);
  LocateDatabase(fs);
  EXPECT_EQ(IniPath, "");
  try {
    Scan(IniPath);
    FAIL() << "an empty path opened";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Code(), os::kPathNotFound);
  }
}

}  // namespace
