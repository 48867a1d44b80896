#include "tests/virtual_cd/virtual_cd_control.h"

#include <windows.h>

#include <fstream>

namespace testing_support {
namespace {

const char kMciKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI";

std::string DriverPath() {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  std::string path = exe;
  return path.substr(0, path.find_last_of('\\') + 1) + "virtual_cd.dll";
}

}  // namespace

bool VirtualCd::Register() {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kMciKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const std::string dll = DriverPath();
  const LONG rc = RegSetValueExA(key, "cdaudio", 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                                 static_cast<DWORD>(dll.size() + 1));
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

bool VirtualCd::Unregister() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMciKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return true;
  const LONG rc = RegDeleteValueA(key, "cdaudio");
  RegCloseKey(key);
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

VirtualCd::VirtualCd(const std::string& dir)
    : settings_(dir + "\\virtual_cd.txt"), log_(dir + "\\virtual_cd.log") {
  Configure({});
  SetEnvironmentVariableA("KORVANY_VIRTUAL_CD", settings_.c_str());
}

VirtualCd::~VirtualCd() { SetEnvironmentVariableA("KORVANY_VIRTUAL_CD", nullptr); }

void VirtualCd::Configure(const VirtualCdSettings& s) {
  std::ofstream out(settings_, std::ios::trunc);
  out << "length " << s.minutes << ' ' << s.seconds << ' ' << s.frames << "\n"
      << "open_error " << s.openError << "\n"
      << "close_error " << s.closeError << "\n"
      << "log " << log_ << "\n";
}

std::vector<std::string> VirtualCd::Log() const {
  std::vector<std::string> lines;
  std::ifstream in(log_);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void VirtualCd::ClearLog() { DeleteFileA(log_.c_str()); }

}  // namespace testing_support
