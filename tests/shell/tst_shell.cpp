#include "platform/HTMLViewer.h"
#include "shell/MenuBar1.h"
#include "shell/Pictures.h"
#include "shell/WindowMenuItem.h"
#include "support/AppFixture.h"
#include "support/TableTranslator.h"
#include "support/TestMain.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

MenuItem* menu(MenuItem& bar, const char* name)
{
    return bar.Child(QLatin1String(name));
}

QStringList itemNames(MenuItem* m)
{
    QStringList names;
    for (int i = 0; i < m->Count(); ++i)
        names << m->Item(i)->Name();
    return names;
}

}  // namespace

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void startupWithoutFiles();
    void startupWithFiles();
    void windowMenuFollowsRenameAndClose();
    void closeOfWindowWithoutEntry();
    void lastCloseQuits();
    void closePrompt_data();
    void closePrompt();
    void quitAsksEachModifiedWindow();
    void menusWithoutTranslations();
    void menusWithTranslations();
    void emptyQuitShortcut();
    void dispatchByName();
    void fileCloseEnabling();
    void fileOpenCancelled();
    void uuidForm();
    void picturesAreShared();
};

void TestShell::startupWithoutFiles()
{
    AppFixture f;
    f.app.NewDocument();
    QCOMPARE(f.windowMenuTexts(), QStringList{"senza nome.ov2"});
    auto* w = f.app.frontWindow();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [senza nome.ov2]"));
    QCOMPARE(w->centralWidget()->minimumSize(), QSize(800, 500));
}

void TestShell::startupWithFiles()
{
    AppFixture f;
    QTemporaryDir dir;
    // One simple record each: type 2, length, longitude and latitude, the text with its zero.
    const QByteArray record = QByteArray::fromHex("021300000040e201008096980050756e746f00");
    QStringList files;
    for (const char* name : {"b.ov2", "a.ov2", "c.ov2"}) {
        files << dir.filePath(QLatin1String(name));
        QFile out(files.last());
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(record);
    }
    for (const QString& file : files)
        f.app.OpenDocument(file);
    QCOMPARE(f.windowMenuTexts(), (QStringList{"b.ov2", "a.ov2", "c.ov2"}));
    QCOMPARE(f.app.frontWindow()->windowTitle(), QString("Lumetra 1.4.0.5 [c.ov2]"));
    // A file that cannot be read still gets its window, untitled, and a word on why.
    f.app.OpenDocument(dir.filePath("missing.ov2"));
    QCOMPARE(f.windowMenuTexts().last(), QString("senza nome.ov2"));
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY(f.services.quitCodes.isEmpty());
}

void TestShell::windowMenuFollowsRenameAndClose()
{
    AppFixture f;
    Applicazione* first = f.newWindow();
    Applicazione* second = f.newWindow();
    f.app.UpdateWindowTitle(second, QStringLiteral("Roma.ov2"));
    QCOMPARE(f.windowMenuTexts(), (QStringList{"senza nome.ov2", "Roma.ov2"}));

    // Two windows of one name: the entry raises its own window.
    f.app.UpdateWindowTitle(first, QStringLiteral("Roma.ov2"));
    auto* entry = static_cast<WindowMenuItem*>(menu(f.app.MenuBar(), "WindowMenu")->Item(0));
    QVERIFY(entry->IsWindow(first));
    QVERIFY(!entry->IsWindow(second));

    f.app.CloseThisWindow(first);
    QCOMPARE(f.windowMenuTexts(), QStringList{"Roma.ov2"});
    QVERIFY(f.services.quitCodes.isEmpty());
}

void TestShell::closeOfWindowWithoutEntry()
{
    AppFixture f;
    f.newWindow();
    QDialog dialog;
    dialog.show();
    f.app.CloseThisWindow(&dialog);
    QVERIFY(dialog.isVisible());
    QCOMPARE(f.windowMenuTexts().size(), 1);
    QVERIFY(f.services.quitCodes.isEmpty());
}

void TestShell::lastCloseQuits()
{
    AppFixture f;
    Applicazione* w = f.newWindow();
    QVERIFY(w->close());  // the close box
    QVERIFY(f.windowMenuTexts().isEmpty());
    QVERIFY(!f.services.quitCodes.isEmpty());
    QCOMPARE(f.services.quitCodes.first(), 0);
}

