// A virtual CD audio device for tests: an MCI driver that winmm loads for
// "CDAudio" when the registry's MCI key names this DLL. There is no drive
// here, so the tests bring their own.
//
// It reads a small settings file named by the environment variable
// KORVANY_VIRTUAL_CD each time it is opened:
//   length M S F     the disc's total length (minutes, seconds, frames)
//   open_error N     refuse the open with MCI error N
//   close_error N    refuse the close with MCI error N
//   log PATH         append one line per command received
#include <windows.h>
#include <mmsystem.h>
#include <mmddk.h>

#include <cstdio>
#include <cstring>

namespace {

struct Settings {
  unsigned minutes = 47, seconds = 32, frames = 15;
  DWORD openError = 0, closeError = 0;
  char log[MAX_PATH] = "";
};

Settings g_settings;
DWORD g_timeFormat = MCI_FORMAT_MILLISECONDS;

void LoadSettings() {
  g_settings = Settings();
  char path[MAX_PATH];
  if (!GetEnvironmentVariableA("KORVANY_VIRTUAL_CD", path, sizeof path)) return;
  FILE* f = std::fopen(path, "r");
  if (!f) return;
  char line[512];
  while (std::fgets(line, sizeof line, f)) {
    line[std::strcspn(line, "\r\n")] = 0;
    unsigned long n = 0;
    if (std::sscanf(line, "length %u %u %u", &g_settings.minutes, &g_settings.seconds,
                    &g_settings.frames) == 3) continue;
    if (std::sscanf(line, "open_error %lu", &n) == 1) g_settings.openError = n;
    else if (std::sscanf(line, "close_error %lu", &n) == 1) g_settings.closeError = n;
    else if (std::strncmp(line, "log ", 4) == 0)
      lstrcpynA(g_settings.log, line + 4, sizeof g_settings.log);
  }
  std::fclose(f);
}

void Log(const char* what, LPARAM flags, const char* extra = "") {
  if (!g_settings.log[0]) return;
  if (FILE* f = std::fopen(g_settings.log, "a")) {
    std::fprintf(f, "%s flags=0x%lX%s\n", what, static_cast<unsigned long>(flags), extra);
    std::fclose(f);
  }
}

LRESULT Set(LPARAM flags, MCI_SET_PARMS* p) {
  char extra[32] = "";
  if ((flags & MCI_SET_TIME_FORMAT) && p) {
    g_timeFormat = p->dwTimeFormat;
    std::snprintf(extra, sizeof extra, " format=%lu", static_cast<unsigned long>(p->dwTimeFormat));
  }
  Log("set", flags, extra);
  return 0;
}

LRESULT Status(LPARAM flags, MCI_STATUS_PARMS* p) {
  char extra[32] = "";
  if (p) std::snprintf(extra, sizeof extra, " item=%lu", static_cast<unsigned long>(p->dwItem));
  Log("status", flags, extra);
  if (!p || !(flags & MCI_STATUS_ITEM)) return MCIERR_MISSING_PARAMETER;
  if (p->dwItem == MCI_STATUS_LENGTH && !(flags & MCI_TRACK)) {
    const Settings& s = g_settings;
    if (g_timeFormat == MCI_FORMAT_TMSF || g_timeFormat == MCI_FORMAT_MSF)
      p->dwReturn = s.minutes | (s.seconds << 8) | (s.frames << 16);  // MSF packing
    else  // milliseconds: a different number, so a missing time format shows
      p->dwReturn = ((s.minutes * 60 + s.seconds) * 75 + s.frames) * 1000 / 75;
    return 0;
  }
  p->dwReturn = 0;
  return 0;
}

}  // namespace

extern "C" LRESULT CALLBACK DriverProc(DWORD_PTR id, HDRVR, UINT msg, LPARAM p1, LPARAM p2) {
  switch (msg) {
    case DRV_LOAD: case DRV_FREE: case DRV_ENABLE: case DRV_DISABLE: case DRV_CLOSE:
      return 1;
    case DRV_OPEN: {
      auto* open = reinterpret_cast<MCI_OPEN_DRIVER_PARMS*>(p2);
      if (!open) return 1;  // a configuration open
      open->wType = MCI_DEVTYPE_CD_AUDIO;
      open->wCustomCommandTable = MCI_NO_COMMAND_TABLE;
      return open->wDeviceID ? open->wDeviceID : 1;
    }
    case DRV_QUERYCONFIGURE:
      return 0;
  }
  (void)id;
  switch (msg) {
    case MCI_OPEN_DRIVER:
      LoadSettings();
      g_timeFormat = MCI_FORMAT_MILLISECONDS;
      Log("open", p1);
      return g_settings.openError;
    case MCI_CLOSE_DRIVER:
      Log("close", p1);
      return g_settings.closeError;
    case MCI_SET:
      return Set(p1, reinterpret_cast<MCI_SET_PARMS*>(p2));
    case MCI_STATUS:
      return Status(p1, reinterpret_cast<MCI_STATUS_PARMS*>(p2));
    default:
      if (msg >= DRV_MCI_FIRST) {
        Log("other", p1);
        return 0;
      }
      return DefDriverProc(id, nullptr, msg, p1, p2);
  }
}
