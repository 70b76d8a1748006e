#pragma once

#include "platform/Event.h"

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

class QPainter;

// A container that lays its child widgets (its subviews) out side by side (vertical
// dividers) or one above the other, with a divider of one thickness between neighbours.
// The user drags a divider to share the space of the two panes beside it, and
// double-clicks it to collapse a pane or expand it again. The owner answers, through
// the handlers below, the divider thickness, which panes may collapse, their minimum
// and maximum sizes and the size of a pane that expands; a missing handler answers 0
// or false and the control uses its default.
//
// The size of a subview is its width when vertical and its height otherwise; its
// position is its x or y accordingly. Subviews are children of the control, so every
// position and mouse coordinate here is in the control's own coordinates.
class Splitview : public QWidget {
    Q_OBJECT
public:
    explicit Splitview(QWidget* parent = nullptr);

    // The owner's handlers. Open_ and Close_ are named apart from the methods that raise them.
    Event<int()> DividerThickness;
    Event<void()> Open_;
    Event<void()> Close_;
    Event<bool(QWidget*)> CanCollapseSubview;
    Event<bool(QWidget*, int&)> MinSizeOfSubview;
    Event<bool(QWidget*, int&)> MaxSizeOfSubview;
    Event<int(QWidget*)> ExpandingView;

    // Opens the control once its children exist: gathers the direct child widgets in
    // their creation order as subviews, builds the grip and raises Open_.
    void Open();
    // Raises Close_; the owner calls it when its window closes.
    void Close();

    // The clock the double click is measured with: ticks (sixtieths of a second) and
    // the double-click interval in ticks. The platform's clock unless set.
    void setTicks(std::function<int32_t()> ticks);
    void setDoubleClickTicks(std::function<int32_t()> interval);

    const QList<QWidget*>& Subviews() const;
    void DrawDivider(QPainter& g, int x, int y, int w, int h);
    void AddSubview(QWidget* v);
    void RemoveSubview(QWidget* v);
    bool Vertical() const;
    void setVertical(bool b);
    int GetDividerThickness();
    bool IsSubviewCollapsed(QWidget* v) const;
    void AdjustSubviews();
    int MouseInDivider(int x, int y);
    void AdjustSubviewsAroundDivider(int x, int y);
    bool IsDoubleClick();
    void CollapseView(QWidget* v);
    void ExpandView(QWidget* v);
    void CreateDividerImage();

    // The grip drawn in the middle of every divider, with its mask applied.
    const QPixmap& DotPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MouseDown(int x, int y);
    void MouseDrag(int x, int y);
    void MouseMove(int x, int y);
    void MouseExit();
    void MouseUp();

    // Lays the panes out again when the control's size is new.
    void fitToSize();
    int size(const QWidget* v) const;
    int position(const QWidget* v) const;
    void setSize(QWidget* v, int s);
    void setPosition(QWidget* v, int p);
    void recordCollapsed(QWidget* v);
    bool canCollapse(QWidget* v) const;

    QList<QWidget*> mSubviews;
    // Collapsed subviews, each with the text "width height" of its size when it collapsed.
    QHash<QWidget*, QString> mCollapsed;
    bool mVertical = false;
    int32_t mDividerThickness = 0;
    int32_t mCurrentDivider = 0;
    int32_t OffsetX = 0;
    int32_t OffsetY = 0;
    int32_t LastWidth = 0;
    int32_t LastHeight = 0;
    int32_t mClickTime = 0;
    // No click on a divider yet: the first click is single whatever the tick count.
    bool mClickTimeSet = false;
    QPixmap mDotPicture;
    int32_t mLastX = 0;
    int32_t mLastY = 0;
    // A press on a divider was taken: drag and release events belong to it.
    bool mPressed = false;

    std::function<int32_t()> mTicks;
    std::function<int32_t()> mDoubleClickTicks;
};
