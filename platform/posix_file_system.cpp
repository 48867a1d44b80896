// The native binding, for tests, fuzzing and benchmarks on Linux. errno is
// mapped to the Windows code with the same meaning so the messages match.
// Share modes are a Windows behaviour and have no equivalent here.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_system.h"

namespace os {
namespace {

ErrorCode FromErrno(int e) {
  switch (e) {
    case ENOENT: return kFileNotFound;
    case ENOTDIR: return kPathNotFound;
    case EMFILE: case ENFILE: return kTooManyOpenFiles;
    case EACCES: case EPERM: case EROFS: case EISDIR: return kAccessDenied;
    case EBADF: return kInvalidHandle;
    case ENOSPC: return kDiskFull;
    default: return kGeneralFailure;
  }
}

// A missing directory on the path gives ENOENT here; Windows tells it apart
// from a missing file, so look at the parent.
ErrorCode MissingPathCode(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return kFileNotFound;
  return access(path.substr(0, slash).c_str(), F_OK) == 0 ? kFileNotFound : kPathNotFound;
}

ErrorCode OpenWith(const std::string& path, int flags, FileHandle& handle) {
  if (path.empty()) return kPathNotFound;  // as CreateFileA answers ""
  int fd = open(path.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) {
    int e = errno;
    return e == ENOENT ? MissingPathCode(path) : FromErrno(e);
  }
  handle = static_cast<FileHandle>(fd);
  return kSuccess;
}

class PosixFileSystem final : public FileSystem {
 public:
  ErrorCode OpenForReading(const std::string& path, FileHandle& handle) override {
    ErrorCode rc = OpenWith(path, O_RDONLY, handle);
    if (rc == kSuccess) {
      // Windows refuses to open a directory as a file; POSIX only fails on read.
      struct stat st;
      if (fstat(static_cast<int>(handle), &st) == 0 && S_ISDIR(st.st_mode)) {
        close(static_cast<int>(handle));
        return kAccessDenied;
      }
    }
    return rc;
  }
  ErrorCode CreateForWriting(const std::string& path, FileHandle& handle) override {
    return OpenWith(path, O_WRONLY | O_CREAT | O_TRUNC, handle);
  }
  ErrorCode Read(FileHandle handle, std::uint8_t* buffer, std::uint32_t size,
                 std::uint32_t& got) override {
    ssize_t n;
    do n = read(static_cast<int>(handle), buffer, size); while (n < 0 && errno == EINTR);
    if (n < 0) return FromErrno(errno);
    got = static_cast<std::uint32_t>(n);
    return kSuccess;
  }
  ErrorCode Write(FileHandle handle, const std::uint8_t* data, std::uint32_t size) override {
    while (size > 0) {
      ssize_t n = write(static_cast<int>(handle), data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return FromErrno(errno);
      data += n;
      size -= static_cast<std::uint32_t>(n);
    }
    return kSuccess;
  }
  ErrorCode Close(FileHandle handle) override {
    return close(static_cast<int>(handle)) == 0 ? kSuccess : FromErrno(errno);
  }
  // There is no Windows directory here; native callers name their own
  // database path through a FileSystem of their own.
  std::optional<std::string> WindowsDirectory() override { return std::nullopt; }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem binding;
  return binding;
}

}  // namespace os
