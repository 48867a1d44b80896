// A FileSystem for tests that passes calls to a real one but can fail the
// Nth call of one operation with a chosen code, and keeps count of the
// handles left open.
#pragma once

#include <set>

#include "platform/file_system.h"

namespace testing_support {

enum class FileOp { kOpenForReading, kCreateForWriting, kRead, kWrite, kClose };

class FaultFileSystem final : public os::FileSystem {
 public:
  explicit FaultFileSystem(os::FileSystem& real = os::SystemFileSystem()) : real_(real) {}

  // The `nth` call (from 1) of `op` fails with `code`; the real call is not made.
  void FailAt(FileOp op, int nth, os::ErrorCode code) {
    failOp_ = op;
    failAt_ = nth;
    failCode_ = code;
  }
  std::size_t OpenHandles() const { return open_.size(); }
  int Calls(FileOp op) const { return calls_[static_cast<int>(op)]; }
  void SetWindowsDirectory(std::optional<std::string> dir) { windowsDir_ = std::move(dir); }

  os::ErrorCode OpenForReading(const std::string& path, os::FileHandle& h) override {
    if (auto rc = Fault(FileOp::kOpenForReading)) return rc;
    const auto rc = real_.OpenForReading(path, h);
    return Track(rc, h);
  }
  os::ErrorCode CreateForWriting(const std::string& path, os::FileHandle& h) override {
    if (auto rc = Fault(FileOp::kCreateForWriting)) return rc;
    const auto rc = real_.CreateForWriting(path, h);
    return Track(rc, h);
  }
  os::ErrorCode Read(os::FileHandle h, std::uint8_t* b, std::uint32_t n,
                     std::uint32_t& got) override {
    if (auto rc = Fault(FileOp::kRead)) return rc;
    return real_.Read(h, b, n, got);
  }
  os::ErrorCode Write(os::FileHandle h, const std::uint8_t* d, std::uint32_t n) override {
    if (auto rc = Fault(FileOp::kWrite)) return rc;
    return real_.Write(h, d, n);
  }
  // A failed close still releases the handle, as CloseHandle does.
  os::ErrorCode Close(os::FileHandle h) override {
    auto rc = Fault(FileOp::kClose);
    auto real = real_.Close(h);
    open_.erase(h);
    return rc ? rc : real;
  }
  std::optional<std::string> WindowsDirectory() override { return windowsDir_; }

 private:
  os::ErrorCode Fault(FileOp op) {
    const int n = ++calls_[static_cast<int>(op)];
    return (op == failOp_ && n == failAt_) ? failCode_ : os::kSuccess;
  }
  os::ErrorCode Track(os::ErrorCode rc, os::FileHandle h) {
    if (rc == os::kSuccess) open_.insert(h);
    return rc;
  }

  os::FileSystem& real_;
  FileOp failOp_ = FileOp::kRead;
  int failAt_ = 0;
  os::ErrorCode failCode_ = 0;
  int calls_[5] = {};
  std::set<os::FileHandle> open_;
  std::optional<std::string> windowsDir_;
};

}  // namespace testing_support
