// The product's MCI binding: winmm's mciSendCommandA and mciGetErrorStringA.
#include <windows.h>
#include <mmsystem.h>

#include "device/mci_port.h"

namespace mci {
namespace {

class Win32Port final : public Port {
 public:
  ~Win32Port() override {
    if (window_) DestroyWindow(window_);
  }

  std::uint32_t SendCommand(const Command& c, Reply& reply) override {
    const DWORD_PTR cb = c.callback;
    switch (c.message) {
      case kOpen: {
        MCI_OPEN_PARMSA p{};
        p.dwCallback = cb;
        p.lpstrDeviceType = c.deviceType.c_str();
        const MCIERROR rc = Send(c, &p);
        reply.deviceId = p.wDeviceID;
        return rc;
      }
      case kSet: {
        MCI_SET_PARMS p{};
        p.dwTimeFormat = c.timeFormat;
        return Send(c, &p);
      }
      case kStatus: {
        MCI_STATUS_PARMS p{};
        p.dwItem = c.item;
        const MCIERROR rc = Send(c, &p);
        reply.returned = p.dwReturn;
        return rc;
      }
      default: {  // close, and anything with a generic block
        MCI_GENERIC_PARMS p{};
        p.dwCallback = cb;
        return Send(c, &p);
      }
    }
  }

  bool GetErrorString(std::uint32_t error, char* buffer, std::uint32_t size) override {
    return mciGetErrorStringA(error, buffer, size) != FALSE;
  }

  // A hidden message-only window: MCI_NOTIFY is never asked for, so it only
  // has to exist, as the component's own window does.
  std::uintptr_t CallbackWindow() override {
    if (!window_)
      window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    return reinterpret_cast<std::uintptr_t>(window_);
  }

 private:
  template <class Parms>
  static MCIERROR Send(const Command& c, Parms* p) {
    return mciSendCommandA(c.deviceId, c.message, c.flags, reinterpret_cast<DWORD_PTR>(p));
  }

  HWND window_ = nullptr;
};

}  // namespace

std::unique_ptr<Port> SystemPort() { return std::make_unique<Win32Port>(); }

}  // namespace mci
