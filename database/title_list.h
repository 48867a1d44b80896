// The title list: for each database line holding "title=", the up to 255
// bytes after its first occurrence, in file order.
#pragma once

#include <functional>
#include <string>

#include "platform/file_system.h"

using TitleSink = std::function<void(const std::string& title)>;

// Reads the database at `path` once and hands each title to `add` as soon as
// its line is read. Throws EInOutError; titles handed over before stay added.
void ReadTitleList(const std::string& path, const TitleSink& add,
                   os::FileSystem& fs = os::SystemFileSystem());
