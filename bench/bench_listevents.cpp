// The list events of a document window at a million POIs: sorting on latitude by a
// heading click (the numeric comparison that never answers 0), and painting the list
// with its row colours, beside painting lists of ten and a hundred rows. Headless.
// Usage: bench_listevents [POIs, default 1000000] [runs, default 5]

#include "platform/Listbox.h"
#include "platform/TextFunctions.h"
#include "shell/App.h"
#include "shell/Pictures.h"
#include "support/BenchHeadless.h"
#include "support/BenchServices.h"
#include "window/Applicazione.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Rows as a file brings them: random positions with five decimals, one in ten sharing
// its latitude with another row, every twentieth description long (red), half read.
void fill(Applicazione& w, int count)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(-89.0, 89.0);
    std::uniform_real_distribution<double> lon(-179.0, 179.0);
    QString previous = QStringLiteral("0");
    w.ListBox1()->BeginUpdate();
    for (int i = 0; i < count; ++i) {
        const QString latitude = i % 10 == 9 ? previous : QString::number(lat(random), 'f', 5);
        previous = latitude;
        QString description = QStringLiteral("Autovelox %1 via della Repubblica").arg(random() % 100000);
        if (i % 20 == 0)
            description += QStringLiteral(" presso lo svincolo nord della tangenziale");
        w.AggiungiPdiAllaLista(description, latitude, QString::number(lon(random), 'f', 5),
                               i % 2 ? QStringLiteral("1") : QStringLiteral("0"));
    }
    w.ListBox1()->EndUpdate();
    QApplication::processEvents();
}

void clickHeading(Listbox& list, int column)
{
    auto* view = static_cast<QTableView*>(list.view());
    emit view->horizontalHeader()->sectionClicked(column);
}

bool sortedOnLatitude(const Listbox& list)
{
    for (int row = 1; row < list.ListCount(); ++row)
        if (Val(list.CellView(row - 1, 1)) > Val(list.CellView(row, 1)))
            return false;
    return true;
}

// A repaint of the list's visible rows, as the window system asks for it.
double paintMs(Listbox& list, int runs)
{
    QWidget* viewport = list.view()->viewport();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        const QPixmap shot = viewport->grab();
        times.push_back(msSince(start));
    }
    return median(times);
}

}  // namespace

int main(int argc, char** argv)
{
    Bench::PrepareHeadlessWebView();
    QApplication application(argc, argv);
    const int count = argc > 1 ? std::max(2, std::atoi(argv[1])) : 1'000'000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    BenchServices services;
    {
        App app;
        Applicazione* w = app.OpenNewWindow();
        Listbox& list = *w->ListBox1();
        fill(*w, count);
        std::printf("POIs: %d, runs: %d (medians)\n", count, runs);

        // Each run first sorts on the description, which leaves the latitudes in random order.
        std::vector<double> sorts;
        for (int run = 0; run < runs; ++run) {
            clickHeading(list, 0);
            const auto start = Clock::now();
            clickHeading(list, 1);
            sorts.push_back(msSince(start));
            if (!sortedOnLatitude(list)) {
                std::printf("NOT SORTED\n");
                return 1;
            }
        }
        std::printf("heading click on latitude, random order:     %8.1f ms (target < 2000)\n", median(sorts));
        const auto start = Clock::now();
        clickHeading(list, 1);
        std::printf("second click, descending from sorted:        %8.1f ms\n", msSince(start));

        list.setScrollPosition(count / 2);
        const double big = paintMs(list, runs * 4);
        w->setModificato(false);
        app.CloseThisWindow(w);
        QApplication::processEvents();

        std::printf("paint the visible rows, %7d POIs:          %8.2f ms\n", count, big);
        // Ten rows fill a part of the list, a hundred all of it, as a million do.
        for (int few : {10, 100}) {
            Applicazione* small = app.OpenNewWindow();
            fill(*small, few);
            const double ms = paintMs(*small->ListBox1(), runs * 4);
            std::printf("paint the visible rows, %7d POIs:          %8.2f ms (million / this: %.2f)\n", few, ms,
                        big / ms);
            small->setModificato(false);
            app.CloseThisWindow(small);
            QApplication::processEvents();
        }
    }
    Pictures::ReleaseAll();
    return 0;
}
