// Native builds have no MCI: every open is refused and no text is known,
// so the media player reports its own "unknown error" text.
#include "device/mci_port.h"

namespace mci {
namespace {

constexpr std::uint32_t kCannotLoadDriver = 266;

class PosixPort final : public Port {
 public:
  std::uint32_t SendCommand(const Command&, Reply&) override { return kCannotLoadDriver; }
  bool GetErrorString(std::uint32_t, char*, std::uint32_t) override { return false; }
  std::uintptr_t CallbackWindow() override { return 0; }
};

}  // namespace

std::unique_ptr<Port> SystemPort() { return std::make_unique<PosixPort>(); }

}  // namespace mci
