// What a million POIs cost, row by row against the figure each should meet, with Debian's
// gpsbabel doing the nearest work on the same file in the same run where it has any.
// Headless, no network needed. Run last by scripts/run-bench.sh, as the summary.
// Usage: bench_million [runs, default 3]

#include "map/MapBridge.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "poi/PoiDocument.h"
#include "search/DuplicateDialog.h"
#include "shell/App.h"
#include "shell/Pictures.h"
#include "support/BenchHeadless.h"
#include "support/BenchMeasure.h"
#include "support/BenchPage.h"
#include "support/BenchServices.h"
#include "support/DocumentFile.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLocale>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

using Bench::evaluate;
using Bench::median;
using Bench::waitForPage;
using Bench::seconds;

namespace {

constexpr int kPois = 1'000'000;
constexpr int kMarkEvery = 10;  // 100,000 markers

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Seconds from now until the widget is next painted, events processed meanwhile.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& widget) : mWidget(widget) { widget.installEventFilter(this); }
    ~PaintWatch() override { mWidget.removeEventFilter(this); }
    void start()
    {
        mPainted = -1;
        mClock.start();
    }
    double painted() const { return mPainted; }
    double waitForPaint()
    {
        while (mPainted < 0 && mClock.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return mPainted;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && mPainted < 0)
            mPainted = double(mClock.nsecsElapsed()) / 1e9;
        return false;
    }

private:
    QWidget& mWidget;
    QElapsedTimer mClock;
    double mPainted = -1;
};

// Resident megabytes of the page renderers this process started: forked by the web
// engine's zygote, they are the descendants that are not its own children.
double rendererMegabytes()
{
    std::map<int, int> parents;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const int pid = entry.toInt(&number);
        if (!number)
            continue;
        std::ifstream stat("/proc/" + entry.toStdString() + "/stat");
        std::string line;
        std::getline(stat, line);
        const size_t close = line.rfind(')');
        if (close == std::string::npos)
            continue;
        char state = 0;
        int parent = 0;
        if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &parent) == 2)
            parents[pid] = parent;
    }
    double total = 0;
    for (const auto& [pid, parent] : parents) {
        int up = parent;
        while (up > 1 && up != getpid() && parents.count(up))
            up = parents[up];
        if (up != getpid() || parent == getpid())
            continue;
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("VmRSS", 0) == 0)
                total += std::stod(line.substr(line.find(':') + 1)) / 1024.0;
    }
    return total;
}

