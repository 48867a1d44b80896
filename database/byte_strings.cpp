#include "database/byte_strings.h"

std::int64_t FindPos(const std::string& pattern, const std::string& text) {
  if (pattern.empty() || text.empty()) return 0;
  auto at = text.find(pattern);
  return at == std::string::npos ? 0 : static_cast<std::int64_t>(at) + 1;
}

std::string CopyBytes(const std::string& text, std::int64_t start, std::int64_t count) {
  if (start < 1) start = 1;
  const auto size = static_cast<std::int64_t>(text.size());
  if (text.empty() || start > size || count < 0) return {};
  return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}
