#include "database/line_file.h"

#include <algorithm>
#include <cstring>

#include "database/in_out_error.h"

namespace {
constexpr std::uint8_t kCR = 13;
constexpr std::uint8_t kLF = 10;
constexpr std::uint8_t kCtrlZ = 26;
// The code a file operation on a closed file gets ("file not open").
constexpr os::ErrorCode kFileNotOpen = 103;

void Check(os::ErrorCode rc) {
  if (rc != os::kSuccess) throw EInOutError(rc);
}
}  // namespace

TLineFile::~TLineFile() {
  if (mode_ != Mode::kClosed) fs_.Close(handle_);  // a failure here has nowhere to go
}

void TLineFile::Open(const std::string& path, Mode mode) {
  if (mode_ != Mode::kClosed) {
    fs_.Close(handle_);
    mode_ = Mode::kClosed;
  }
  const std::string cut = path.substr(0, kMaxPath);
  os::FileHandle h = 0;
  Check(mode == Mode::kReading ? fs_.OpenForReading(cut, h) : fs_.CreateForWriting(cut, h));
  handle_ = h;
  mode_ = mode;
  pos_ = count_ = 0;
  endReached_ = false;
}

void TLineFile::OpenForReading(const std::string& path) { Open(path, Mode::kReading); }
void TLineFile::CreateForWriting(const std::string& path) { Open(path, Mode::kWriting); }

void TLineFile::RequireMode(Mode mode) const {
  if (mode_ != mode) throw EInOutError(kFileNotOpen);
}

bool TLineFile::HaveByte() {
  if (endReached_) return false;
  if (pos_ == count_) {
    std::uint32_t got = 0;
    Check(fs_.Read(handle_, buffer_, kBlockSize, got));
    pos_ = 0;
    count_ = got;
    if (got == 0) {
      endReached_ = true;
      return false;
    }
  }
  if (buffer_[pos_] == kCtrlZ) {
    endReached_ = true;
    return false;
  }
  return true;
}

std::string TLineFile::ReadLine() {
  RequireMode(Mode::kReading);
  std::string line;
  while (HaveByte()) {
    // Take the rest of the block up to the first CR or Ctrl-Z in one go.
    const std::uint8_t* start = buffer_ + pos_;
    std::size_t n = 0;
    const std::size_t avail = count_ - pos_;
    while (n < avail && start[n] != kCR && start[n] != kCtrlZ) ++n;
    line.append(reinterpret_cast<const char*>(start), n);
    pos_ += n;
    if (pos_ < count_ && buffer_[pos_] == kCR) {
      ++pos_;
      if (HaveByte() && buffer_[pos_] == kLF) ++pos_;
      return line;
    }
  }
  return line;
}

bool TLineFile::AtEnd() {
  RequireMode(Mode::kReading);
  return !HaveByte();
}

void TLineFile::FlushBlock(std::size_t count) {
  pos_ = 0;  // on failure the buffered bytes are dropped
  Check(fs_.Write(handle_, buffer_, static_cast<std::uint32_t>(count)));
}

void TLineFile::WriteLine(const std::string& text) {
  RequireMode(Mode::kWriting);
  auto put = [this](const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
      const std::size_t n = std::min(size, kBlockSize - pos_);
      std::memcpy(buffer_ + pos_, data, n);
      pos_ += n;
      data += n;
      size -= n;
      if (pos_ == kBlockSize) FlushBlock(kBlockSize);
    }
  };
  put(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  static constexpr std::uint8_t kLineEnd[] = {kCR, kLF};
  put(kLineEnd, sizeof kLineEnd);
}

void TLineFile::CloseFile() {
  if (mode_ == Mode::kClosed) throw EInOutError(kFileNotOpen);
  if (mode_ == Mode::kWriting && pos_ > 0) FlushBlock(pos_);
  mode_ = Mode::kClosed;  // the handle is gone whether or not the close succeeds
  Check(fs_.Close(handle_));
}
