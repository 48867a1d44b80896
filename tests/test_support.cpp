#include "tests/test_support.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "database/in_out_error.h"

namespace testing_support {

std::string Hex(const std::string& hex) {
  std::string out;
  int pending = -1;
  for (char c : hex) {
    int v;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    else continue;
    if (pending < 0) {
      pending = v;
    } else {
      out.push_back(static_cast<char>(pending * 16 + v));
      pending = -1;
    }
  }
  if (pending >= 0) throw std::invalid_argument("odd number of hex digits");
  return out;
}

std::string ToHex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    if (!out.empty()) out.push_back(' ');
    out.push_back(digits[b >> 4]);
    out.push_back(digits[b & 15]);
  }
  return out;
}

os::ErrorCode InOutErrorCode(const std::function<void()>& op) {
  try {
    op();
  } catch (const EInOutError& e) {
    return e.Code();
  }
  return os::kSuccess;
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("korvany-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

CurrentDirGuard::CurrentDirGuard(const std::filesystem::path& dir)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(dir);
}

CurrentDirGuard::~CurrentDirGuard() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

}  // namespace testing_support
