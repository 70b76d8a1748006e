#include "X11Probe.h"

#include "shell/DownloadUpdate.h"
#include "shell/Toolbar1.h"
#include "support/AppFixture.h"
#include "support/TestMain.h"
#include "support/WindowRows.h"
#include "window/Applicazione.h"

#include <QDialog>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace X11Probe;

namespace {

// What one dialog asked of the window manager while it was shown, and what a window
// manager, when one runs, made of it.
struct Asked {
    MotifHints motif;
    SizeHints sizes;
    QSize size;
    uint32_t transientFor = 0;
    QStringList types;
    QStringList allowed;
};

// Opens a dialog as the program does and reads its hints from inside its modal run.
Asked readWhileShown(FakeServices& services, const std::function<void()>& open)
{
    Asked asked;
    const bool managed = WindowManagerRuns();
    services.modalHandlers.enqueue([&](QDialog& dialog) {
        if (!QTest::qWaitForWindowExposed(&dialog))
            return int(QDialog::Rejected);
        const uint32_t window = WindowOf(&dialog);
        // A window manager says what it allows once it manages the window.
        if (managed && !QTest::qWaitFor([&] { return !AtomNames(window, "_NET_WM_ALLOWED_ACTIONS").isEmpty(); }))
            return int(QDialog::Rejected);
        asked.motif = Motif(window);
        asked.sizes = NormalHints(window);
        asked.size = dialog.size();
        asked.transientFor = TransientFor(window);
        asked.types = AtomNames(window, "_NET_WM_WINDOW_TYPE");
        asked.allowed = AtomNames(window, "_NET_WM_ALLOWED_ACTIONS");
        return int(QDialog::Rejected);
    });
    open();
    return asked;
}

} // namespace

// The program's dialogs on a real X server: the buttons, size and owner each asks for.
class TestWindowHints : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void dialogs_data();
    void dialogs();
};

void TestWindowHints::initTestCase()
{
    if (!Available())
        QSKIP("needs an X server: run through scripts/with-xserver.sh");
}

void TestWindowHints::dialogs_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<bool>("close");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("withDocument");

    QTest::newRow("download") << "download" << false << QSize(297, 74) << false;
    QTest::newRow("about") << "about" << true << QSize(546, 350) << false;
    QTest::newRow("find and replace") << "find" << false << QSize(569, 192) << true;
    QTest::newRow("duplicates") << "duplicates" << false << QSize(314, 87) << true;
}

void TestWindowHints::dialogs()
{
    QFETCH(QString, which);
    QFETCH(bool, close);
    QFETCH(QSize, size);
    QFETCH(bool, withDocument);

    AppFixture f;
    QTemporaryDir desktop;
    f.services.desktopFolder = desktop.path();
    Applicazione* w = f.newWindow();
    WindowRows::AddNumberedRows(*w, 2);
    QVERIFY(QTest::qWaitForWindowExposed(w));

    const Asked asked = readWhileShown(f.services, [&] {
        Toolbar1& toolbar = toolbarOf(*w);
        if (which == QLatin1String("download")) {
            // Nothing answers there: the window stays open after its error.
            DownloadUpdate window(QStringLiteral("http://127.0.0.1:9/lumetra.zip"));
            window.ShowModal();
        } else if (which == QLatin1String("about")) {
            w->Toolbar11()->Action(toolbar.ToolItemInfo);
        } else if (which == QLatin1String("find")) {
            w->Toolbar11()->Action(toolbar.ToolItemTrova);
        } else {
            w->Toolbar11()->Action(toolbar.ToolItemTrovaDup);
        }
    });
    QVERIFY2(f.services.modalHandlers.isEmpty(), "the dialog did not open");
    QVERIFY2(asked.size.isValid(), "the dialog was not shown, or no window manager took it");

    const MotifHints& m = asked.motif;
    QVERIFY2(m.present, "no _MOTIF_WM_HINTS");
    QVERIFY2(!m.allowsFunction(FunctionMinimize), qPrintable(m.text()));
    QVERIFY2(!m.allowsFunction(FunctionMaximize), qPrintable(m.text()));
    if (m.namesDecorations()) {
        QVERIFY2(!m.allowsDecoration(DecorationMinimize), qPrintable(m.text()));
        QVERIFY2(!m.allowsDecoration(DecorationMaximize), qPrintable(m.text()));
    }
    QCOMPARE(m.allowsFunction(FunctionClose), close);
    QVERIFY2(m.allowsFunction(FunctionMove), qPrintable(m.text()));

    // Not resizable: the smallest and the largest size are the window's own.
    QCOMPARE(asked.size, size);
    QCOMPARE(asked.sizes.minimum, size);
    QCOMPARE(asked.sizes.maximum, size);

    QCOMPARE(asked.types.value(0), QStringLiteral("_NET_WM_WINDOW_TYPE_DIALOG"));
    if (withDocument)
        QCOMPARE(asked.transientFor, WindowOf(w));

    // What the window manager makes of it: whether it still offers minimise to a dialog
    // is its own choice, but a window of one size can be neither resized nor maximised.
    if (WindowManagerRuns()) {
        const QString allowed = asked.allowed.join(QLatin1Char(' '));
        for (const char* action :
            {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"})
            QVERIFY2(!asked.allowed.contains(QLatin1String(action)), qPrintable(allowed));
        if (close)
            QVERIFY2(asked.allowed.contains(QStringLiteral("_NET_WM_ACTION_CLOSE")), qPrintable(allowed));
    }
}

LUMETRA_TEST_MAIN(TestWindowHints)
#include "tst_windowhints.moc"
