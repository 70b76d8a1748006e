#pragma once

#include "platform/HTMLViewer.h"

#include <QtGlobal>

namespace Bench {

// Before the QApplication: no screen needed, and a web view that runs as root.
inline void PrepareHeadlessWebView()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    HTMLViewer::RegisterSchemes();
}

}  // namespace Bench
