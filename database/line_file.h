// A text file read or written line by line through a 128-byte buffer.
//
// A line ends at a CR (one LF right behind it is consumed too) or at the end
// of the data: the physical end or the first Ctrl-Z, which is never consumed.
// A lone LF is part of the line. Written lines end in CR LF; the file on disk
// lags behind by up to 127 bytes until CloseFile.
//
// Every operation either succeeds or throws EInOutError with the system's
// error code. If the object is destroyed while open (an error left the
// handler), the handle is closed and unwritten buffered bytes are dropped, so
// the next run can open the same files again.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

class TLineFile {
 public:
  static constexpr std::size_t kBlockSize = 128;
  static constexpr std::size_t kMaxPath = 259;
  static constexpr std::uint8_t kCtrlZ = 26;

  explicit TLineFile(os::FileSystem& fs = os::SystemFileSystem()) : fs_(fs) {}
  ~TLineFile();
  TLineFile(const TLineFile&) = delete;
  TLineFile& operator=(const TLineFile&) = delete;

  void OpenForReading(const std::string& path);
  void CreateForWriting(const std::string& path);
  std::string ReadLine();
  // The same, into `line` (its capacity is reused: no allocation per line).
  void ReadLine(std::string& line);
  bool AtEnd();
  void WriteLine(const std::string& text);
  void CloseFile();

  bool IsOpen() const { return mode_ != Mode::kClosed; }

 private:
  enum class Mode { kClosed, kReading, kWriting };

  void Open(const std::string& path, Mode mode);
  // True when a data byte is at pos_ (reads the next block if needed). A
  // Ctrl-Z is never stepped over, so the fast path needs no end flag.
  bool HaveByte() { return (pos_ < count_ && buffer_[pos_] != kCtrlZ) || HaveByteSlow(); }
  bool HaveByteSlow();
  void FlushBlock(std::size_t count);
  void RequireMode(Mode mode) const;

  os::FileSystem& fs_;
  Mode mode_ = Mode::kClosed;
  os::FileHandle handle_ = 0;
  std::uint8_t buffer_[kBlockSize] = {};
  std::size_t pos_ = 0;
  std::size_t count_ = 0;
  bool endReached_ = false;
};
