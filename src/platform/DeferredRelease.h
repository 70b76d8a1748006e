#pragma once

class QObject;

// Frees objects only when the event loop is back at its base, with no event pass, modal
// dialog, menu or network wait nested inside an event's handling: then none of their code
// can still be on the stack. Closing a window while its own work has handed control to the
// event loop (a loop over the list, a dialog, a wait) must not free it under that work.
namespace DeferredRelease {
// Takes the object and frees it at the first such moment.
void Release(QObject* object);
// Frees every object still waiting; for the end of the program, once its loop has returned.
void ReleaseAll();
}  // namespace DeferredRelease
