#include "window/EntryRow.h"

#include "window/Applicazione.h"

EntryRow::EntryRow(Applicazione& window)
    : w(window)
{
}

void EntryRow::AggiungiPdiManuale()
{
}

void EntryRow::MostraLunghezzaTitolo()
{
}
