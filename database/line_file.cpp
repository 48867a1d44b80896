#include "database/line_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "database/in_out_error.h"

namespace {
constexpr std::uint8_t kCR = 13;
constexpr std::uint8_t kLF = 10;
constexpr std::uint8_t kCtrlZ = TLineFile::kCtrlZ;
// The code a file operation on a closed file gets ("file not open").
constexpr os::ErrorCode kFileNotOpen = 103;

static_assert(std::endian::native == std::endian::little, "the word scan assumes little-endian");

// Index of the first CR or Ctrl-Z in data[0, n), or n. Eight bytes at a
// time: a byte equal to the pattern becomes a zero byte of (word ^ pattern),
// whose high bit the expression below sets. Does not rely on the C runtime's
// memchr, which is a plain byte loop on some platforms.
std::size_t FindLineStop(const std::uint8_t* data, std::size_t n) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
  constexpr std::uint64_t kCRs = 0x0101010101010101ULL * kCR;
  constexpr std::uint64_t kCtrlZs = 0x0101010101010101ULL * kCtrlZ;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, data + i, 8);
    const std::uint64_t a = w ^ kCRs, b = w ^ kCtrlZs;
    const std::uint64_t hits = (~(((a & kLow7) + kLow7) | a) | ~(((b & kLow7) + kLow7) | b)) & kHigh;
    if (hits) return i + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
  }
  for (; i < n; ++i)
    if (data[i] == kCR || data[i] == kCtrlZ) return i;
  return n;
}

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

bool TLineFile::HaveByteSlow() {
  if (endReached_) return false;
  if (pos_ == count_) {
    std::uint32_t got = 0;
    Check(fs_.Read(handle_, buffer_, kBlockSize, got));
    pos_ = 0;
    count_ = got;
  }
  if (count_ == 0 || buffer_[pos_] == kCtrlZ) {  // the physical end, or a Ctrl-Z
    endReached_ = true;
    return false;
  }
  return true;
}

std::string TLineFile::ReadLine() {
  std::string line;
  ReadLine(line);
  return line;
}

void TLineFile::ReadLine(std::string& line) {
  RequireMode(Mode::kReading);
  line.clear();
  while (HaveByte()) {
    // Take the rest of the block up to the first CR or Ctrl-Z in one go.
    const std::size_t end = pos_ + FindLineStop(buffer_ + pos_, count_ - pos_);
    line.append(reinterpret_cast<const char*>(buffer_ + pos_), end - pos_);
    pos_ = end;
    if (pos_ < count_ && buffer_[pos_] == kCR) {
      ++pos_;
      if (HaveByte() && buffer_[pos_] == kLF) ++pos_;
      return;
    }
  }
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
