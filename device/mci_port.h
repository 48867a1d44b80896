// The Windows multimedia control interface as the media player needs it:
// send one command, look up an error text. The core never includes
// <windows.h>; the Win32 binding fills the real MCI parameter blocks from a
// Command, every field it does not name left zero.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace mci {

inline constexpr std::uint32_t kOpen = 0x803;
inline constexpr std::uint32_t kClose = 0x804;
inline constexpr std::uint32_t kSet = 0x80D;
inline constexpr std::uint32_t kStatus = 0x814;

inline constexpr std::uint32_t kWait = 0x2;
inline constexpr std::uint32_t kOpenType = 0x2000;
inline constexpr std::uint32_t kSetTimeFormat = 0x400;
inline constexpr std::uint32_t kStatusItem = 0x100;
inline constexpr std::uint32_t kTrack = 0x10;

inline constexpr std::uint32_t kFormatTmsf = 10;
inline constexpr std::uint32_t kStatusLength = 1;

// One mciSendCommand call: device ID, command, flags, and the fields of the
// parameter block that the command fills.
struct Command {
  std::uint32_t deviceId = 0;
  std::uint32_t message = 0;
  std::uint32_t flags = 0;
  std::uintptr_t callback = 0;  // dwCallback (open, close)
  std::string deviceType;       // lpstrDeviceType (open)
  std::uint32_t timeFormat = 0; // dwTimeFormat (set)
  std::uint32_t item = 0;       // dwItem (status)
};

// What the command wrote back into its parameter block.
struct Reply {
  std::uint32_t deviceId = 0;   // wDeviceID (open)
  std::uintptr_t returned = 0;  // dwReturn (status)
};

class Port {
 public:
  virtual ~Port() = default;
  // The command's result: 0, or an MCI error code.
  virtual std::uint32_t SendCommand(const Command& command, Reply& reply) = 0;
  // mciGetErrorString: true when the system has a text for `error`.
  virtual bool GetErrorString(std::uint32_t error, char* buffer, std::uint32_t size) = 0;
  // The handle of the component's own window, made the first time it is asked for.
  virtual std::uintptr_t CallbackWindow() = 0;
};

// The binding of the platform this program was built for.
std::unique_ptr<Port> SystemPort();

}  // namespace mci
