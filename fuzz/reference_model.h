// A second, independent reading of the database rules, for differential
// fuzzing: it splits the whole database in memory into the lines that a
// reader sees, then applies the title and conversion rules to that list.
// No blocks, no streaming.
#pragma once

#include <string>
#include <vector>

namespace model {

// The lines a reader gets: read one, stop when the data is at its end.
std::vector<std::string> ReaderLines(const std::string& database);
std::vector<std::string> Titles(const std::string& database);
// The bytes of the disc list file.
std::string Convert(const std::string& database, const std::string& title);

}  // namespace model
