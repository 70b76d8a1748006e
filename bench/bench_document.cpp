// Speed and memory of a document window with a million POIs: opening an OV2 file into
// it (rows in the list, identifiers given, marked count refreshed) and saving it again,
// beside Debian's gpsbabel converting the same file to unicsv, all timed in one run.
// Headless. Usage: bench_document [POIs, default 1000000] [runs, default 5]

#include "platform/Listbox.h"
#include "poi/PoiDocument.h"
#include "shell/App.h"
#include "shell/Pictures.h"
#include "support/BenchHeadless.h"
#include "support/BenchMeasure.h"
#include "support/BenchServices.h"
#include "support/DocumentFile.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using Bench::median;
using Bench::resetPeak;
using Bench::seconds;
using Bench::statusMegabytes;

namespace {

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

int main(int argc, char** argv)
{
    Bench::PrepareHeadlessWebView();
    QApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

    BenchServices services;
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("documento.ov2"));
    const QString output = dir.filePath(QStringLiteral("salvato.ov2"));
    Bench::writeDocumentFile(input, count);
    const QString gpsbabel = QStandardPaths::findExecutable(QStringLiteral("gpsbabel"));

    std::vector<double> opens;
    std::vector<double> shows;
    std::vector<double> scrolls;
    std::vector<double> saves;
    std::vector<double> sorts;
    std::vector<double> deletions;
    std::vector<double> babels;
    double peakWithDocument = 0;
    double peakEmptyWindow = 0;
    double peakWithDeletion = 0;
    {
        App app;
        for (int run = 0; run < runs; ++run) {
            Applicazione* w = app.OpenNewWindow();
            settle();
            if (run == 0)
                peakEmptyWindow = statusMegabytes("VmHWM");
            resetPeak();
            opens.push_back(seconds([&] { w->ApriOv2DaFile(input); }));
            if (w->ListBox1()->ListCount() != count || w->ListBox1()->Cell(count - 1, 3).size() != 36)
                std::fprintf(stderr, "open gave %d rows\n", w->ListBox1()->ListCount());
            // The first paint of the window with its list.
            shows.push_back(seconds([] { QCoreApplication::processEvents(); }));
            scrolls.push_back(seconds([&] {
                w->ListBox1()->setScrollPosition(count / 2);
                QCoreApplication::processEvents();
            }));
            w->Document().setFileOv2Aperto(output);
            saves.push_back(seconds([&] { w->SalvaOv2(); }));
            peakWithDocument = std::max(peakWithDocument, statusMegabytes("VmHWM"));
            app.CloseThisWindow(w);
            settle();

            if (!gpsbabel.isEmpty()) {
                babels.push_back(seconds([&] {
                    Bench::runGpsbabel(gpsbabel, {QStringLiteral("-i"), QStringLiteral("tomtom"), QStringLiteral("-f"),
                                                  input, QStringLiteral("-o"), QStringLiteral("unicsv"),
                                                  QStringLiteral("-F"), dir.filePath(QStringLiteral("babel.csv"))});
                }));
            }
        }
        if (QFile(output).size() != QFile(input).size())
            std::fprintf(stderr, "saved file differs in size from the input\n");

        // Last, as the map calls of the deletion leave memory behind in the web view.
        for (int run = 0; run < runs; ++run) {
            Applicazione* w = app.OpenNewWindow(input);
            settle();
            Listbox& list = *w->ListBox1();
            for (int row = 0; row < count; row += 2)
                list.setCellCheck(row, 0, true);
            sorts.push_back(seconds([&] { w->OrdinaPrimaMarcati(list); }));
            deletions.push_back(seconds([&] { w->EliminaPdiDallaLista(); }));
            if (list.ListCount() != count / 2)
                std::fprintf(stderr, "deleting marked rows left %d rows\n", list.ListCount());
            peakWithDeletion = std::max(peakWithDeletion, statusMegabytes("VmHWM"));
            app.CloseThisWindow(w);
            settle();
        }
    }

    std::printf("document of %d POIs, medians of %d runs\n", count, runs);
    std::printf("  open (ApriOv2DaFile)      %8.3f s\n", median(opens));
    std::printf("  first paint after open    %8.3f s\n", median(shows));
    std::printf("  scroll to the middle      %8.3f s\n", median(scrolls));
    std::printf("  save (SalvaOv2)           %8.3f s\n", median(saves));
    std::printf("  half marked, marked first %8.3f s\n", median(sorts));
    std::printf("  delete the marked half    %8.3f s (no marker shown, so no page call)\n", median(deletions));
    if (!babels.empty()) {
        std::printf("  gpsbabel tomtom -> unicsv %8.3f s\n", median(babels));
        std::printf("  gpsbabel / open           %8.2f x\n", median(babels) / median(opens));
        std::printf("  gpsbabel / save           %8.2f x\n", median(babels) / median(saves));
    }
    std::printf("  peak memory (VmHWM)       %8.1f MB through open and save, %.1f MB of it before the first open\n",
                peakWithDocument, peakEmptyWindow);
    std::printf("                            %8.1f MB after marking and deleting half the rows\n", peakWithDeletion);
    Pictures::ReleaseAll();
    return 0;
}
