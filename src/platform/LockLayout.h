#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

// Keeps controls at their design geometry, moving and stretching each with the window
// edges it is locked to when the container is resized. A label whose text does not fit
// its design rectangle grows to its text.
class LockLayout final : public QObject {
    Q_OBJECT
public:
    enum Lock { Left = 1, Top = 2, Right = 4, Bottom = 8 };

    LockLayout(QWidget* container, QSize designSize);

    // Places the control at its design rectangle; locks is a combination of Lock.
    void add(QWidget* control, QRect design, int locks);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QWidget* control;
        QRect design;
        int locks;
    };
    void apply();

    QWidget* mContainer;
    QSize mDesign;
    std::vector<Entry> mEntries;
};
