// Speed of the map: showing 10,000 marked POIs of 100,000 on the real map page (from the
// call until the page reports its last marker), and marking by radius over a million
// rows (the marking loop, then showing the few rows inside). Headless, no network needed.
// Usage: bench_map [runs, default 5]

#include "map/MapMarkers.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "shell/App.h"
#include "shell/Pictures.h"
#include "support/BenchHeadless.h"
#include "support/BenchMeasure.h"
#include "support/BenchPage.h"
#include "support/BenchServices.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

using Bench::evaluate;
using Bench::median;
using Bench::waitForPage;
using Bench::seconds;

namespace {

using Clock = std::chrono::steady_clock;

int pageMarkers(HTMLViewer& view)
{
    return evaluate(view, QStringLiteral("window.LumetraMap ? LumetraMap.state().markers : -1")).toInt();
}

// Rows spread over Italy, every `markEvery`-th one marked.
void fill(Applicazione& w, int count, int markEvery)
{
    std::mt19937 random(99);
    std::uniform_real_distribution<double> latitude(37.0, 47.0);
    std::uniform_real_distribution<double> longitude(7.0, 18.0);
    Listbox& list = *w.ListBox1();
    list.BeginUpdate();
    for (int i = 0; i < count; ++i) {
        w.AggiungiPdiAllaLista(QStringLiteral("Punto %1 caff\u00e8 'da Mario'").arg(i),
                               QString::number(latitude(random), 'f', 6),
                               QString::number(longitude(random), 'f', 6), QStringLiteral("0"));
        if (markEvery > 0 && i % markEvery == 0)
            list.setCellCheck(list.LastIndex(), 0, true);
    }
    list.EndUpdate();
}

int marked(const Listbox& list)
{
    int n = 0;
    for (int row = 0; row < list.ListCount(); ++row)
        n += list.CellCheck(row, 0) ? 1 : 0;
    return n;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("LUMETRA_SERVER", "");
    Bench::PrepareHeadlessWebView();
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;

    BenchServices services;

    std::vector<double> sends;
    std::vector<double> onPage;
    std::vector<double> radius;
    std::vector<double> radiusLoop;
    int insideRadius = 0;
    {
        App app;
        Applicazione* w = app.OpenNewWindow();
        if (!waitForPage(*w->web1()))
            std::fprintf(stderr, "the map page did not load\n");
        fill(*w, 100000, 10);
        const int expected = marked(*w->ListBox1());
        for (int run = 0; run < runs; ++run) {
            w->SvuotaPdiMappa();
            pageMarkers(*w->web1());
            const auto start = Clock::now();
            w->CaricaPdiMappa();
            sends.push_back(std::chrono::duration<double>(Clock::now() - start).count());
            const int shown = pageMarkers(*w->web1());
            onPage.push_back(std::chrono::duration<double>(Clock::now() - start).count());
            if (shown != expected)
                std::fprintf(stderr, "the page shows %d markers of %d\n", shown, expected);
        }

        w->SvuotaPdiMappa();
        w->ListBox1()->DeleteAllRows();
        fill(*w, 1000000, 0);
        for (int run = 0; run < runs; ++run) {
            radius.push_back(seconds([&] { w->MostraPdiNelRaggio(43.7, 10.4, 15.0); }));
            insideRadius = marked(*w->ListBox1());
            // The marking loop alone: no row inside, so showing them sends no marker.
            radiusLoop.push_back(seconds([&] { w->Markers().MostraPdiNelRaggio(0.0, 0.0, 0.0); }));
        }
        app.CloseThisWindow(w);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::printf("map, medians of %d runs\n", runs);
    std::printf("  CaricaPdiMappa, 10,000 marked of 100,000 rows: calls sent %8.3f s, last marker on the page %8.3f s\n",
                median(sends), median(onPage));
    std::printf("  MostraPdiNelRaggio over 1,000,000 rows, %d inside:  %8.3f s\n", insideRadius, median(radius));
    std::printf("  MostraPdiNelRaggio over 1,000,000 rows, none inside:  %8.3f s\n", median(radiusLoop));
    Pictures::ReleaseAll();
    return 0;
}
