// The product's binding: CreateFileA and friends, with the share modes that
// keep other processes from reading a database we read (or writing a disc
// list file we write) while it is open here.
#include "platform/file_system.h"

#include <windows.h>

namespace os {
namespace {

HANDLE ToHandle(FileHandle h) { return reinterpret_cast<HANDLE>(h); }

ErrorCode OpenWith(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                   FileHandle& handle) {
  HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return GetLastError();
  handle = reinterpret_cast<FileHandle>(h);
  return kSuccess;
}

class Win32FileSystem final : public FileSystem {
 public:
  ErrorCode OpenForReading(const std::string& path, FileHandle& handle) override {
    return OpenWith(path, GENERIC_READ, FILE_SHARE_WRITE, OPEN_EXISTING, handle);
  }
  ErrorCode CreateForWriting(const std::string& path, FileHandle& handle) override {
    return OpenWith(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, handle);
  }
  ErrorCode Read(FileHandle handle, std::uint8_t* buffer, std::uint32_t size,
                 std::uint32_t& got) override {
    DWORD n = 0;
    if (!ReadFile(ToHandle(handle), buffer, size, &n, nullptr)) return GetLastError();
    got = n;
    return kSuccess;
  }
  ErrorCode Write(FileHandle handle, const std::uint8_t* data, std::uint32_t size) override {
    DWORD n = 0;  // the count written is not examined
    if (!WriteFile(ToHandle(handle), data, size, &n, nullptr)) return GetLastError();
    return kSuccess;
  }
  ErrorCode Close(FileHandle handle) override {
    if (!CloseHandle(ToHandle(handle))) return GetLastError();
    return kSuccess;
  }
  std::optional<std::string> WindowsDirectory() override {
    char buffer[255] = {};
    UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return std::nullopt;
    return std::string(buffer);  // up to the first NUL
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static Win32FileSystem binding;
  return binding;
}

}  // namespace os
