// The duplicate scan and Replace all at a hundred thousand and a million POIs, beside
// gpsbabel's position filter on the same POIs.
//   bench_search [--no-gpsbabel]
// The POIs are clustered as real collections are: towns of a few kilometres, and one
// POI in five a second entry a few metres to a hundred metres from another, so many
// pairs lie within the 0.5 km threshold.

#include "ov2/Ov2Dylib.h"
#include "platform/Listbox.h"
#include "search/DuplicateDialog.h"
#include "search/DuplicateScan.h"
#include "search/SearchDialog.h"
#include "support/BenchMeasure.h"
#include "support/BenchServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr double kThreshold = 0.5;

struct Pois {
    std::vector<double> latitudes;
    std::vector<double> longitudes;
};

Pois makePois(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::normal_distribution<double> spread(0.0, 1.0);
    const double degreesPerKm = 90.0 / DistLatLong(0, 0, 90, 0);
    Pois p;
    p.latitudes.reserve(size_t(count));
    p.longitudes.reserve(size_t(count));
    const int towns = std::max(1, count / 50);
    std::vector<std::pair<double, double>> centres;
    for (int t = 0; t < towns; ++t)
        centres.push_back({36.0 + 24.0 * unit(random), -10.0 + 40.0 * unit(random)});
    for (int i = 0; i < count; ++i) {
        double lat, lon;
        if (i > 0 && unit(random) < 0.2) {
            const size_t other = random() % size_t(i);
            const double km = 0.1 * unit(random);
            lat = p.latitudes[other] + km * degreesPerKm * spread(random);
            lon = p.longitudes[other] + km * degreesPerKm * spread(random);
        } else {
            const auto& [clat, clon] = centres[random() % centres.size()];
            lat = clat + 3.0 * degreesPerKm * spread(random);
            lon = clon + 3.0 * degreesPerKm * spread(random) / std::cos(clat * M_PI / 180.0);
        }
        // As the list's texts hold them, so the scan alone and the dialog see the same positions.
        p.latitudes.push_back(std::round(lat * 1e6) / 1e6);
        p.longitudes.push_back(std::round(lon * 1e6) / 1e6);
    }
    return p;
}

void fillList(Listbox& list, const Pois& p)
{
    list.setColumnCount(6);
    list.BeginUpdate();
    for (size_t i = 0; i < p.latitudes.size(); ++i) {
        list.AddRow(i % 7 == 0 ? QStringLiteral("Ristorante Roma %1>0612345678").arg(i)
                               : QStringLiteral("Autovelox via Milano km %1").arg(i));
        const int row = list.LastIndex();
        list.setCell(row, 1, QString::number(p.latitudes[i], 'f', 6));
        list.setCell(row, 2, QString::number(p.longitudes[i], 'f', 6));
        list.setCellType(row, 0, Listbox::TypeCheckbox);
        list.setCell(row, 3, QStringLiteral("6F9619FF-8B86-D011-B42D-%1").arg(i, 12, 16, QChar(u'0')));
        list.setCell(row, 4, QStringLiteral("0"));
    }
    list.EndUpdate();
}

double seconds(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e9;
}

int countMarks(const std::vector<uint8_t>& marks)
{
    int n = 0;
    for (uint8_t m : marks)
        n += m;
    return n;
}

void benchScan(const Pois& p)
{
    QElapsedTimer t;
    t.start();
    DuplicateScan scan(p.latitudes, p.longitudes, kThreshold);
    const double built = seconds(t);
    scan.run();
    const double total = seconds(t);
    const double n = double(p.latitudes.size());
    std::printf("  scan alone        %9.3f s  (grid %.3f s)  %d marked, %lld distances (%.2f per POI, pairs: %.3g)\n",
                total, built, countMarks(scan.marks()), static_cast<long long>(scan.distanceCalls()),
                double(scan.distanceCalls()) / n, n * (n - 1) / 2);
}

// The dialog's whole scan over a shown list: reading and clearing every row, one event
// pass per row, the progress bar and the marks written into the list.
void benchDialog(const Pois& p)
{
    Listbox list;
    list.resize(560, 556);
    fillList(list, p);
    list.show();
    QCoreApplication::processEvents();
    DuplicateDialog dialog;
    dialog.Lista = &list;
    dialog.show();
    QElapsedTimer t;
    t.start();
    dialog.buttonTrova_Action();
    const double total = seconds(t);
    int marked = 0;
    for (int row = 0; row < list.ListCount(); ++row)
        marked += list.CellCheck(row, 0) ? 1 : 0;
    std::printf("  dialog's scan     %9.3f s  %d marked\n", total, marked);
}

void benchGpsbabel(const Pois& p)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pois.ov2"));
    initOv2();
    for (size_t i = 0; i < p.latitudes.size(); ++i)
        addOv2Poi("POI", p.latitudes[i], p.longitudes[i]);
    writeOv2(file.toLocal8Bit().constData());
    initOv2();
    QElapsedTimer t;
    t.start();
    if (!Bench::runGpsbabel(QStringLiteral("gpsbabel"), {"-i", "tomtom", "-f", file, "-x", "position,distance=500m",
                                                         "-o", "unicsv", "-F", "/dev/null"})) {
        std::printf("  gpsbabel          failed\n");
        return;
    }
    std::printf("  gpsbabel position %9.3f s\n", seconds(t));
}

void benchReplaceAll(int count)
{
    Listbox list;
    list.resize(560, 556);
    fillList(list, makePois(count, 3));
    list.show();
    QCoreApplication::processEvents();
    SearchDialog dialog;
    dialog.Lista = &list;
    QElapsedTimer t;
    t.start();
    dialog.SostituisciParola(QStringLiteral("roma"), QStringLiteral("Napoli"));
    const double replace = seconds(t);
    t.restart();
    dialog.TrovaParola(QStringLiteral("nessun testo simile"));
    const double find = seconds(t);
    std::printf("  Replace all       %9.3f s  (%s)\n  Find, no hit      %9.3f s\n", replace,
                qPrintable(list.Cell(0, 0)), find);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Replace all and Find end in their message boxes (the count, "not found"): expected, so not reported.
    BenchServices services(BenchServices::Reports::Quiet);
    bool gpsbabel = true;
    for (int i = 1; i < argc; ++i)
        gpsbabel = gpsbabel && std::strcmp(argv[i], "--no-gpsbabel") != 0;

    for (const int count : {100'000, 1'000'000}) {
        std::printf("%d POIs, threshold %.1f km\n", count, kThreshold);
        const Pois p = makePois(count, 1);
        benchScan(p);
        benchDialog(p);
        if (gpsbabel && count == 100'000)
            benchGpsbabel(p);
    }
    std::printf("1000000 rows\n");
    benchReplaceAll(1'000'000);
    return 0;
}
