#include "database/line_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "database/in_out_error.h"
#include "tests/test_support.h"

using testing_support::InOutErrorCode;
using testing_support::ReadBytes;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

namespace {

// Reads the way both users do: read a line, then stop when AtEnd is true.
std::vector<std::string> ReadAll(const std::string& path) {
  TLineFile f;
  f.OpenForReading(path);
  std::vector<std::string> lines;
  do lines.push_back(f.ReadLine()); while (!f.AtEnd());
  f.CloseFile();
  return lines;
}

using Lines = std::vector<std::string>;

TEST(TLineFileRead, LineEndAndEndOfDataRules) {
  struct Case { const char* name; std::string bytes; Lines expected; };
  const std::string x127(127, 'x'), x126(126, 'x'), x128(128, 'x'), x600(600, 'q');
  const Case cases[] = {
      {"empty file", "", {""}},
      {"no line end", "abc", {"abc"}},
      {"CR LF at the end", "abc\r\n", {"abc"}},
      {"LF alone stays in the line", "a\nb\r\n", {"a\nb"}},
      {"CR alone ends a line", "a\rb", {"a", "b"}},
      {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
      {"LF CR LF", "a\n\r\nb", {"a\n", "b"}},
      {"Ctrl-Z ends the data", "a\x1A" "b\r\n", {"a"}},
      {"leading Ctrl-Z", "\x1A" "abc\r\n", {""}},
      {"NUL and high bytes", std::string("a\0\xFF\x82\xA0\r\n", 7), {std::string("a\0\xFF\x82\xA0", 5)}},
      {"600-byte line", x600 + "\r\n", {x600}},
      {"CR last in a block, LF first in the next", x127 + "\r\ny", {x127, "y"}},
      {"CR LF fill the first block", x126 + "\r\ny", {x126, "y"}},
      {"line across blocks", x128 + x128 + "\r\n", {x128 + x128}},
      {"Ctrl-Z first in the second block", x128 + "\x1A" "z", {x128}},
      {"CR then Ctrl-Z", "a\r\x1A", {"a"}},
      {"CR CR at the end", "a\r\r", {"a", ""}},
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    const auto path = dir.File("db.ini");
    WriteBytes(path, c.bytes);
    EXPECT_EQ(ReadAll(path), c.expected) << c.name;
  }
}

TEST(TLineFileRead, AfterTheEndEmptyLinesAndNoError) {
  ScratchDir dir;
  const auto path = dir.File("db.ini");
  WriteBytes(path, "a\x1A" "b\r\n");
  TLineFile f;
  f.OpenForReading(path);
  EXPECT_EQ(f.ReadLine(), "a");
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(f.AtEnd());
    EXPECT_EQ(f.ReadLine(), "");
  }
  f.CloseFile();
}

TEST(TLineFileWrite, LineEndsAndBytesAsTheyAre) {
  ScratchDir dir;
  const auto path = dir.File("out.krv");
  TLineFile f;
  f.CreateForWriting(path);
  f.WriteLine("");
  f.WriteLine(std::string("a\0b\rc\nd", 7));
  f.WriteLine("\x83\x5E\x83\x43");
  f.CloseFile();
  EXPECT_EQ(ReadBytes(path), std::string("\r\na\0b\rc\nd\r\n\x83\x5E\x83\x43\r\n", 17));
}

TEST(TLineFileWrite, DiskLagsByUpTo127BytesUntilClose) {
  ScratchDir dir;
  const auto path = dir.File("out.krv");
  TLineFile f;
  f.CreateForWriting(path);
  // 98 + 2 and 98 + 2: 200 bytes with line ends.
  f.WriteLine(std::string(98, 'a'));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
  f.WriteLine(std::string(98, 'b'));
  EXPECT_EQ(std::filesystem::file_size(path), 128u);
  f.CloseFile();
  EXPECT_EQ(ReadBytes(path), std::string(98, 'a') + "\r\n" + std::string(98, 'b') + "\r\n");
}

TEST(TLineFileWrite, ExistingFileIsEmptiedAndNothingWrittenStaysEmpty) {
  ScratchDir dir;
  const auto path = dir.File("out.krv");
  WriteBytes(path, "old content");
  TLineFile f;
  f.CreateForWriting(path);
  f.CloseFile();
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(TLineFileErrors, SystemCodesComeThroughUnchanged) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.Path() / "sub");
  TLineFile f;
  EXPECT_EQ(InOutErrorCode([&] { f.OpenForReading(dir.File("missing.ini")); }), os::kFileNotFound);
  EXPECT_EQ(InOutErrorCode([&] { f.OpenForReading(dir.File("nodir/x.ini")); }), os::kPathNotFound);
  EXPECT_EQ(InOutErrorCode([&] { f.CreateForWriting(dir.File("nodir/x.krv")); }), os::kPathNotFound);
  // A directory in the file's place refuses access either way.
  EXPECT_EQ(InOutErrorCode([&] { f.CreateForWriting(dir.File("sub")); }), os::kAccessDenied);
  EXPECT_EQ(InOutErrorCode([&] { f.OpenForReading(dir.File("sub")); }), os::kAccessDenied);
  EXPECT_FALSE(f.IsOpen());
  // The failed opens left it closed and usable.
  WriteBytes(dir.File("ok.ini"), "ok");
  f.OpenForReading(dir.File("ok.ini"));
  EXPECT_EQ(f.ReadLine(), "ok");
  f.CloseFile();
}

TEST(TLineFilePath, LongerThan259BytesIsOpenedAsItsFirst259) {
  ScratchDir dir;
  const std::string base = dir.Path().string() + static_cast<char>(std::filesystem::path::preferred_separator);
  ASSERT_LT(base.size(), 200u);
  const std::string path259 = base + std::string(259 - base.size(), 'n');
  WriteBytes(path259, "found");
  TLineFile f;
  f.OpenForReading(path259 + "-and-more-bytes-that-are-cut-away");
  EXPECT_EQ(f.ReadLine(), "found");
  f.CloseFile();
}

}  // namespace
