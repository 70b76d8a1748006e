#pragma once

#include <QObject>

// While it lives, the user's input to every window is dropped (not deferred, so nothing
// typed meanwhile is replayed later) and the cursor shows that the program is busy;
// everything else, painting included, goes on. For waits that run their own event loop.
class InputBlock final : public QObject {
    Q_OBJECT
public:
    InputBlock();
    ~InputBlock() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
