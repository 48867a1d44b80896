// Delay: a busy pause that keeps the window live by handling its messages.
#pragma once

#include <cstdint>

void Delay(std::int32_t milliseconds);
