#include "fuzz/reference_model.h"

namespace model {
namespace {

std::size_t Find(const std::string& text, const std::string& pattern) {
  const auto at = text.find(pattern);
  return at == std::string::npos ? 0 : at + 1;
}

}  // namespace

std::vector<std::string> ReaderLines(const std::string& database) {
  const std::string data = database.substr(0, database.find('\x1A'));  // Ctrl-Z ends the data
  std::vector<std::string> lines;
  std::size_t pos = 0;
  do {
    const auto cr = data.find('\r', pos);
    if (cr == std::string::npos) {
      lines.push_back(data.substr(pos));
      pos = data.size();
    } else {
      lines.push_back(data.substr(pos, cr - pos));
      pos = cr + 1;
      if (pos < data.size() && data[pos] == '\n') ++pos;
    }
  } while (pos < data.size());
  return lines;
}

std::vector<std::string> Titles(const std::string& database) {
  std::vector<std::string> titles;
  for (const auto& line : ReaderLines(database)) {
    const auto at = line.find("title=");
    if (at != std::string::npos) titles.push_back(line.substr(at + 6, 255));
  }
  return titles;
}

std::string Convert(const std::string& database, const std::string& title) {
  const std::string key = "title=" + title;
  std::string out;
  bool copying = false;
  for (const auto& line : ReaderLines(database)) {
    if (!copying) {
      if (line == key) {
        out += title + "\r\n";
        copying = true;
      }
      continue;
    }
    const auto p = Find(line, "=");
    if (p >= 1 && p <= 3) out += line.substr(p, 255) + "\r\n";
    const auto q = Find(line, "title");
    if (q >= 1 && q <= 3) copying = false;
  }
  return out;
}

}  // namespace model
