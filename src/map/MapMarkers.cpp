#include "map/MapMarkers.h"

#include "window/Applicazione.h"

MapMarkers::MapMarkers(Applicazione& window)
    : w(window)
{
}

void MapMarkers::CaricaPdiMappa()
{
}

void MapMarkers::SvuotaPdiMappa()
{
}

void MapMarkers::MostraPdiNelRaggio(double, double, double)
{
}

void MapMarkers::MostraPdiVicino()
{
}
