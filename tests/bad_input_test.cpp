// Bad input through every entry of the database code: each gets the rule's
// behaviour or a clear error, never a crash or a changed database.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <filesystem>
#include <vector>

#include "database/database_location.h"
#include "database/disc_entry.h"
#include "database/in_out_error.h"
#include "database/title_list.h"
#include "tests/test_support.h"

using testing_support::CurrentDirGuard;
using testing_support::InOutErrorCode;
using testing_support::ReadBytes;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

namespace {

class BadInputTest : public ::testing::Test {
 protected:
  void SetUp() override { IniPath = dir_.File("CDPLAYER.INI"); }
  std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    ReadTitleList(IniPath, [&](const std::string& t) { titles.push_back(t); });
    return titles;
  }
  std::string Convert(const std::string& title, std::int32_t disc = 7) {
    ConvertDiscEntry(title, disc);
    return ReadBytes(dir_.File(DiscListFileName(disc)));
  }
  ScratchDir dir_;
  CurrentDirGuard cwd_{dir_.Path()};
};

TEST_F(BadInputTest, TitlesWithNulLfAndAnyLengthAreUsedWhole) {
  const std::string nul("a\0b", 3), lf = "a\nb", long300(300, 'L');
  const std::string db = "title=" + nul + "\r\n0=n\r\ntitle=" + lf + "\r\n0=l\r\ntitle=" + long300 +
                         "\r\n0=x\r\n";
  WriteBytes(IniPath, db);
  EXPECT_EQ(Convert(nul), nul + "\r\nn\r\n");
  EXPECT_EQ(Convert(lf), lf + "\r\nl\r\n");
  // The conversion sets no limit: a 300-byte title finds its line...
  EXPECT_EQ(Convert(long300), long300 + "\r\nx\r\n");
  // ...while the chooser only ever offers its first 255 bytes, which find nothing.
  EXPECT_EQ(Titles()[2], std::string(255, 'L'));
  EXPECT_EQ(Convert(std::string(255, 'L')), "");
  EXPECT_EQ(ReadBytes(IniPath), db);
}

TEST_F(BadInputTest, EmptyAndCtrlZOnlyDatabases) {
  for (const std::string& db : {std::string(), std::string("\x1A"), std::string("\x1A\x1A\r\ntitle=T")}) {
    WriteBytes(IniPath, db);
    EXPECT_TRUE(Titles().empty());
    EXPECT_EQ(Convert("T"), "");
    EXPECT_EQ(ReadBytes(IniPath), db);
  }
}

TEST_F(BadInputTest, ExtremeDiscNumbersNameTheirFiles) {
  WriteBytes(IniPath, "title=T\r\n0=a\r\n");
  for (std::int32_t disc : {0, -1, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(Convert("T", disc), "T\r\na\r\n") << disc;
    EXPECT_TRUE(std::filesystem::exists(dir_.Path() / DiscListFileName(disc)));
  }
}

TEST_F(BadInputTest, ADirectoryWhereTheDatabaseShouldBe) {
  std::filesystem::create_directory(IniPath);
  EXPECT_EQ(InOutErrorCode([&] { Titles(); }), os::kAccessDenied);
  EXPECT_EQ(InOutErrorCode([&] { ConvertDiscEntry("T", 7); }), os::kAccessDenied);
  EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "7.KRV"));
}

TEST_F(BadInputTest, ADatabasePathCutTo259BytesThatNamesNoFile) {
  const std::string base = dir_.Path().string() + static_cast<char>(std::filesystem::path::preferred_separator);
  // The real file's name is longer than the cut: the cut path names nothing.
  const std::string longName(300 - base.size(), 'd');
  IniPath = base + longName;
  EXPECT_EQ(InOutErrorCode([&] { Titles(); }), os::kFileNotFound);
  WriteBytes(dir_.File("7.KRV"), "kept");
  EXPECT_EQ(InOutErrorCode([&] { ConvertDiscEntry("T", 7); }), os::kFileNotFound);
  EXPECT_EQ(ReadBytes(dir_.File("7.KRV")), "kept");
}

}  // namespace
