// Against the real Win32 file services: the code page, the Windows
// directory, and the share modes seen from a second opener.
#include <windows.h>

#include <gtest/gtest.h>

#include "database/database_location.h"
#include "database/in_out_error.h"
#include "database/line_file.h"
#include "tests/test_support.h"

using testing_support::ScratchDir;
using testing_support::WriteBytes;

namespace {

// Every text of the program is code page 932; a run on another code page
// would test the wrong thing.
TEST(Win32Environment, AnsiCodePageIs932) { EXPECT_EQ(GetACP(), 932u); }

TEST(Win32LocateDatabase, WindowsDirectoryOfTheSystem) {
  char dir[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryA(dir, sizeof dir), 0u);
  LocateDatabase();
  EXPECT_EQ(IniPath, std::string(dir) + "\\CDPLAYER.INI");
}

// A second handle, opened by the test the way another process would.
class OtherOpener {
 public:
  OtherOpener(const std::string& path, DWORD access, DWORD share)
      : h_(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr)),
        error_(h_ == INVALID_HANDLE_VALUE ? GetLastError() : 0) {}
  ~OtherOpener() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  DWORD Error() const { return error_; }

 private:
  HANDLE h_;
  DWORD error_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;

os::ErrorCode CodeOf(void (TLineFile::*open)(const std::string&), const std::string& path) {
  TLineFile f;
  try {
    (f.*open)(path);
  } catch (const EInOutError& e) {
    return e.Code();
  }
  return 0;
}

TEST(Win32ShareModes, WhileReadingOthersMayWriteButNotRead) {
  ScratchDir dir;
  const auto path = dir.File("CDPLAYER.INI");
  WriteBytes(path, "title=A\r\n");
  TLineFile db;
  db.OpenForReading(path);
  EXPECT_EQ(OtherOpener(path, GENERIC_READ, kShareAll).Error(), DWORD{ERROR_SHARING_VIOLATION});
  EXPECT_EQ(OtherOpener(path, GENERIC_WRITE, kShareAll).Error(), 0u);
  db.CloseFile();
}

TEST(Win32ShareModes, OpenForReadingRefusedBy32) {
  ScratchDir dir;
  const auto path = dir.File("CDPLAYER.INI");
  WriteBytes(path, "title=A\r\n");
  {
    OtherOpener reader(path, GENERIC_READ, kShareAll);  // holds it for reading
    ASSERT_EQ(reader.Error(), 0u);
    EXPECT_EQ(CodeOf(&TLineFile::OpenForReading, path), DWORD{ERROR_SHARING_VIOLATION});
  }
  {
    OtherOpener writer(path, GENERIC_WRITE, FILE_SHARE_WRITE);  // lets nobody read
    ASSERT_EQ(writer.Error(), 0u);
    EXPECT_EQ(CodeOf(&TLineFile::OpenForReading, path), DWORD{ERROR_SHARING_VIOLATION});
  }
  EXPECT_EQ(InOutErrorMessage(ERROR_SHARING_VIOLATION), "I/O \xB4\xD7\xB0 (32)");
}

TEST(Win32ShareModes, WhileWritingOthersMayReadButNotWrite) {
  ScratchDir dir;
  const auto path = dir.File("1.KRV");
  TLineFile out;
  out.CreateForWriting(path);
  EXPECT_EQ(OtherOpener(path, GENERIC_WRITE, kShareAll).Error(), DWORD{ERROR_SHARING_VIOLATION});
  EXPECT_EQ(OtherOpener(path, GENERIC_READ, kShareAll).Error(), 0u);
  out.CloseFile();
}

TEST(Win32ShareModes, CreateForWritingRefusedBy32) {
  ScratchDir dir;
  const auto path = dir.File("1.KRV");
  WriteBytes(path, "old");
  {
    OtherOpener writer(path, GENERIC_WRITE, kShareAll);  // holds it for writing
    ASSERT_EQ(writer.Error(), 0u);
    EXPECT_EQ(CodeOf(&TLineFile::CreateForWriting, path), DWORD{ERROR_SHARING_VIOLATION});
  }
  {
    OtherOpener reader(path, GENERIC_READ, FILE_SHARE_READ);  // lets nobody write
    ASSERT_EQ(reader.Error(), 0u);
    EXPECT_EQ(CodeOf(&TLineFile::CreateForWriting, path), DWORD{ERROR_SHARING_VIOLATION});
  }
  EXPECT_EQ(testing_support::ReadBytes(path), "old");
}

}  // namespace