// gpsbabel's median seconds, or -1 when it is missing, failed or took longer than the limit.
double gpsbabel(const QString& program, const QStringList& arguments, int runs, int limitSeconds = 120)
{
    if (program.isEmpty())
        return -1;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        process.start(program, arguments);
        if (!process.waitForFinished(limitSeconds * 1000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (process.exitCode() != 0)
            return -1;
        times.push_back(double(clock.nsecsElapsed()) / 1e9);
    }
    return median(times);
}

// The fuzz target's inputs per second over a short run, or -1 without clang.
double fuzzRate()
{
    const QString script = QStringLiteral(LUMETRA_SOURCE_DIR "/scripts/fuzz-ov2.sh");
    QTemporaryDir work;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("bash"), {script, QStringLiteral("15"), work.path()});
    if (!process.waitForFinished(300000))
        return -1;
    const QRegularExpression rate(QStringLiteral("average_exec_per_sec:\\s*(\\d+)"));
    const QRegularExpressionMatch match = rate.match(QString::fromLocal8Bit(process.readAll()));
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

Applicazione* openWindow(App& app, const QString& file)
{
    Applicazione* w = app.OpenNewWindow(file);
    settle();
    return w;
}

void closeWindow(App& app, Applicazione* w)
{
    w->Document().setModificato(false);
    app.CloseThisWindow(w);
    settle();
}

// Seconds from the start of a program's open of the file to its window idle with every row
// listed: painted, and the events queued meanwhile handled.
double startSeconds(App& app, const QString& file)
{
    QElapsedTimer clock;
    clock.start();
    Applicazione* w = app.OpenNewWindow(file);
    {
        PaintWatch paint(*w->ListBox1()->view()->viewport());
        paint.start();
        paint.waitForPaint();
    }
    bool idle = false;
    QTimer::singleShot(0, [&idle] { idle = true; });
    while (!idle)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
    closeWindow(app, w);
    return elapsed;
}

struct Row {
    const char* work;
    QString figure;
    QString goal;
    QString peer;
    bool met;
};

QString secondsText(double value)
{
    return value < 0 ? QStringLiteral("-") : QString::number(value, 'f', 3) + QStringLiteral(" s");
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("LUMETRA_SERVER", "");
    Bench::PrepareHeadlessWebView();
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    // A second argument runs only the work whose name starts with it (open, start,
    // delete, sort, map, callbacks, duplicates, peers), for looking at one figure.
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    auto wanted = [&only](const char* work) { return only.isEmpty() || QLatin1String(work).startsWith(only); };
    BenchServices services;

    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.ov2"));
    const QString one = dir.filePath(QStringLiteral("one.ov2"));
    const QString saved = dir.filePath(QStringLiteral("saved.ov2"));
    Bench::writeDocumentFile(big, kPois);
    Bench::writeDocumentFile(one, 1);
    const QString distinct = dir.filePath(QStringLiteral("distinct.ov2"));
    const QString babel = QStandardPaths::findExecutable(QStringLiteral("gpsbabel"));
    std::vector<Row> rows;

    std::vector<double> markerCalls;
    std::vector<double> opens, starts, startsOne, deletions, sorts, distinctSorts, markers, cleared, renderers, scans, shown;
    std::vector<double> unknownCallbacks, callbackAfterAdding, callbackAfterRemoving;
    double peak = 0;
    double before = 0;
    {
        App app;
        settle();
        for (int run = 0; run < runs && wanted("open"); ++run) {
            Applicazione* w = openWindow(app, QString());
            if (run == 0)
                before = Bench::statusMegabytes("VmRSS");
            Bench::resetPeak();
            opens.push_back(seconds([&] { w->ApriOv2DaFile(big); }));
            if (w->ListBox1()->ListCount() != kPois)
                std::fprintf(stderr, "open gave %d rows\n", w->ListBox1()->ListCount());
            w->Document().setFileOv2Aperto(saved);
            w->SalvaOv2();
            peak = std::max(peak, Bench::statusMegabytes("VmHWM"));
            closeWindow(app, w);
        }
        for (int run = 0; run < runs && wanted("start"); ++run) {
            startsOne.push_back(startSeconds(app, one));
            starts.push_back(startSeconds(app, big));
        }
        for (int run = 0; run < runs && wanted("delete"); ++run) {
            Applicazione* w = openWindow(app, big);
            Listbox& list = *w->ListBox1();
            for (int row = 0; row < kPois; row += 2)
                list.setCellCheck(row, 0, true);
            deletions.push_back(seconds([&] { w->EliminaPdiDallaLista(); }));
            closeWindow(app, w);
        }
        // In a language's order, not the C locale's plain order of the texts' bytes.
        if (wanted("sort"))
            Bench::writeDocumentFile(distinct, kPois, true);
        const QLocale locale;
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        for (int run = 0; run < runs && wanted("sort"); ++run) {
            for (const auto& [file, figures] : {std::pair{big, &sorts}, {distinct, &distinctSorts}}) {
                Applicazione* w = openWindow(app, file);
                auto* view = qobject_cast<QTableView*>(w->ListBox1()->view());
                figures->push_back(seconds([&] { emit view->horizontalHeader()->sectionClicked(0); }));
                closeWindow(app, w);
            }
        }
        QLocale::setDefault(locale);
        for (int run = 0; run < runs && wanted("map"); ++run) {
            Applicazione* w = openWindow(app, big);
            if (!waitForPage(*w->web1()))
                std::fprintf(stderr, "the map page did not load\n");
            Listbox& list = *w->ListBox1();
            for (int row = 0; row < kPois; row += kMarkEvery)
                list.setCellCheck(row, 0, true);
            QElapsedTimer clock;
            clock.start();
            w->CaricaPdiMappa();
            markerCalls.push_back(double(clock.nsecsElapsed()) / 1e9);
            const int onPage = evaluate(*w->web1(), QStringLiteral("LumetraMap.state().markers")).toInt();
            markers.push_back(double(clock.nsecsElapsed()) / 1e9);
            if (onPage != kPois / kMarkEvery)
                std::fprintf(stderr, "the page shows %d markers\n", onPage);

            for (int row = 0; row < kPois; ++row)
                list.setCellCheck(row, 0, true);
            clock.restart();
            w->EliminaPdiDallaLista();
            const int left = evaluate(*w->web1(), QStringLiteral("LumetraMap.state().markers")).toInt();
            cleared.push_back(double(clock.nsecsElapsed()) / 1e9);
            renderers.push_back(rendererMegabytes());
            if (left != 0 || list.ListCount() != 0)
                std::fprintf(stderr, "deleting every row left %d rows, %d markers\n", list.ListCount(), left);
            closeWindow(app, w);
        }
        for (int run = 0; run < runs && wanted("callbacks"); ++run) {
            Applicazione* w = openWindow(app, big);
            MapBridge& map = w->Map();
            unknownCallbacks.push_back(seconds([&] {
                for (int i = 0; i < 3000; ++i) {
                    const QString marker = QStringLiteral("NO-SUCH-%1%257C44.5%252C11.5").arg(i);
                    map.web1_CancelLoad(QStringLiteral("handler://CMD1") + marker);
                    map.web1_CancelLoad(QStringLiteral("handler://CMD3") + marker);
                }
            }));
            // A row added drops what the searches keep: the next marker chosen pays for it.
            w->AggiungiPdiAllaLista(
                QStringLiteral("new"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("0"));
            const QString last = w->ListBox1()->Cell(kPois / 2, 3);
            callbackAfterAdding.push_back(
                seconds([&] { map.web1_CancelLoad(QStringLiteral("handler://CMD3") + last + "%257C1%252C2"); }));
            if (w->ListBox1()->ListIndex() != kPois / 2)
                std::fprintf(stderr, "the chosen marker selected row %d\n", w->ListBox1()->ListIndex());
            // A row removed drops it: the next ones go over the rows until that costs more.
            w->ListBox1()->RemoveRow(0);
            callbackAfterRemoving.push_back(
                seconds([&] { map.web1_CancelLoad(QStringLiteral("handler://CMD3") + last + "%257C1%252C2"); }));
            closeWindow(app, w);
        }
        for (int run = 0; run < runs && wanted("duplicates"); ++run) {
            Applicazione* w = openWindow(app, big);
            {
                DuplicateDialog dialog(w);
                dialog.Lista = w->ListBox1();
                dialog.show();
                settle();
                PaintWatch paint(*dialog.ProgressBar1);
                paint.start();
                scans.push_back(seconds([&] { dialog.buttonTrova_Action(); }));
                shown.push_back(paint.painted());
            }
            closeWindow(app, w);
        }
    }

    const bool peers = wanted("peers");
    auto mid = [](const std::vector<double>& values) { return values.empty() ? -1.0 : median(values); };
    const double babelCsv = !peers ? -1 : gpsbabel(babel, {"-i", "tomtom", "-f", big, "-o", "unicsv", "-F", "/dev/null"}, runs);
    const double babelSort = !peers ? -1 : gpsbabel(babel, {"-i", "tomtom", "-f", big, "-x", "sort,description", "-o", "tomtom", "-F",
                                              dir.filePath(QStringLiteral("sorted.ov2"))}, runs);
    const double babelNear = !peers ? -1 : gpsbabel(babel, {"-i", "tomtom", "-f", big, "-x", "position,distance=500m", "-o", "unicsv",
                                              "-F", "/dev/null"}, 1, 60);
    const double fuzz = !peers ? -1 : fuzzRate();

    const double open = mid(opens);
    const double ratio = babelCsv > 0 ? babelCsv / open : -1;
    rows.push_back({"open a document (ApriOv2DaFile)",
                    secondsText(open) + (ratio > 0 ? QStringLiteral(", %1x faster than gpsbabel").arg(ratio, 0, 'f', 1)
                                                   : QString()),
                    "8x faster than gpsbabel", "tomtom -> unicsv " + secondsText(babelCsv), ratio >= 8});
    const double start = mid(starts) - mid(startsOne);
    rows.push_back({"start with big.ov2 until listed and idle", "+" + secondsText(start) + " over a 1-POI file",
                    "under 1 s more", "reading it " + secondsText(babelCsv), start < 1});
    rows.push_back({"peak memory through open and save",
                    QStringLiteral("%1 MB (%2 MB in the empty window)").arg(peak, 0, 'f', 0).arg(before, 0, 'f', 0),
                    "under 300 MB", "-", peak < 300});
    rows.push_back({"delete the marked half", secondsText(mid(deletions)), "under 0.4 s", "-",
                    mid(deletions) < 0.4});
    rows.push_back({"delete all rows, map page shown (100,000 markers)",
                    "page idle after " + secondsText(mid(cleared)) +
                        QStringLiteral(", renderer %1 MB").arg(mid(renderers), 0, 'f', 0),
                    "idle within 1 s, memory bounded", "-", mid(cleared) < 1});
    rows.push_back({"show 100,000 marked rows as markers",
                    secondsText(mid(markers)) + " (" + secondsText(mid(markerCalls)) + " to send the calls)",
                    "under 5 s", "-",
                    mid(markers) < 5});
    rows.push_back({"6000 map callbacks for identifiers no row has", secondsText(mid(unknownCallbacks)), "under 0.5 s",
        "-", mid(unknownCallbacks) < 0.5});
    rows.push_back({"a marker chosen right after a row was added", secondsText(mid(callbackAfterAdding)),
        "under 0.05 s", "-", mid(callbackAfterAdding) < 0.05});
    rows.push_back({"a marker chosen right after a row was deleted", secondsText(mid(callbackAfterRemoving)),
        "under 0.05 s", "-", mid(callbackAfterRemoving) < 0.05});
    rows.push_back({"duplicate scan, Find to the dialog closing",
                    secondsText(mid(scans)) + ", progress shown after " + secondsText(mid(shown)),
                    "under 2 s, progress within 0.1 s",
                    "position,distance=500m " + (babelNear < 0 ? QStringLiteral("over 60 s") : secondsText(babelNear)),
                    mid(scans) < 2 && mid(shown) >= 0 && mid(shown) < 0.1});
    rows.push_back({"sort on the Description heading (Italian order)", secondsText(mid(sorts)), "under 1 s",
                    "sort,description " + secondsText(babelSort), mid(sorts) < 1});
    rows.push_back({"the same, every description distinct", secondsText(mid(distinctSorts)), "under 1 s", "-",
                    mid(distinctSorts) < 1});
    rows.push_back({"fuzzing the OV2 reader",
                    fuzz < 0 ? QStringLiteral("not run (no clang)") : QStringLiteral("%1 inputs/s").arg(fuzz, 0, 'f', 0),
                    "over 10,000 inputs/s", "-", fuzz > 10000});

    std::printf("a million POIs, medians of %d runs; gpsbabel on the same file in the same run\n", runs);
    std::printf("%-52s %-52s %-34s %-36s %s\n", "work", "figure", "goal", "gpsbabel", "met");
    for (const Row& row : rows)
        std::printf("%-52s %-52s %-34s %-36s %s\n", row.work, qPrintable(row.figure), qPrintable(row.goal),
                    qPrintable(row.peer), row.met ? "yes" : "NO");
    Pictures::ReleaseAll();
    return 0;
}
