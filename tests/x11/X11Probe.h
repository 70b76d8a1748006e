#pragma once

#include <QPoint>
#include <QSize>
#include <QStringList>

#include <cstdint>

class QWidget;

// What the X server holds of the program's windows, read over the program's own
// connection (so every request the program made before is seen), and the pointer moved
// by another client, as a user moves it.
namespace X11Probe {

// Whether the program runs on an X server (the xcb platform).
bool Available();
// The X window of a widget's top-level window.
uint32_t WindowOf(const QWidget* widget);
// Whether a window manager runs: it names its check window on the root window.
bool WindowManagerRuns();

// The functions and decorations a window asks of the window manager (_MOTIF_WM_HINTS).
struct MotifHints {
    bool present = false;
    uint32_t flags = 0;
    uint32_t functions = 0;
    uint32_t decorations = 0;
    // Whether the hints leave the window manager the function: all of them when the
    // hints name none, else those named, or all but those when "all" is named.
    bool allowsFunction(uint32_t function) const;
    // The same for a decoration, when the hints name decorations; when they do not, the
    // window manager decorates the window after the functions it allows.
    bool namesDecorations() const;
    bool allowsDecoration(uint32_t decoration) const;
    QString text() const;
};
enum : uint32_t {
    FunctionResize = 1u << 1,
    FunctionMove = 1u << 2,
    FunctionMinimize = 1u << 3,
    FunctionMaximize = 1u << 4,
    FunctionClose = 1u << 5,
    DecorationResize = 1u << 2,
    DecorationMinimize = 1u << 5,
    DecorationMaximize = 1u << 6,
};
MotifHints Motif(uint32_t window);

// The minimum and maximum sizes of WM_NORMAL_HINTS; empty sizes when not given.
struct SizeHints {
    QSize minimum;
    QSize maximum;
};
SizeHints NormalHints(uint32_t window);

// WM_TRANSIENT_FOR, or 0.
uint32_t TransientFor(uint32_t window);
// The names in an ATOM list property, such as _NET_WM_WINDOW_TYPE.
QStringList AtomNames(uint32_t window, const char* property);
// Whether a window manager manages the window (WM_STATE is its to set).
bool Managed(uint32_t window);

// The serial of the cursor the server shows now (XFixes): one number per cursor.
uint32_t CursorSerial();
// Moves the pointer to a point of the widget, through xdotool; false when that failed.
bool MovePointer(const QWidget* widget, QPoint at);
// Gives the widget's window the keyboard as a user's click would, through the window
// manager when one runs; false when that failed.
bool Activate(const QWidget* widget);
// Presses keys ("ctrl+q") on the window that has the keyboard, through xdotool, as a user
// does: the program reads them at its next event pass. False when that failed.
bool PressKeys(const QString& keys);

} // namespace X11Probe
