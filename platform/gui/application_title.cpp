#include "platform/gui/application_title.h"

std::string ApplicationTitleFromPath(const std::string& path,
                                     const std::function<bool(unsigned char)>& isLeadByte,
                                     const std::function<std::string(const std::string&)>& lower) {
  std::size_t nameStart = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto b = static_cast<unsigned char>(path[i]);
    if (isLeadByte(b)) {
      ++i;  // skip the trail byte
    } else if (b == '\\') {
      nameStart = i + 1;
    }
  }
  std::string name = path.substr(nameStart);
  name = name.substr(0, name.find('.'));
  if (name.size() > 1) name = name.substr(0, 1) + lower(name.substr(1));
  return name;
}
