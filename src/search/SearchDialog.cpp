#include "search/SearchDialog.h"

SearchDialog::SearchDialog(QWidget* parent)
    : QDialog(parent)
{
}
