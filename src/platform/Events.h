#pragma once

#include <cstdint>

// The framework's event processing and clock.
namespace Events {
// Processes the pending events now and comes back (App.DoEvents with -1).
void DoEvents();
// Sixtieths of a second since the program started.
int32_t Ticks();
// The system's double-click interval, in ticks.
int32_t DoubleClickTicks();
}  // namespace Events
