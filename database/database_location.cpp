#include "database/database_location.h"

std::string IniPath;

void LocateDatabase(os::FileSystem& fs) {
  auto dir = fs.WindowsDirectory();
  // The backslash goes in even after a drive root ("C:\" gives "C:\\CDPLAYER.INI").
  IniPath = dir ? *dir + "\\CDPLAYER.INI" : std::string();
}