void TestShell::closePrompt_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("save, then cancel the save dialog") << int(MessageDialog::Pressed::Action) << false;
    QTest::newRow("don't save") << int(MessageDialog::Pressed::Alternate) << true;
    QTest::newRow("cancel") << int(MessageDialog::Pressed::Cancel) << false;
}

void TestShell::closePrompt()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    AppFixture f;
    Applicazione* w = f.newWindow();
    w->setModificato(true);
    f.services.dialogAnswers.enqueue(MessageDialog::Pressed(answer));
    f.services.saveAnswers.enqueue(QString());  // an untitled document saves through Save As
    f.app.CloseThisWindow(w);
    QCOMPARE(f.services.dialogs.size(), 1);
    QVERIFY(f.services.dialogs.first().Message.contains("senza nome.ov2"));
    QCOMPARE(f.windowMenuTexts().isEmpty(), closed);
    QCOMPARE(f.services.quitCodes.isEmpty(), !closed);
    f.services.saveAnswers.clear();
}

void TestShell::quitAsksEachModifiedWindow()
{
    AppFixture f;
    Applicazione* a = f.newWindow();
    Applicazione* b = f.newWindow();
    Applicazione* c = f.newWindow();
    a->setModificato(true);
    c->setModificato(true);
    Q_UNUSED(b);
    f.services.dialogAnswers << MessageDialog::Pressed::Alternate << MessageDialog::Pressed::Cancel;
    f.app.Quit();
    // a was let go, b had nothing to ask, c cancelled: c stays and nothing quits.
    QCOMPARE(f.services.dialogs.size(), 2);
    QCOMPARE(f.windowMenuTexts().size(), 1);
    QVERIFY(f.services.quitCodes.isEmpty());
}

void TestShell::menusWithoutTranslations()
{
    MenuBar1 bar;
    QCOMPARE(itemNames(&bar), (QStringList {"FileMenu", "EditMenu", "WindowMenu"}));
    MenuItem* file = menu(bar, "FileMenu");
    QCOMPARE(file->Count(), 13);
    QCOMPARE(menu(bar, "EditMenu")->Count(), 16);
    QCOMPARE(menu(bar, "WindowMenu")->Count(), 0);
    QCOMPARE(file->Text(), QString("&File"));
    QStringList texts;
    for (int i = 0; i < file->Count(); ++i)
        texts << file->Item(i)->Text();
    QCOMPARE(texts, (QStringList{"&New", "&Open...", "-", "Import Csv...", "-", "&Save", "Save &As...", "-",
                                 "&Close", "Info...", "Check updates...", "-", "&Quit"}));
    QCOMPARE(file->Child("FileQuit")->KeyboardShortcut(), QString("Cmd+Q"));
    QCOMPARE(file->Child("FileSaveAs")->KeyboardShortcut(), QString("Cmd+Shift+S"));
    QCOMPARE(file->Child("FileSaveAs")->action()->shortcut(), QKeySequence("Ctrl+Shift+S"));
    for (const char* none : {"FileImportCsv", "FileInformazioniprogramma", "FileControllaaggiornamenti"})
        QVERIFY(file->Child(none)->KeyboardShortcut().isEmpty());
    QVERIFY(menu(bar, "EditMenu")->Child("EditClear")->KeyboardShortcut().isEmpty());
    for (const char* empty : {"EditMarkItems", "EditRemoveSelected", "EditShowMarked", "EditOrdinaMarked", "EditFind"})
        QVERIFY(menu(bar, "EditMenu")->Child(empty)->Text().isEmpty());
    QCOMPARE(file->Child("FileQuit")->kind(), MenuItem::Kind::QuitMenuItem);
    QCOMPARE(file->Child("FileInformazioniprogramma")->kind(), MenuItem::Kind::AppleMenuItem);
}

