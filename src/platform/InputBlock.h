#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// While it lives, the user's input to the windows open when it began is dropped (not
// deferred, so nothing typed meanwhile is replayed later) and the cursor shows that the
// program is busy; everything else, painting included, goes on. For waits that run their
// own event loop. A modal window opened during the wait (a message from the map page, say)
// still takes input, or nobody could close it. Closing a window is no input: a window
// closed during the wait closes, and the wait's owner sees it when the wait ends.
class InputBlock final : public QObject {
    Q_OBJECT
public:
    InputBlock();
    ~InputBlock() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ForNewModalWindow(QObject* watched) const;

    QPointer<QWidget> mModal;
};
