// Feeds arbitrary database bytes and titles to the product, through real
// files, and to the reference model; any difference in the titles found or
// in the disc list file's bytes is a crash.
//
// Input: byte 0 chooses the title: odd picks one of the titles the model
// finds (by index), even takes the next (byte0 / 2) % 64 bytes as the title.
// The rest is the database.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "database/database_location.h"
#include "database/disc_entry.h"
#include "database/title_list.h"
#include "fuzz/reference_model.h"

namespace {

const std::filesystem::path& WorkDir() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("korvany-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

void Check(bool same, const char* what) {
  if (!same) {
    std::fprintf(stderr, "product and model differ: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const unsigned char choice = data[0];
  std::string title, database;
  if (choice & 1) {
    database = input.substr(1);
    const auto titles = model::Titles(database);
    if (!titles.empty()) title = titles[(choice >> 1) % titles.size()];
  } else {
    const std::size_t n = std::min<std::size_t>((choice >> 1) % 64, size - 1);
    title = input.substr(1, n);
    database = input.substr(1 + n);
  }

  const auto& dir = WorkDir();
  IniPath = (dir / "CDPLAYER.INI").string();
  std::ofstream(IniPath, std::ios::binary).write(database.data(), static_cast<std::streamsize>(database.size()));

  std::vector<std::string> titles;
  ReadTitleList(IniPath, [&](const std::string& t) { titles.push_back(t); });
  Check(titles == model::Titles(database), "title list");

  const std::int32_t disc = -static_cast<std::int32_t>(choice);
  // The disc list file goes to the current directory; libFuzzer reads its
  // corpus by relative paths, so change it only for the conversion.
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  ConvertDiscEntry(title, disc);
  std::filesystem::current_path(previous);
  std::ifstream in(dir / DiscListFileName(disc), std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), {});
  Check(written == model::Convert(database, title), "disc list file");

  std::ifstream db(IniPath, std::ios::binary);
  Check(std::string((std::istreambuf_iterator<char>(db)), {}) == database, "the database changed");
  return 0;
}
