#include "map/MapMarkers.h"

#include "map/MapBridge.h"
#include "map/MapHost.h"
#include "ov2/Ov2Dylib.h"
#include "platform/Events.h"
#include "platform/Listbox.h"
#include "platform/PoiColumn.h"
#include "platform/TextFunctions.h"

#include <QProgressBar>

#include <algorithm>

namespace {

using enum PoiColumn::Index;

constexpr double kNearRadius = 15.0;

// The bar is drawn in at most this many steps; setting it more often shows nothing more
// and costs more than the rest of the loop.
constexpr int kBarSteps = 1000;

void showBar(QProgressBar& bar, int rowCount)
{
    // A maximum of 0 (one row, or none) shows activity without a measure.
    bar.setRange(0, std::max(rowCount - 1, 0));
    bar.setValue(0);
    bar.setVisible(true);
}

}  // namespace

MapMarkers::MapMarkers(MapHost& host, MapBridge& map)
    : w(host)
    , mMap(map)
{
}

int MapMarkers::Step(int rowCount, double parts)
{
    return static_cast<int>(rowCount / parts);
}

bool MapMarkers::IsStepRow(int row, int step)
{
    return step > 0 ? row % step == 0 : row == 0;
}

void MapMarkers::CaricaPdiMappa()
{
    MapBridge& map = mMap;
    Listbox& list = *w.ListBox1();
    QProgressBar& bar = *w.ProgressBar1();

    map.EliminaTutto();
    Events::DoEvents();
    // A window closed meanwhile gets nothing more.
    if (w.IsClosing())
        return;
    // The markers between two event passes reach the page as one message.
    map.BeginCalls();
    showBar(bar, list.ListCount());
    const int step = Step(list.ListCount(), 3.0);
    const int barEvery = std::max(list.ListCount() / kBarSteps, 1);
    int row = 0;
    for (; row < list.ListCount(); ++row) {
        if (row % barEvery == 0)
            bar.setValue(row);
        if (!list.CellCheck(row, Description))
            continue;
        if (IsStepRow(row, step)) {
            bar.setValue(row);
            map.EndCalls();
            Events::DoEvents();
            if (w.IsClosing())
                return;
            map.BeginCalls();
            // Events may have removed rows meanwhile.
            if (row >= list.ListCount())
                break;
        }
        map.AggiungiPdi(row);
    }
    map.EndCalls();
    if (row > 0)
        bar.setValue(row - 1);
    Events::DoEvents();
    if (w.IsClosing())
        return;
    map.AdattaZoom();
    bar.setVisible(false);
}

void MapMarkers::SvuotaPdiMappa()
{
    mMap.EliminaTutto();
}

void MapMarkers::MostraPdiNelRaggio(double latitude, double longitude, double radius)
{
    Listbox& list = *w.ListBox1();
    QProgressBar& bar = *w.ProgressBar1();

    const int step = Step(list.ListCount(), 5.0);
    showBar(bar, list.ListCount());
    for (int row = 0; row < list.ListCount(); ++row) {
        if (IsStepRow(row, step)) {
            bar.setValue(row);
            Events::DoEvents();
            if (w.IsClosing())
                return;
            if (row >= list.ListCount())
                break;
        }
        const double distance =
            DistLatLong(latitude, longitude, Val(list.CellView(row, Latitude)), Val(list.CellView(row, Longitude)));
        // Not greater: a distance equal to the radius, or not a number, marks the row.
        // Only a mark that changes is written, so the list repaints only those rows.
        const bool inside = !(distance > radius);
        if (list.CellCheck(row, Description) != inside)
            list.setCellCheck(row, Description, inside);
    }
    w.AggiornaNumeroPdiSelezionati();
    CaricaPdiMappa();
    if (w.IsClosing())
        return;
    bar.setVisible(false);
}

void MapMarkers::MostraPdiVicino()
{
    const Listbox& list = *w.ListBox1();
    const int row = list.ListIndex();
    if (row == -1)
        return;
    MostraPdiNelRaggio(Val(list.CellView(row, Latitude)), Val(list.CellView(row, Longitude)), kNearRadius);
}
