// The pause of the Convert action: handle pending window messages until the
// millisecond counter has moved on by more than the given time.
#pragma once

#include <cstdint>
#include <functional>

// Pumps at least once. The time passed is measured as (now - start) in
// unsigned 32-bit arithmetic, so the pause is full length at any uptime,
// across 2^31 and across the counter's wrap at 2^32.
void PauseFor(std::int32_t milliseconds, const std::function<std::uint32_t()>& tickCount,
              const std::function<void()>& processMessages);
