#include "shell/AboutDialog.h"

void AboutDialog::ShowModal()
{
}
