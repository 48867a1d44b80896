// The operating system's file services, as the database code needs them.
// The core never includes <windows.h>: it reaches files only through this
// interface. There is a Win32 binding (the product) and a POSIX binding
// (native builds for tests, sanitizers, fuzzing and benchmarks).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace os {

// A Windows system error code (what GetLastError returns); 0 is success.
using ErrorCode = std::uint32_t;
using FileHandle = std::uintptr_t;

inline constexpr ErrorCode kSuccess = 0;
inline constexpr ErrorCode kFileNotFound = 2;
inline constexpr ErrorCode kPathNotFound = 3;
inline constexpr ErrorCode kTooManyOpenFiles = 4;
inline constexpr ErrorCode kAccessDenied = 5;
inline constexpr ErrorCode kInvalidHandle = 6;
inline constexpr ErrorCode kSharingViolation = 32;
inline constexpr ErrorCode kDiskFull = 112;
// Used by the POSIX binding for errno values that have no Windows twin.
inline constexpr ErrorCode kGeneralFailure = 31;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // An existing file, read access; others may write it but not read it.
  virtual ErrorCode OpenForReading(const std::string& path, FileHandle& handle) = 0;
  // Created, or emptied when it exists, write access; others may read it but not write it.
  virtual ErrorCode CreateForWriting(const std::string& path, FileHandle& handle) = 0;
  // One read of up to `size` bytes; `got` is 0 at the physical end.
  virtual ErrorCode Read(FileHandle handle, std::uint8_t* buffer, std::uint32_t size,
                         std::uint32_t& got) = 0;
  virtual ErrorCode Write(FileHandle handle, const std::uint8_t* data, std::uint32_t size) = 0;
  virtual ErrorCode Close(FileHandle handle) = 0;

  // The Windows directory as the system writes it into a 255-byte buffer,
  // up to its first NUL; nothing when the call failed or needed more room.
  virtual std::optional<std::string> WindowsDirectory() = 0;
};

// The binding of the platform this program was built for.
FileSystem& SystemFileSystem();

}  // namespace os
