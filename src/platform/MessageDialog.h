#pragma once

#include <QString>

// A message dialog with up to three buttons; which one was pressed is the result.
struct MessageDialog {
    struct Button {
        QString Caption;
        bool Visible = true;
    };
    enum class Pressed { Action, Cancel, Alternate };

    QString Title;
    int Icon = 0;  // 0 note, 1 warning, 2 stop/caution, 3 question
    QString Message;
    QString Explanation;
    Button ActionButton{QStringLiteral("OK"), true};
    Button CancelButton{QStringLiteral("Cancel"), false};
    Button AlternateActionButton{QString(), false};
};
