#include "platform/ListboxDelegate.h"

#include "platform/Listbox.h"
#include "platform/ListboxView.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace {

const char* const CellProperty = "listboxCell";

}  // namespace

ListboxDelegate::ListboxDelegate(Listbox& owner, QObject* parent)
    : QStyledItemDelegate(parent)
    , mOwner(owner)
{
}

QWidget* ListboxDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const QPersistentModelIndex cell(index);
    editor->setProperty(CellProperty, QVariant::fromValue(cell));
    Listbox* owner = &mOwner;
    connect(editor, &QLineEdit::textEdited, editor, [owner, cell] {
        if (cell.isValid() && owner->CellTextChange)
            owner->CellTextChange(cell.row(), cell.column());
    });
    mOpenEditor = editor;
    return editor;
}

void ListboxDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (mOpenEditor == editor)
        mOpenEditor.clear();
    QStyledItemDelegate::destroyEditor(editor, index);
}

void ListboxDelegate::commitOpenEditor()
{
    QWidget* editor = mOpenEditor.data();
    if (!editor)
        return;
    mOpenEditor.clear();
    emit commitData(editor);
    emit closeEditor(editor, NoHint);
}

void ListboxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    QStyleOptionViewItem cell(option);
    cell.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, cell, index);
    const QWidget* view = option.widget;
    const int grid = view ? view->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, view) : 0;
    painter->save();
    painter->setPen(grid ? QColor::fromRgba(QRgb(grid)) : option.palette.color(QPalette::Mid));
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
}

bool ListboxDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (event->type() != QEvent::KeyPress || !editor)
        return QStyledItemDelegate::eventFilter(object, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QPersistentModelIndex cell = editor->property(CellProperty).value<QPersistentModelIndex>();
    const QString text = ListboxView::keyText(*key);
    if (cell.isValid() && mOwner.CellKeyDown && !text.isEmpty()
        && mOwner.CellKeyDown(cell.row(), cell.column(), text))
        return true;
    // Tab ends the edit where it is instead of moving on to edit the next cell.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        emit commitData(editor);
        emit closeEditor(editor, NoHint);
        return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
