#pragma once

#include <QString>
#include <QVariant>

#include <functional>

class HTMLViewer;

// Reads a web view's page back for tests: runs script and waits for its result.
namespace PageProbe {
// The script's result, or an invalid QVariant when none came within the time-out.
QVariant Evaluate(HTMLViewer& view, const QString& script, int timeoutMs = 10000);
// Waits until the map page is loaded and its web channel is up.
bool WaitForMapPage(HTMLViewer& view, int timeoutMs = 20000);
// The map page's own account of itself (LumetraMap.state()).
QVariantMap MapState(HTMLViewer& view);
// The map page's state once it has run every script sent before.
QVariantMap SettledState(HTMLViewer& view);
// Runs the event loop as the program does until the condition holds; false when it did not
// within the time-out. QTest's waits pause between their turns, and a page's stream of
// callbacks then goes one callback a pause.
bool RunUntil(const std::function<bool()>& condition, int timeoutMs = 30000);
// Clicks the view, as the user would, until the page says it heard a click (its script
// sets window.clicked): a click reaches the page once its document has been drawn.
bool ClickUntilHeard(HTMLViewer& view);
// Has the page say `text` through alert() once an image that cannot load has failed: what
// the page's scripts and failed images were to say before it has been said by then.
void SendAlertProbe(HTMLViewer& view, const QString& text);
}  // namespace PageProbe
