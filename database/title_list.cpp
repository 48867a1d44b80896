#include "database/title_list.h"

#include "database/byte_strings.h"
#include "database/line_file.h"

namespace {
const std::string kTitleKey = "title=";
constexpr std::int64_t kMaxTitle = 255;
}  // namespace

void ReadTitleList(const std::string& path, const TitleSink& add, os::FileSystem& fs) {
  TLineFile db(fs);
  db.OpenForReading(path);
  std::string line;
  do {
    db.ReadLine(line);
    const auto p = FindPos(kTitleKey, line);
    if (p > 0) add(CopyBytes(line, p + static_cast<std::int64_t>(kTitleKey.size()), kMaxTitle));
  } while (!db.AtEnd());
  db.CloseFile();
}
