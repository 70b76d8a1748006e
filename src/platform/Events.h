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

// Marks a stretch in which events are handled inside the handling of another: an event
// pass, a modal dialog or menu, a network wait. Whatever started it is still on the stack
// below, so nothing it uses may be freed meanwhile.
class NestedLoop {
public:
    NestedLoop();
    ~NestedLoop();
    NestedLoop(const NestedLoop&) = delete;
    NestedLoop& operator=(const NestedLoop&) = delete;
};
// Whether such a stretch is under way.
bool IsNested();
}  // namespace Events
