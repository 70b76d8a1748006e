#pragma once

#include <QString>

class Applicazione;

// Markers of the marked rows on the map, and marking the rows within a radius.
class MapMarkers {
public:
    explicit MapMarkers(Applicazione& window);

    void CaricaPdiMappa();
    void SvuotaPdiMappa();
    void MostraPdiNelRaggio(double latitude, double longitude, double radius);
    void MostraPdiVicino();

private:
    Applicazione& w;
};
