#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class Listbox;

// Paints the cells of a Listbox (vertical grid lines, no focus frame, decimal columns
// lined up on their points) and gives them a line editor whose keys and text changes
// become the list's events.
class ListboxDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    ListboxDelegate(Listbox& owner, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Stores the open editor's text and closes it, as Return does, but at once.
    void commitOpenEditor();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    // A cell of a decimal column: its text placed so that the points of the column line up.
    void paintDecimal(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

    Listbox& mOwner;
    mutable QPointer<QWidget> mOpenEditor;
};
