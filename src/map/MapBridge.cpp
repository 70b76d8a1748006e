#include "map/MapBridge.h"

#include "window/Applicazione.h"

MapBridge::MapBridge(Applicazione& window)
    : w(window)
{
}

void MapBridge::InizializzaMappa()
{
}

void MapBridge::GMapMessaggio(const QString&)
{
}

void MapBridge::GMapCambiaCoordinate(const QString&)
{
}

void MapBridge::GMapLeggiCoordinate(const QString&)
{
}

void MapBridge::GMapSelezionaPoi(const QString&)
{
}

void MapBridge::MostraPunto(int)
{
}

void MapBridge::EliminaTutto()
{
}

void MapBridge::AggiungiPdi(int)
{
}

void MapBridge::AdattaZoom()
{
}

void MapBridge::EliminaPdi(const QString&)
{
}

void MapBridge::EliminaPdiRicerca()
{
}

void MapBridge::CercaIndirizzo(const QString&)
{
}

void MapBridge::MostraRicercaTelefono(const QString&, const QString&, const QString&)
{
}
