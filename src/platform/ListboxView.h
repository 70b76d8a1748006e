#pragma once

#include <QTableView>

class Listbox;
class QKeyEvent;

// The table view inside a Listbox: it turns mouse presses, keys, contextual clicks and
// drops into the list's events.
class ListboxView final : public QTableView {
    Q_OBJECT
public:
    explicit ListboxView(Listbox& owner);

    // The framework's text of a key: its characters, "\r" for Return, chr 28 to 31 for
    // the arrows and the other control characters of the navigation keys.
    static QString keyText(const QKeyEvent& event);

    // Brings the scroll range up to date with the rows, so a scroll position holds.
    void refreshGeometry() { updateGeometries(); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // True when a handler took the press.
    bool raiseCellClick(QMouseEvent* event);

    Listbox& mOwner;
    bool mInDoubleClick = false;
    bool mDragging = false;
};
