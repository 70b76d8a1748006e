#include "platform/ListboxView.h"

#include "platform/Events.h"
#include "platform/Listbox.h"
#include "platform/ListboxModel.h"

#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>

ListboxView::ListboxView(Listbox& owner)
    : QTableView(&owner)
    , mOwner(owner)
{
}

QString ListboxView::keyText(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QStringLiteral("\t");
    case Qt::Key_Escape:
        return QString(QChar(27));
    case Qt::Key_Backspace:
        return QString(QChar(8));
    case Qt::Key_Delete:
        return QString(QChar(127));
    case Qt::Key_Left:
        return QString(QChar(28));
    case Qt::Key_Right:
        return QString(QChar(29));
    case Qt::Key_Up:
        return QString(QChar(30));
    case Qt::Key_Down:
        return QString(QChar(31));
    case Qt::Key_Home:
        return QString(QChar(1));
    case Qt::Key_End:
        return QString(QChar(4));
    case Qt::Key_PageUp:
        return QString(QChar(11));
    case Qt::Key_PageDown:
        return QString(QChar(12));
    default:
        return event.text();
    }
}

bool ListboxView::raiseCellClick(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (mInDoubleClick || !index.isValid() || !mOwner.CellClick)
        return false;
    const QRect cell = visualRect(index);
    return mOwner.CellClick(index.row(), index.column(), pos.x() - cell.x(), pos.y() - cell.y());
}

void ListboxView::mousePressEvent(QMouseEvent* event)
{
    if (raiseCellClick(event)) {
        event->accept();
        return;
    }
    // A press below the rows keeps the selection: the list always holds one once made.
    if (!indexAt(event->position().toPoint()).isValid()) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void ListboxView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press too; the view's own handling may
    // treat it as one, which must not raise it twice.
    const bool onCell = indexAt(event->position().toPoint()).isValid();
    if (!raiseCellClick(event)) {
        mInDoubleClick = true;
        QTableView::mouseDoubleClickEvent(event);
        mInDoubleClick = false;
    }
    if (onCell && mOwner.DoubleClick)
        mOwner.DoubleClick();
}

void ListboxView::keyPressEvent(QKeyEvent* event)
{
    // Keys an open editor lets through belong to the editor, not to the list.
    if (state() != EditingState && mOwner.KeyDown) {
        const QString key = keyText(*event);
        if (!key.isEmpty() && mOwner.KeyDown(key)) {
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void ListboxView::contextMenuEvent(QContextMenuEvent* event)
{
    mOwner.showContextMenu(event->pos(), event->globalPos());
    event->accept();
}

void ListboxView::startDrag(Qt::DropActions)
{
    // The rows dragged are the selection; no list of every selected cell is built.
    auto* drag = new QDrag(this);
    drag->setMimeData(model()->mimeData({}));
    Events::NestedLoop nested;
    mDragging = true;
    drag->exec(Qt::MoveAction);
    mDragging = false;
}

void ListboxView::hideEvent(QHideEvent* event)
{
    // A drag from a list whose window closes ends with it: nothing is dropped.
    if (mDragging)
        QDrag::cancel();
    QTableView::hideEvent(event);
}

void ListboxView::dragEnterEvent(QDragEnterEvent* event)
{
    // Rows come only from this list's own rows, whoever carries them.
    QTableView::dragEnterEvent(event);
    if (mOwner.mModel->isOwnDrag(event->mimeData())) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ListboxView::dropEvent(QDropEvent* event)
{
    if (!mOwner.mModel->isOwnDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    int before = model()->rowCount();
    if (index.isValid())
        before = index.row() + (pos.y() >= visualRect(index).center().y() ? 1 : 0);
    event->setDropAction(Qt::MoveAction);
    event->accept();
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
    mOwner.moveSelectedRows(before);
}

void ListboxView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    mOwner.applyColumnWidths();
}
