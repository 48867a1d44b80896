#include "ui/pause.h"

void PauseFor(std::int32_t milliseconds, const std::function<std::uint32_t()>& tickCount,
              const std::function<void()>& processMessages) {
  const std::uint32_t start = tickCount();
  for (;;) {
    processMessages();
    if (milliseconds < 0) return;  // already past: one round of messages
    const std::uint32_t elapsed = tickCount() - start;
    if (elapsed > static_cast<std::uint32_t>(milliseconds)) return;
  }
}
