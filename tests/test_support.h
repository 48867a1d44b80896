// Shared helpers for tests: scratch directories, whole-file bytes, and byte
// strings written as hex so expected texts never share a literal with the code.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/file_system.h"

namespace testing_support {

// "CC A7 B2" -> the three bytes. Blanks between bytes are optional.
std::string Hex(const std::string& hex);
// The reverse, for readable failure messages.
std::string ToHex(const std::string& bytes);

// The code of the EInOutError that `op` throws; 0 when it succeeds.
os::ErrorCode InOutErrorCode(const std::function<void()>& op);

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

// A fresh directory, removed with everything in it when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Runs the body with the process's current directory set to `dir`.
class CurrentDirGuard {
 public:
  explicit CurrentDirGuard(const std::filesystem::path& dir);
  ~CurrentDirGuard();

 private:
  std::filesystem::path previous_;
};

}  // namespace testing_support
