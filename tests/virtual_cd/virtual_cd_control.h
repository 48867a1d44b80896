// The test side of the virtual CD audio device: registers the driver DLL
// that lies beside the running test program for "CDAudio", writes its
// settings, and reads its command log.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct VirtualCdSettings {
  unsigned minutes = 47, seconds = 32, frames = 15;
  unsigned long openError = 0, closeError = 0;
};

class VirtualCd {
 public:
  // `dir` holds the settings file and the log. Sets KORVANY_VIRTUAL_CD for
  // this process and the programs it starts.
  explicit VirtualCd(const std::string& dir);
  ~VirtualCd();

  static bool Register();    // the registry's MCI value cdaudio -> our DLL
  static bool Unregister();  // no cdaudio value at all

  void Configure(const VirtualCdSettings& settings);
  std::vector<std::string> Log() const;  // one line per command received
  void ClearLog();
  const std::string& SettingsPath() const { return settings_; }

 private:
  std::string settings_, log_;
};

}  // namespace testing_support
