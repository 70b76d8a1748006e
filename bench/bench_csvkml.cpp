// Speed of the CSV import, the CSV export and the KML export of a million POIs in a
// document window, beside Debian's gpsbabel converting the same POIs from OV2 to unicsv
// and to kml, all timed in one run. Headless.
// Usage: bench_csvkml [POIs, default 1000000] [runs, default 3]

#include "platform/Listbox.h"
#include "shell/App.h"
#include "support/BenchHeadless.h"
#include "support/BenchMeasure.h"
#include "support/BenchServices.h"
#include "support/Ov2Records.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace {

struct Files {
    std::string csv;
    std::string ov2;
};

// The same POIs as CSV lines and as OV2 records: Latin-1 names with a phone number.
Files generate(int count)
{
    static const char* const kinds[] = {"Caff\xe8", "Trattoria", "H\xf4tel", "Farmacia", "Autovelox"};
    std::mt19937 random(99);
    Files files;
    char coordinates[64];
    for (int i = 0; i < count; ++i) {
        const std::string text = std::string(kinds[random() % 5]) + " " + std::to_string(random() % 100000) +
                                 ">+39 0" + std::to_string(1000000 + random() % 9000000);
        const int32_t longitude = int32_t(random() % 36000001) - 18000000;
        const int32_t latitude = int32_t(random() % 18000001) - 9000000;
        std::snprintf(coordinates, sizeof coordinates, "%.5f,%.5f,", longitude / 1e5, latitude / 1e5);
        files.csv += coordinates + text + ",\r\n";
        Bench::putPoiRecord(files.ov2, 2, longitude, latitude, text);
    }
    return files;
}

void write(const QString& path, const std::string& bytes)
{
    std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary)
        .write(bytes.data(), std::streamsize(bytes.size()));
}

void report(const char* what, double ours, const char* peer, double theirs)
{
    if (theirs > 0)
        std::printf("%-12s %8.3f s   gpsbabel %-16s %8.3f s   ratio %5.1fx\n", what, ours, peer, theirs, theirs / ours);
    else
        std::printf("%-12s %8.3f s   (gpsbabel not installed)\n", what, ours);
}

}  // namespace

int main(int argc, char** argv)
{
    Bench::PrepareHeadlessWebView();
    QApplication application(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    BenchServices services;
    QTemporaryDir dir;
    const QString csvIn = dir.filePath(QStringLiteral("in.csv"));
    const QString ov2In = dir.filePath(QStringLiteral("in.ov2"));
    {
        const Files files = generate(count);
        write(csvIn, files.csv);
        write(ov2In, files.ov2);
    }
    const QString gpsbabel = QStandardPaths::findExecutable(QStringLiteral("gpsbabel"));

    std::vector<double> imports, csvExports, kmlExports, babelCsv, babelKml;
    App app;
    for (int run = 0; run < runs; ++run) {
        Applicazione* w = app.OpenNewWindow();
        services.openPaths << csvIn;
        imports.push_back(Bench::seconds([&] { w->_FileImportCsv_Action(); }));
        if (w->ListBox1()->ListCount() != count)
            std::fprintf(stderr, "import gave %d rows\n", w->ListBox1()->ListCount());
        services.savePaths << dir.filePath(QStringLiteral("out.csv")) << dir.filePath(QStringLiteral("out.kml"));
        csvExports.push_back(Bench::seconds([&] { w->SalvaCsv(); }));
        kmlExports.push_back(Bench::seconds([&] { w->SalvaKml(); }));
        w->setModificato(false);
        app.CloseThisWindow(w);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        if (!gpsbabel.isEmpty()) {
            const QStringList in{QStringLiteral("-i"), QStringLiteral("tomtom"), QStringLiteral("-f"), ov2In};
            babelCsv.push_back(Bench::seconds([&] {
                Bench::runGpsbabel(gpsbabel, in + QStringList{QStringLiteral("-o"), QStringLiteral("unicsv"),
                                                             QStringLiteral("-F"), dir.filePath("babel.csv")});
            }));
            babelKml.push_back(Bench::seconds([&] {
                Bench::runGpsbabel(gpsbabel, in + QStringList{QStringLiteral("-o"), QStringLiteral("kml"),
                                                             QStringLiteral("-F"), dir.filePath("babel.kml")});
            }));
        }
    }

    const double toCsv = babelCsv.empty() ? 0 : Bench::median(babelCsv);
    const double toKml = babelKml.empty() ? 0 : Bench::median(babelKml);
    std::printf("%d POIs, median of %d runs\n", count, runs);
    report("CSV import", Bench::median(imports), "tomtom->unicsv", toCsv);
    report("CSV export", Bench::median(csvExports), "tomtom->unicsv", toCsv);
    report("KML export", Bench::median(kmlExports), "tomtom->kml", toKml);
    std::printf("peak memory %.0f MB\n", Bench::statusMegabytes("VmHWM"));
    return 0;
}
