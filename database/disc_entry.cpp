#include "database/disc_entry.h"

#include "database/byte_strings.h"
#include "database/database_location.h"
#include "database/line_file.h"

namespace {

constexpr std::int64_t kMaxTrackText = 255;

// A track line has its first "=" at byte 1 to 3 (a key of at most two bytes).
void WriteTrackText(const std::string& line, TLineFile& out) {
  const auto p = FindPos("=", line);
  if (p >= 1 && p <= 3) out.WriteLine(CopyBytes(line, p + 1, kMaxTrackText));
}

// An entry ends at a line whose first "title" begins at byte 1 to 3.
bool EndsEntry(const std::string& line) {
  const auto q = FindPos("title", line);
  return q >= 1 && q <= 3;
}

// Copies the track lines after a matching title line, up to the entry's end.
void CopyEntry(TLineFile& db, TLineFile& out, std::string& line) {
  for (;;) {
    db.ReadLine(line);
    WriteTrackText(line, out);  // before the end test: "1=title song" is written, then ends
    if (EndsEntry(line) || db.AtEnd()) return;
  }
}

}  // namespace

std::string DiscListFileName(std::int32_t discNumber) {
  return std::to_string(discNumber) + ".KRV";
}

void ConvertDiscEntry(const std::string& title, std::int32_t discNumber, os::FileSystem& fs) {
  const std::string fileName = DiscListFileName(discNumber);
  const std::string titleKey = "title=" + title;
  TLineFile db(fs);
  TLineFile out(fs);
  db.OpenForReading(IniPath);
  out.CreateForWriting(fileName);
  // The search runs to the end of the database: every matching entry is copied.
  std::string line;  // one buffer for every line: only the current line is held
  do {
    db.ReadLine(line);
    if (line == titleKey) {
      out.WriteLine(title);
      CopyEntry(db, out, line);
    }
  } while (!db.AtEnd());
  db.CloseFile();
  out.CloseFile();
}
