#include "X11Probe.h"

#include <QGuiApplication>
#include <QProcess>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace X11Probe {

namespace {

constexpr uint32_t kHintsFunctions = 1u << 0;
constexpr uint32_t kHintsDecorations = 1u << 1;
constexpr uint32_t kAll = 1u << 0;
// WM_NORMAL_HINTS: flags, then 4 obsolete fields, then the minimum and maximum sizes.
constexpr uint32_t kMinSize = 1u << 4;
constexpr uint32_t kMaxSize = 1u << 5;

xcb_connection_t* connection()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

struct Free {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, Free>;

xcb_atom_t atom(const char* name)
{
    xcb_connection_t* c = connection();
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, false, uint16_t(strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QString atomName(xcb_atom_t a)
{
    xcb_connection_t* c = connection();
    Reply<xcb_get_atom_name_reply_t> reply(xcb_get_atom_name_reply(c, xcb_get_atom_name(c, a), nullptr));
    if (!reply)
        return QString();
    return QString::fromLatin1(xcb_get_atom_name_name(reply.get()), xcb_get_atom_name_name_length(reply.get()));
}

// The 32-bit values of a property, empty when it is missing.
QList<uint32_t> values(uint32_t window, xcb_atom_t property)
{
    xcb_connection_t* c = connection();
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, false, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr));
    QList<uint32_t> list;
    if (!reply || reply->format != 32)
        return list;
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    const int n = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < n; ++i)
        list << data[i];
    return list;
}

bool allows(bool named, uint32_t field, uint32_t bit)
{
    if (!named)
        return true;
    return (field & kAll) ? !(field & bit) : (field & bit) != 0;
}

} // namespace

bool Available()
{
    return connection() != nullptr;
}

uint32_t WindowOf(const QWidget* widget)
{
    return uint32_t(widget->window()->winId());
}

bool WindowManagerRuns()
{
    xcb_connection_t* c = connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    return !values(root, atom("_NET_SUPPORTING_WM_CHECK")).isEmpty();
}

bool MotifHints::allowsFunction(uint32_t function) const
{
    return allows(flags & kHintsFunctions, functions, function);
}

bool MotifHints::namesDecorations() const
{
    return flags & kHintsDecorations;
}

bool MotifHints::allowsDecoration(uint32_t decoration) const
{
    return allows(flags & kHintsDecorations, decorations, decoration);
}

QString MotifHints::text() const
{
    if (!present)
        return QStringLiteral("none");
    return QStringLiteral("flags %1 functions %2 decorations %3")
        .arg(flags, 0, 16)
        .arg(functions, 0, 16)
        .arg(decorations, 0, 16);
}

MotifHints Motif(uint32_t window)
{
    const QList<uint32_t> v = values(window, atom("_MOTIF_WM_HINTS"));
    MotifHints hints;
    if (v.size() < 3)
        return hints;
    hints.present = true;
    hints.flags = v[0];
    hints.functions = v[1];
    hints.decorations = v[2];
    return hints;
}

SizeHints NormalHints(uint32_t window)
{
    const QList<uint32_t> v = values(window, XCB_ATOM_WM_NORMAL_HINTS);
    SizeHints hints;
    if (v.size() < 9)
        return hints;
    if (v[0] & kMinSize)
        hints.minimum = QSize(int(v[5]), int(v[6]));
    if (v[0] & kMaxSize)
        hints.maximum = QSize(int(v[7]), int(v[8]));
    return hints;
}

uint32_t TransientFor(uint32_t window)
{
    const QList<uint32_t> v = values(window, XCB_ATOM_WM_TRANSIENT_FOR);
    return v.isEmpty() ? 0 : v.first();
}

QStringList AtomNames(uint32_t window, const char* property)
{
    QStringList names;
    for (uint32_t a : values(window, atom(property)))
        names << atomName(a);
    return names;
}

bool Managed(uint32_t window)
{
    return !values(window, atom("WM_STATE")).isEmpty();
}

uint32_t CursorSerial()
{
    xcb_connection_t* c = connection();
    Reply<xcb_xfixes_get_cursor_image_reply_t> reply(
        xcb_xfixes_get_cursor_image_reply(c, xcb_xfixes_get_cursor_image(c), nullptr));
    return reply ? reply->cursor_serial : 0;
}

bool MovePointer(const QWidget* widget, QPoint at)
{
    // Relative to the X window, wherever a window manager has put its frame.
    const QPoint p = widget->mapTo(widget->window(), at);
    return QProcess::execute(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(WindowOf(widget)),
                   QString::number(p.x()), QString::number(p.y())})
        == 0;
}

bool Activate(const QWidget* widget)
{
    // Without a window manager nobody but the client sets the focus.
    const QString how = WindowManagerRuns() ? QStringLiteral("windowactivate") : QStringLiteral("windowfocus");
    return QProcess::execute(QStringLiteral("xdotool"),
               {how, QStringLiteral("--sync"), QString::number(WindowOf(widget))})
        == 0;
}

bool PressKeys(const QString& keys)
{
    return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}) == 0;
}

} // namespace X11Probe
