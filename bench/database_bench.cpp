// Figures for the database code: throughput of the title scan and of the
// conversion of the last disc, against the floor that 128-byte reads set
// (a bare loop over the same file) and against awk doing the same work;
// and the process's peak memory, which must not grow with the database.
//
//   database_bench generate FILE DISCS   write a database of DISCS sections
//   database_bench run FILE [REPEATS]    print the throughput figures
//   database_bench generate-line FILE MB one track line of MB megabytes
//   database_bench peak FILE             scan and convert, print peak memory
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>

#include "database/database_location.h"
#include "database/disc_entry.h"
#include "database/title_list.h"
#include "platform/file_system.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// A title of the form "タイトル <n>" in code page 932 bytes; unique per disc.
std::string Title(long n) { return "\x83\x5E\x83\x43\x83\x67\x83\x8B " + std::to_string(n); }

// One disc whose only track line is `mb` megabytes long, with no line end.
int GenerateLongLine(const std::string& path, long mb) {
  std::ofstream out(path, std::ios::binary);
  out << "[1]\r\ntitle=Long\r\n0=";
  const std::string chunk(1 << 20, 'x');
  for (long i = 0; i < mb; ++i) out << chunk;
  return out ? 0 : 1;
}

int Generate(const std::string& path, long discs) {
  std::ofstream out(path, std::ios::binary);
  for (long d = 0; d < discs; ++d) {
    char id[24];
    std::snprintf(id, sizeof id, "%08lX", 0x10000000L + d * 7919L);
    const int tracks = 8 + static_cast<int>(d % 9);
    out << "[" << id << "]\r\nEntryType=1\r\nartist=\x83\x41\x81\x5B\x83\x65\x83\x42\x83\x58\x83\x67 "
        << d % 997 << "\r\ntitle=" << Title(d) << "\r\nnumtracks=" << tracks << "\r\n";
    for (int t = 0; t < tracks; ++t) out << t << "=\x8B\xC8 " << t + 1 << " (" << d << ")\r\n";
    out << "order=";
    for (int t = 0; t < tracks; ++t) out << t << ' ';
    out << "\r\nnumplay=" << tracks << "\r\n";
  }
  return out ? 0 : 1;
}

template <class F>
double Seconds(F&& f) {
  const auto t0 = Clock::now();
  f();
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

double BlockLoop(const std::string& path) {
  os::FileSystem& fs = os::SystemFileSystem();
  os::FileHandle h;
  if (fs.OpenForReading(path, h) != 0) std::exit(2);
  std::uint8_t buf[128];
  std::uint32_t got = 0;
  unsigned sum = 0;
  while (fs.Read(h, buf, sizeof buf, got) == 0 && got > 0) sum += buf[0];
  fs.Close(h);
  return sum;  // keeps the loop from being optimised away
}

long ScanTitles(const std::string& path) {
  long n = 0;
  ReadTitleList(path, [&](const std::string&) { ++n; });
  return n;
}

std::string LastTitle(const std::string& path) {
  std::string last;
  ReadTitleList(path, [&](const std::string& t) { last = t; });
  return last;
}

double Best(int repeats, const std::function<void()>& f) {
  double best = 1e9;
  for (int i = 0; i < repeats; ++i) best = std::min(best, Seconds(f));
  return best;
}

int Run(const std::string& path, int repeats) {
  const double mb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  const std::string title = LastTitle(path);
  IniPath = path;
  const auto out = std::filesystem::temp_directory_path();
  std::filesystem::current_path(out);

  const double floor = Best(repeats, [&] { BlockLoop(path); });
  const double scan = Best(repeats, [&] { ScanTitles(path); });
  const double conv = Best(repeats, [&] { ConvertDiscEntry(title, 991279); });
  std::filesystem::remove(out / DiscListFileName(991279));

  std::printf("database: %.1f MB, best of %d runs\n", mb, repeats);
  std::printf("  %-34s %8.1f MB/s\n", "bare 128-byte block loop (floor)", mb / floor);
  std::printf("  %-34s %8.1f MB/s   %.2fx the floor\n", "title scan", mb / scan, scan / floor);
  std::printf("  %-34s %8.1f MB/s   %.2fx the floor\n", "conversion of the last disc", mb / conv,
              conv / floor);
#ifndef _WIN32
  // awk doing the same extraction, lines split at CR (a following LF dropped).
  const std::string awkScan =
      "LC_ALL=C awk 'BEGIN{RS=\"\\r\"} {sub(/^\\n/,\"\"); i=index($0,\"title=\"); "
      "if(i) print substr($0,i+6,255)}' '" + path + "' >/dev/null";
  const std::string awkConv =
      "LC_ALL=C awk -v key='title=" + title + "' 'BEGIN{RS=\"\\r\"} {sub(/^\\n/,\"\")} "
      "copy{p=index($0,\"=\"); if(p>=1&&p<=3) print substr($0,p+1,255); q=index($0,\"title\"); "
      "if(q>=1&&q<=3) copy=0; next} $0==key{print substr(key,7); copy=1}' '" + path + "' >/dev/null";
  const double awkS = Best(repeats, [&] { (void)std::system(awkScan.c_str()); });
  const double awkC = Best(repeats, [&] { (void)std::system(awkConv.c_str()); });
  std::printf("  %-34s %8.1f MB/s   title scan takes %.2fx awk's time\n", "awk title scan", mb / awkS,
              scan / awkS);
  std::printf("  %-34s %8.1f MB/s   conversion takes %.2fx awk's time\n", "awk conversion", mb / awkC,
              conv / awkC);
#endif
  std::printf("  target: title scan and conversion within 1.30x the floor\n");
  return 0;
}

double PeakMiB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS pmc{};
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  return static_cast<double>(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);
#else
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return static_cast<double>(ru.ru_maxrss) / 1024.0;
#endif
}

int Peak(const std::string& path) {
  const double before = PeakMiB();
  IniPath = path;
  const std::string title = LastTitle(path);
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  ConvertDiscEntry(title, 991279);
  std::filesystem::remove(DiscListFileName(991279));
  std::printf("peak memory for %.1f MB database: %.1f MiB (%.1f MiB before the work)\n",
              static_cast<double>(std::filesystem::file_size(path)) / 1e6, PeakMiB(), before);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "generate" && argc == 4) return Generate(argv[2], std::atol(argv[3]));
  if (mode == "generate-line" && argc == 4) return GenerateLongLine(argv[2], std::atol(argv[3]));
  if (mode == "run" && argc >= 3) return Run(argv[2], argc > 3 ? std::atoi(argv[3]) : 3);
  if (mode == "peak" && argc == 3) return Peak(argv[2]);
  std::fprintf(stderr, "usage: database_bench generate FILE DISCS | run FILE [REPEATS] | peak FILE\n");
  return 2;
}
