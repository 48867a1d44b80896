// Converts one disc's entry of the CD player database into the disc list
// file "<disc number>.KRV" in the current directory: the title, then one
// line per track name, for every entry whose title line matches.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

// "991279.KRV", "-5.KRV", "0.KRV".
std::string DiscListFileName(std::int32_t discNumber);

// Reads the database at IniPath. Throws EInOutError; the database is never written.
void ConvertDiscEntry(const std::string& title, std::int32_t discNumber,
                      os::FileSystem& fs = os::SystemFileSystem());