void TestShell::menusWithTranslations()
{
    TableTranslator translator({{"App.kFileQuit", "&Esci"},
                                {"App.kEditFindReplace", "Trova e sostituisci..."},
                                {"App.kEditFind", "Trova"},
                                {"Applicazione.kFileQuit", "wrong class"}});
    QCoreApplication::installTranslator(&translator);
    MenuBar1 bar;
    QCOMPARE(menu(bar, "FileMenu")->Child("FileQuit")->Text(), QString("&Esci"));
    QCOMPARE(menu(bar, "EditMenu")->Child("EditFind")->Text(), QString("Trova e sostituisci..."));
    QCOMPARE(menu(bar, "FileMenu")->Child("FileNew")->Text(), QString("&New"));
    QCoreApplication::removeTranslator(&translator);
}

void TestShell::emptyQuitShortcut()
{
    TableTranslator translator({{"App.kFileQuitShortcut", ""}});
    QCoreApplication::installTranslator(&translator);
    MenuBar1 bar;
    MenuItem* quit = menu(bar, "FileMenu")->Child("FileQuit");
    QVERIFY(quit->KeyboardShortcut().isEmpty());
    QVERIFY(quit->action()->shortcut().isEmpty());
    QCoreApplication::removeTranslator(&translator);
}

void TestShell::dispatchByName()
{
    AppFixture f;
    Applicazione* w = f.newWindow();
    int windowCalls = 0;
    w->AddMenuHandler(QStringLiteral("FileSaveAs"), [&] { ++windowCalls; return true; });
    // File > New reaches the application wherever the item stands.
    f.app.DispatchMenu(menu(f.app.MenuBar(), "FileMenu")->Child("FileNew"));
    QCOMPARE(f.windowMenuTexts().size(), 2);
    f.app.setFrontWindow(w);
    menu(f.app.MenuBar(), "FileMenu")->Child("FileSaveAs")->action()->trigger();
    QCOMPARE(windowCalls, 1);
    // Choosing a Window-menu entry brings its window to the front, over the active one.
    QWidget* other = static_cast<WindowMenuItem*>(menu(f.app.MenuBar(), "WindowMenu")->Item(1))->window();
    other->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(other));
    QCOMPARE(f.app.frontWindow(), other);
    auto* entry = static_cast<WindowMenuItem*>(menu(f.app.MenuBar(), "WindowMenu")->Item(0));
    QVERIFY(!entry->Action());
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(QApplication::activeWindow(), w);
    QCOMPARE(f.app.frontWindow(), w);
}

void TestShell::fileCloseEnabling()
{
    AppFixture f;
    MenuItem* close = menu(f.app.MenuBar(), "FileMenu")->Child("FileClose");
    f.app.EnableMenuItems();
    QVERIFY(!close->Enabled());
    QDialog dialog;
    dialog.show();
    f.app.EnableMenuItems();
    QVERIFY(close->Enabled());
}

void TestShell::fileOpenCancelled()
{
    AppFixture f;
    f.services.openAnswers.enqueue(QString());
    QVERIFY(!f.app._FileOpen_Action());
    QVERIFY(f.windowMenuTexts().isEmpty());
    QCOMPARE(f.services.openRequests.first().filter.Name, QString("tomtom/ov2"));
    QCOMPARE(f.services.openRequests.first().filter.Extensions, QString("ov2"));
    QVERIFY(f.services.messages.isEmpty());
}

void TestShell::uuidForm()
{
    const QRegularExpression form("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$");
    const QString a = App::GetUUID();
    const QString b = App::GetUUID();
    QVERIFY(form.match(a).hasMatch());
    QVERIFY(form.match(b).hasMatch());
    QVERIFY(a != b);
    // A random UUID: version 4, the RFC 4122 variant.
    QCOMPARE(a[14], u'4');
    QVERIFY(QStringLiteral("89AB").contains(a[19]));
}

void TestShell::picturesAreShared()
{
    QCOMPARE(&Pictures::google_maps(), &Pictures::google_maps());
    QVERIFY(!Pictures::TBar_Save().isNull());
    const QPixmap& dot = Pictures::PicSeparatorDot();
    QCOMPARE(dot.width(), 2 * dot.height());
    const QPixmap* splash = &Pictures::splash();
    QCOMPARE(&Pictures::splash(), splash);
    QVERIFY(!splash->isNull());
}

LUMETRA_TEST_MAIN(TestShell)

#include "tst_shell.moc"
