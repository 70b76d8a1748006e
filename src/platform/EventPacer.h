#pragma once

#include <QElapsedTimer>

// Event processing for a loop that looks for events at every row of a long list. Events
// posted within the program are handled at every call; the window system and timers are
// polled at most once a millisecond, since a poll costs a system call, more than a row's
// own work, and a millisecond is far below what a user notices.
class EventPacer {
public:
    void DoEvents();

private:
    QElapsedTimer mPolled;
};
