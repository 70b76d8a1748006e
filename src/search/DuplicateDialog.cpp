#include "search/DuplicateDialog.h"

DuplicateDialog::DuplicateDialog(QWidget* parent)
    : QDialog(parent)
{
}
