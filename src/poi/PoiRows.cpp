#include "poi/PoiRows.h"

#include "window/Applicazione.h"

PoiRows::PoiRows(Applicazione& window)
    : w(window)
{
}

void PoiRows::InizializzaTabella()
{
}

void PoiRows::AggiungiPdiAllaLista(const QString&, const QString&, const QString&, const QString&)
{
}

void PoiRows::EliminaPdiDallaLista()
{
}

void PoiRows::EliminaPdiSelezionatoDallaLista()
{
}

void PoiRows::AggiornaNumeroPdiSelezionati()
{
}

void PoiRows::CancellaTuttiPdi()
{
}

void PoiRows::AggiornaIconaTelefono(const QString&, int)
{
}

void PoiRows::OrdinaPrimaMarcati(Listbox&)
{
}

QString PoiRows::GeoFormatter(double)
{
    return QString();
}
