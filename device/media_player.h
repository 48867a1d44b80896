// The CD audio device, as the Convert action uses it: open it, ask for the
// total length of the disc (the disc number), close it again. Stands in for
// the media player component of the main window; it is never shown.
#pragma once

#include <cstdint>
#include <memory>

#include "device/mci_port.h"
#include "platform/exception.h"

// A device failure; the message is the device's own error text.
class EMCIDeviceError : public Exception {
 public:
  using Exception::Exception;
};

class TMediaPlayer {
 public:
  explicit TMediaPlayer(std::unique_ptr<mci::Port> port = mci::SystemPort());
  // A device still held (a refused close) is closed; the result is ignored.
  ~TMediaPlayer();
  TMediaPlayer(const TMediaPlayer&) = delete;
  TMediaPlayer& operator=(const TMediaPlayer&) = delete;

  // Opens "CDAudio" and sets the TMSF time format; throws EMCIDeviceError
  // when the open is refused. A device still held is closed first.
  void OpenDevice();
  // The total length of the disc as the device reports it in TMSF format:
  // MSF packed (minutes + 256 * seconds + 65536 * frames), read as signed.
  std::int32_t QueryTotalLength();
  // Never throws; a refused close keeps the device held.
  void CloseDevice();

  bool IsOpen() const { return open_; }
  std::uint16_t DeviceId() const { return deviceId_; }
  std::uint32_t LastResult() const { return lastResult_; }

 private:
  std::uint32_t SendClose();
  std::string ErrorText(std::uint32_t error);

  std::unique_ptr<mci::Port> port_;
  bool open_ = false;
  std::uint16_t deviceId_ = 0;
  std::uint32_t lastResult_ = 0;
};
