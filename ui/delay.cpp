#include "ui/delay.h"

#include <windows.h>

#include "platform/gui/application.h"
#include "ui/pause.h"

void Delay(std::int32_t milliseconds) {
  PauseFor(milliseconds, [] { return static_cast<std::uint32_t>(GetTickCount()); },
           [] { Application->ProcessMessages(); });
}
