#pragma once

#include <QList>
#include <QStringList>

class Applicazione;
class Listbox;

// Rows of a document window's list, as tests put them in and read them back.
namespace WindowRows {
// Adds rows "P0", "P1", ... at 43.i, 10.i, unmarked, and leaves the window unmodified.
void AddNumberedRows(Applicazione& w, int rows);
// The rows whose check box is marked, in order.
QList<int> MarkedRows(const Listbox& list);
// The texts of one column of all rows, in order.
QStringList Column(const Listbox& list, int column);
// The descriptions of all rows, in order.
QStringList Descriptions(const Listbox& list);
}  // namespace WindowRows
