#include "platform/ListboxDelegate.h"

#include "platform/Listbox.h"
#include "platform/ListboxView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace {

const char* const CellProperty = "listboxCell";

// Decimal columns keep room for this many places after the point; a longer fraction
// moves its number left, as far as the cell's right edge needs.
constexpr int kDecimalPlaces = 6;

// Where a decimal cell's text starts so that its point (or, without one, its end) stands
// where every other cell of the column has its own. Worked in fractions of a pixel: glyphs
// stand at fractional places, and rounded widths would let points drift apart by one.
qreal decimalTextLeft(const QFontMetricsF& metrics, const QRectF& room, const QString& text)
{
    const qsizetype point = text.indexOf(u'.');
    const qreal whole = metrics.horizontalAdvance(text.left(point < 0 ? text.size() : point));
    const qreal width = metrics.horizontalAdvance(text);
    const qreal pointAt = room.right() - metrics.horizontalAdvance(QLatin1Char('.'))
        - kDecimalPlaces * metrics.horizontalAdvance(QLatin1Char('0'));
    return std::min(pointAt - whole, room.right() - width);
}

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
    if (mOwner.ColumnAlignment(index.column()) == Listbox::AlignDecimal)
        paintDecimal(painter, cell, index);
    else
        QStyledItemDelegate::paint(painter, cell, index);
    const QWidget* view = option.widget;
    const int grid = view ? view->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, view) : 0;
    painter->save();
    painter->setPen(grid ? QColor::fromRgba(QRgb(grid)) : option.palette.color(QPalette::Mid));
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
}

void ListboxDelegate::paintDecimal(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    QStyleOptionViewItem cell(option);
    initStyleOption(&cell, index);
    const QWidget* view = option.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    const QString text = cell.text;
    QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, view);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    room.adjust(margin, 0, -margin, 0);
    // The cell without its text, as the style draws it; then the text at its point.
    cell.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);

    const QPalette::ColorGroup group = !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
        : (cell.state & QStyle::State_Active)                            ? QPalette::Normal
                                                                         : QPalette::Inactive;
    const QPalette::ColorRole role = (cell.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    const QRectF area(room);
    const qreal left = decimalTextLeft(QFontMetricsF(cell.font), area, text);
    painter->save();
    painter->setClipRect(room);
    painter->setFont(cell.font);
    painter->setPen(cell.palette.color(group, role));
    painter->drawText(QRectF(left, area.top(), area.right() - left, area.height()),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
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
