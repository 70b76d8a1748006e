#pragma once

#include "platform/Event.h"
#include "platform/ListboxRows.h"

#include <QAbstractTableModel>
#include <QColor>

#include <vector>

// The table model behind a Listbox: its rows, headings and column alignments. Outside a
// batch every change is told with exact ranges; inside one nothing is told until the
// batch ends, and then a change of rows resets the views once and a change of cells
// repaints them once.
class ListboxModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListboxModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    // True for a drag that started in a view of this model.
    bool isOwnDrag(const QMimeData* data) const;

    int columns() const { return mColumns; }
    void setColumns(int count);
    QString heading(int column) const;
    void setHeading(int column, const QString& text);
    int alignment(int column) const;
    void setAlignment(int column, int alignment);

    const ListboxRows& rows() const { return mRows; }
    void insertRow(int row, QAnyStringView text);
    // A row whose cells, from column 0 on, hold these texts, made in one step; texts past
    // the last column are dropped.
    void insertRow(int row, const QAnyStringView* cells, int count);
    // Room for rows about to be inserted at the top and at the end, made in one step.
    void reserveRows(int atTop, int atEnd);
    // The row the last insertion made; -1 before any.
    int lastInserted() const { return mLastInserted; }
    void removeRow(int row);
    void clear();
    void setText(int row, int column, QAnyStringView text);
    void setChecked(int row, int column, bool checked);
    void setCheckBox(int row, int column, bool checkBox);
    void setPicture(int row, const QPixmap* picture);
    // The new row i is the old row order[i]; the views are reset.
    void reorder(const std::vector<int>& order);
    // These rows, in the order given, at the top; the views are reset.
    void moveToTop(const std::vector<int>& rows);

    void beginBatch();
    void endBatch();
    bool inBatch() const { return mBatch > 0; }

    // The colours of a painted cell; an invalid colour keeps the view's own.
    Event<QColor(int row, int column)> textColor;
    Event<QColor(int row, int column)> backgroundColor;

signals:
    // The user stored an edit in the cell or toggled its check box through a view.
    void userEdited(int row, int column);

private:
    void rowsChanging();
    void cellChanged(int row, int column, int role);

    ListboxRows mRows;
    std::vector<QString> mHeadings;
    std::vector<int> mAlignments;
    int mColumns = 1;
    int mLastInserted = -1;
    int mBatch = 0;
    bool mBatchReset = false;
    bool mBatchCells = false;
};
