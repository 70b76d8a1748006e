#pragma once

#include <QString>
#include <QVariant>

class HTMLViewer;

namespace Bench {

// The script's result; it runs after every script sent before it. Nothing after the
// time-out.
QVariant evaluate(HTMLViewer& view, const QString& script, int timeoutMs = 300000);
// True once the map page has loaded and its channel to the program is up (30 s at most).
bool waitForPage(HTMLViewer& view);

}  // namespace Bench
