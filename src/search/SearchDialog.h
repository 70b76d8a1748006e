#pragma once

#include <QDialog>

class Listbox;

// The search-and-replace dialog over one document window's list.
class SearchDialog final : public QDialog {
    Q_OBJECT
public:
    explicit SearchDialog(QWidget* parent = nullptr);

    // The list the dialog reads and changes.
    Listbox* Lista = nullptr;

    // Whether a replacement changed any cell while the dialog was open.
    bool changedCells() const { return false; }
};
