// Where the CD player database lives: CDPLAYER.INI in the Windows directory.
#pragma once

#include <string>

#include "platform/file_system.h"

// The full path of the database; set by LocateDatabase, read by every conversion.
extern std::string IniPath;

// When the Windows directory cannot be had, IniPath becomes empty: a path
// that names no file, so the open that follows fails with a clear message.
void LocateDatabase(os::FileSystem& fs = os::SystemFileSystem());
