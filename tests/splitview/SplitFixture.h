#pragma once

#include "splitview/Splitview.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

// A split view inside a window, away from the window's corner, with panes at their
// design geometry (12 pixels apart, as a form designer leaves them) and a clock the
// test sets by hand.
struct SplitFixture {
    QWidget window;
    Splitview* sv;
    QList<QWidget*> panes;
    bool vertical;
    int32_t now = 1000;
    int32_t interval = 30;
    QStringList events;

    explicit SplitFixture(const QList<int>& sizes, bool isVertical = true, int extent = 976)
        : vertical(isVertical)
    {
        window.resize(1100, 700);
        sv = new Splitview(&window);
        sv->setGeometry(50, 30, vertical ? extent : 976, vertical ? 556 : extent);
        int p = 0;
        for (int s : sizes) {
            auto* pane = new QWidget(sv);
            if (vertical)
                pane->setGeometry(p, 0, s, sv->height());
            else
                pane->setGeometry(0, p, sv->width(), s);
            p += s + 12;
            panes << pane;
        }
        sv->setTicks([this] { return now; });
        sv->setDoubleClickTicks([this] { return interval; });
        sv->Open_.connect(sv, [this] { sv->setVertical(vertical); });
    }

    void open()
    {
        sv->Open();
        window.show();
        sv->grab();
    }

    // The document window's answers: every pane at least 120, only the last may collapse.
    void documentWindowRules()
    {
        sv->MinSizeOfSubview.connect(sv, [](QWidget*, int& min) {
            min = 120;
            return true;
        });
        sv->CanCollapseSubview.connect(sv, [this](QWidget* v) { return v == panes.last(); });
    }

    void mayCollapse(const QList<int>& which)
    {
        sv->CanCollapseSubview.connect(sv, [this, which](QWidget* v) { return which.contains(int(panes.indexOf(v))); });
    }

    QPoint at(int c) const { return vertical ? QPoint(c, 278) : QPoint(488, c); }
    void press(int c) { QTest::mousePress(sv, Qt::LeftButton, {}, at(c)); }
    void move(int c) { QTest::mouseMove(sv, at(c)); }
    void release(int c) { QTest::mouseRelease(sv, Qt::LeftButton, {}, at(c)); }
    // A drag well after any earlier click, so its release is a single click.
    void drag(int from, int to)
    {
        now += 100;
        press(from);
        move(to);
        release(to);
    }
    void click(int c, int32_t when)
    {
        now = when;
        press(c);
        release(c);
    }
    void hover(int c)
    {
        QMouseEvent e(QEvent::MouseMove, at(c), sv->mapToGlobal(at(c)), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(sv, &e);
    }

    int size(int i) const { return vertical ? panes[i]->width() : panes[i]->height(); }
    int pos(int i) const { return vertical ? panes[i]->x() : panes[i]->y(); }
    QList<int> sizes() const
    {
        QList<int> all;
        for (int i = 0; i < panes.size(); ++i)
            all << size(i);
        return all;
    }
    QList<int> positions() const
    {
        QList<int> all;
        for (int i = 0; i < panes.size(); ++i)
            all << pos(i);
        return all;
    }
};
