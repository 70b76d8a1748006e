#pragma once

#include <QString>

class MapBridge;
class MapHost;

// Markers of the marked rows on the map, and marking the rows within a radius.
class MapMarkers {
public:
    MapMarkers(MapHost& host, MapBridge& map);

    // Replaces the page's markers by one per marked row and fits the map to them.
    void CaricaPdiMappa();
    void SvuotaPdiMappa();
    // Marks exactly the rows whose distance from the position is not greater than the
    // radius (in DistLatLong's kilometres), then shows them.
    void MostraPdiNelRaggio(double latitude, double longitude, double radius);
    // The same around the selected row, with the radius 15.
    void MostraPdiVicino();

private:
    // The loops hand control to the event loop only at step rows: the multiples of the
    // step, or row 0 alone when the step is 0.
    static int Step(int rowCount, double parts);
    static bool IsStepRow(int row, int step);

    MapHost& w;
    MapBridge& mMap;
};
