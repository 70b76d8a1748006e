#include "support/WindowRows.h"

#include "platform/Listbox.h"
#include "window/Applicazione.h"

namespace WindowRows {

void AddNumberedRows(Applicazione& w, int rows)
{
    for (int i = 0; i < rows; ++i)
        w.AggiungiPdiAllaLista(QStringLiteral("P%1").arg(i), QStringLiteral("43.%1").arg(i),
                               QStringLiteral("10.%1").arg(i), QStringLiteral("0"));
    w.setModificato(false);
}

QList<int> MarkedRows(const Listbox& list)
{
    QList<int> rows;
    for (int row = 0; row < list.ListCount(); ++row) {
        if (list.CellCheck(row, 0))
            rows << row;
    }
    return rows;
}

QStringList Column(const Listbox& list, int column)
{
    QStringList texts;
    for (int row = 0; row < list.ListCount(); ++row)
        texts << list.Cell(row, column);
    return texts;
}

QStringList Descriptions(const Listbox& list)
{
    return Column(list, 0);
}

}  // namespace WindowRows
