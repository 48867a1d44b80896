// Byte-string helpers for looking into database lines. Positions count
// bytes from 1; nothing here knows about double-byte characters.
#pragma once

#include <cstdint>
#include <string>

// Position of the first occurrence of `pattern` in `text`, from 1; 0 when
// there is none or either string is empty.
std::int64_t FindPos(const std::string& pattern, const std::string& text);

// At most `count` bytes of `text` from position `start` (below 1 counts as 1).
std::string CopyBytes(const std::string& text, std::int64_t start, std::int64_t count);
