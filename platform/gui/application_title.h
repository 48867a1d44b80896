// The application title from the program file's path: the file name
// without its extension, all but its first byte lower-cased
// (C:\APPS\TOOL.EXE gives "Tool", D:\Work\my.tool.exe gives "my").
#pragma once

#include <functional>
#include <string>

// `isLeadByte` tells the first byte of a double-byte character, so that a
// backslash that is a trail byte is not taken for a separator; `lower`
// lower-cases bytes in the ANSI code page.
std::string ApplicationTitleFromPath(const std::string& path,
                                     const std::function<bool(unsigned char)>& isLeadByte,
                                     const std::function<std::string(const std::string&)>& lower);
