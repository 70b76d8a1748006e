#pragma once

#include <QDialog>

class Listbox;

// The duplicate dialog: marks the POIs of one document window's list that lie close together.
class DuplicateDialog final : public QDialog {
    Q_OBJECT
public:
    explicit DuplicateDialog(QWidget* parent = nullptr);

    // The list the dialog reads and marks.
    Listbox* Lista = nullptr;
};
