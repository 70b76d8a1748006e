#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "poi/PoiDocument.h"
#include "search/DuplicateDialog.h"
#include "search/SearchDialog.h"
#include "shell/AboutDialog.h"
#include "shell/Toolbar1.h"
#include "support/AppFixture.h"
#include "support/TestMain.h"
#include "support/WindowRows.h"
#include "window/Applicazione.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using WindowRows::Descriptions;
using WindowRows::MarkedRows;

namespace {

// A window with rows "P0", "P1", ... none marked, none selected, not modified.
Applicazione* windowWithRows(AppFixture& f, int rows)
{
    Applicazione* w = f.newWindow();
    WindowRows::AddNumberedRows(*w, rows);
    return w;
}


// What the services saw, in one line: the kinds of dialogs asked for, URLs shown.
QString servicesSeen(const FakeServices& s, const QStringList& modalClasses)
{
    QStringList seen;
    for (const auto& r : s.openRequests)
        seen << QStringLiteral("open:") + r.filter.Name;
    for (const auto& r : s.saveRequests)
        seen << QStringLiteral("save:") + r.defaultName;
    for (const QString& url : s.urls)
        seen << QStringLiteral("url:") + url;
    if (!s.dialogs.isEmpty())
        seen << QStringLiteral("message");
    for (const QString& c : modalClasses)
        seen << QStringLiteral("modal:") + c;
    return seen.join(u' ');
}

}  // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void toolbarDispatch_data();
    void toolbarDispatch();
    void saveWithFileAsksNothing();
    void menuResults_data();
    void menuResults();
    void dialogsNeedRows();
    void dialogsFreshOverTheWindow();
    void duplicatesRefreshMarkedCount();
    void markItems();
    void markItemsWithoutSelection();
    void removeSelected_data();
    void removeSelected();
    void sortMarkedFirst_data();
    void sortMarkedFirst();
    void editCommandsFollowTheFocus();
};

void TestCommands::toolbarDispatch_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("seen");
    QTest::addColumn<int>("rowsAfter");

    QTest::newRow("clear") << "ToolItemSvuota" << "" << 0;
    QTest::newRow("open") << "ToolItemApri" << "open:tomtom/ov2" << 2;
    QTest::newRow("import") << "ToolItemAggiungi" << "open:tomtom/ov2" << 2;
    QTest::newRow("save untitled") << "ToolItemSalva" << "save:senza nome.ov2" << 2;
    QTest::newRow("csv") << "ToolItemEsportaCsv" << "save:senza nome.csv" << 2;
    QTest::newRow("kml") << "ToolItemEsportaGoogleEarth" << "save:senza nome.kml" << 2;
    QTest::newRow("find") << "ToolItemTrova" << "modal:SearchDialog" << 2;
    QTest::newRow("duplicates") << "ToolItemTrovaDup" << "modal:DuplicateDialog" << 2;
    QTest::newRow("info") << "ToolItemInfo" << "modal:AboutDialog" << 2;
    QTest::newRow("updates") << "ToolItemAggiorna" << "message" << 2;
    QTest::newRow("donate") << "ToolItemPaypal" << "url:https://lumetra.example.org/paypal.htm" << 2;
    for (const char* spacer : {"ToolItem1", "ToolItem8", "ToolItem3", "ToolItem2", "ToolItem4", "ToolItem6"})
        QTest::newRow(spacer) << spacer << "" << 2;
}

void TestCommands::toolbarDispatch()
{
    QFETCH(QString, name);
    QFETCH(QString, seen);
    QFETCH(int, rowsAfter);

    AppFixture f;
    Applicazione* w = windowWithRows(f, 2);
    // Every question gets a cancel, so nothing changes but what the command itself does.
    f.services.openAnswers.enqueue(QString());
    f.services.saveAnswers.enqueue(QString());
    f.services.dialogAnswers.enqueue(MessageDialog::Pressed::Cancel);
    QStringList modalClasses;
    f.services.modalHandlers.enqueue([&](QDialog& d) {
        modalClasses << QLatin1String(d.metaObject()->className());
        return int(QDialog::Rejected);
    });

    QAction* item = toolItemOf(*w, name);
    QVERIFY(item);
    w->Toolbar11()->Action(item);

    QCOMPARE(servicesSeen(f.services, modalClasses), seen);
    QCOMPARE(w->ListBox1()->ListCount(), rowsAfter);
    QVERIFY(!w->Modificato());
    QVERIFY(!w->windowTitle().contains(QLatin1String(" *")));
}

void TestCommands::saveWithFileAsksNothing()
{
    QTemporaryDir dir;
    AppFixture f;
    Applicazione* w = windowWithRows(f, 1);
    w->Document().setFileOv2Aperto(dir.filePath(QStringLiteral("Roma.ov2")));
    w->setModificato(true);
    QVERIFY(!w->HandleMenu(QStringLiteral("FileSave")));
    QVERIFY(f.services.saveRequests.isEmpty());
    QVERIFY(QFileInfo(w->FileOv2Aperto()).size() > 0);
    w->Toolbar11()->Action(toolbarOf(*w).ToolItemSalva);
    QVERIFY(f.services.saveRequests.isEmpty());
}

void TestCommands::menuResults_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("consumed");

    QTest::newRow("save") << "FileSave" << 1 << false;
    QTest::newRow("save as") << "FileSaveAs" << 1 << false;
    QTest::newRow("import csv") << "FileImportCsv" << 1 << false;
    QTest::newRow("find, empty list") << "EditFind" << 0 << true;
    QTest::newRow("mark items") << "EditMarkItems" << 1 << true;
    QTest::newRow("mark items, empty list") << "EditMarkItems" << 0 << true;
    QTest::newRow("show marked") << "EditShowMarked" << 1 << true;
    QTest::newRow("marked first") << "EditOrdinaMarked" << 1 << false;
    QTest::newRow("remove selected") << "EditRemoveSelected" << 1 << true;
    QTest::newRow("remove selected, empty list") << "EditRemoveSelected" << 0 << true;
}

void TestCommands::menuResults()
{
    QFETCH(QString, item);
    QFETCH(int, rows);
    QFETCH(bool, consumed);

    AppFixture f;
    Applicazione* w = windowWithRows(f, rows);
    f.services.openAnswers.enqueue(QString());
    f.services.saveAnswers.enqueue(QString());
    QCOMPARE(w->HandleMenu(item), consumed);
}

void TestCommands::dialogsNeedRows()
{
    // No modal answer is scripted: a dialog opened here fails the test.
    AppFixture f;
    Applicazione* w = f.newWindow();
    w->Toolbar11()->Action(toolbarOf(*w).ToolItemTrova);
    w->Toolbar11()->Action(toolbarOf(*w).ToolItemTrovaDup);
    QVERIFY(w->HandleMenu(QStringLiteral("EditFind")));
    QVERIFY(f.services.messages.isEmpty());
    QVERIFY(f.services.dialogs.isEmpty());
}

void TestCommands::dialogsFreshOverTheWindow()
{
    AppFixture f;
    Applicazione* w = windowWithRows(f, 1);
    QList<bool> fresh;
    auto check = [&](QDialog& d) {
        Listbox* lista = nullptr;
        if (auto* s = qobject_cast<SearchDialog*>(&d))
            lista = s->Lista;
        else if (auto* dup = qobject_cast<DuplicateDialog*>(&d))
            lista = dup->Lista;
        fresh << !d.property("seen").toBool();
        d.setProperty("seen", true);
        return lista == w->ListBox1() && d.parentWidget() == w ? int(QDialog::Accepted) : int(QDialog::Rejected);
    };
    for (int i = 0; i < 4; ++i)
        f.services.modalHandlers.enqueue(check);
    w->Toolbar11()->Action(toolbarOf(*w).ToolItemTrova);
    QVERIFY(w->HandleMenu(QStringLiteral("EditFind")));
    w->Toolbar11()->Action(toolbarOf(*w).ToolItemTrovaDup);
    w->Toolbar11()->Action(toolbarOf(*w).ToolItemTrovaDup);
    QVERIFY(f.services.modalHandlers.isEmpty());
    QCOMPARE(fresh, (QList<bool>{true, true, true, true}));
    QVERIFY(!w->Modificato());
}

void TestCommands::duplicatesRefreshMarkedCount()
{
    AppFixture f;
    Applicazione* w = windowWithRows(f, 3);
    f.services.modalHandlers.enqueue([](QDialog& d) {
        auto& dialog = static_cast<DuplicateDialog&>(d);
        dialog.Lista->setCellCheck(0, 0, true);
        dialog.Lista->setCellCheck(2, 0, true);
        return int(QDialog::Accepted);
    });
    w->Toolbar11()->Action(toolbarOf(*w).ToolItemTrovaDup);
    QVERIFY(w->LabelSelezionati()->text().endsWith(QLatin1String(":  2 / 3")));
    QVERIFY(!w->Modificato());
}

void TestCommands::markItems()
{
    AppFixture f;
    Applicazione* w = windowWithRows(f, 4);
    Listbox& list = *w->ListBox1();
    list.setCellCheck(0, 0, true);
    list.setSelected(2, true);
    list.setSelected(3, true);
    QVERIFY(w->HandleMenu(QStringLiteral("EditMarkItems")));
    // Selected rows are marked; a mark outside the selection stays.
    QCOMPARE(MarkedRows(list), (QList<int>{0, 2, 3}));
    QVERIFY(w->LabelSelezionati()->text().endsWith(QLatin1String(":  3 / 4")));
    QVERIFY(!w->Modificato());
}

void TestCommands::markItemsWithoutSelection()
{
    AppFixture f;
    Applicazione* w = windowWithRows(f, 3);
    w->ListBox1()->setCellCheck(1, 0, true);
    w->LabelSelezionati()->setText(QStringLiteral("untouched"));
    QVERIFY(w->HandleMenu(QStringLiteral("EditMarkItems")));
    QCOMPARE(MarkedRows(*w->ListBox1()), QList<int>{1});
    QCOMPARE(w->LabelSelezionati()->text(), QString("untouched"));
}

void TestCommands::removeSelected_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("all") << QList<int>{0, 1, 2, 3, 4} << QStringList{};
    QTest::newRow("some") << QList<int>{1, 3} << QStringList{"P0", "P2", "P4"};
    QTest::newRow("first and last") << QList<int>{0, 4} << QStringList{"P1", "P2", "P3"};
    QTest::newRow("none") << QList<int>{} << QStringList{"P0", "P1", "P2", "P3", "P4"};
}

void TestCommands::removeSelected()
{
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, left);

    AppFixture f;
    Applicazione* w = windowWithRows(f, 5);
    for (int row : selected)
        w->ListBox1()->setSelected(row, true);
    QVERIFY(w->HandleMenu(QStringLiteral("EditRemoveSelected")));
    QCOMPARE(Descriptions(*w->ListBox1()), left);
    // Removed rows are a change a save would write.
    const bool removed = !selected.isEmpty();
    QCOMPARE(w->Modificato(), removed);
    QCOMPARE(w->windowTitle().endsWith(QLatin1String(" *]")), removed);
    if (removed)
        QVERIFY(w->LabelSelezionati()->text().endsWith(QStringLiteral(":  0 / %1").arg(left.size())));
}

void TestCommands::sortMarkedFirst_data()
{
    QTest::addColumn<QList<int>>("marked");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<bool>("modified");

    QTest::newRow("moved") << QList<int>{2} << QStringList{"P2", "P0", "P1"} << true;
    QTest::newRow("already first") << QList<int>{0, 1} << QStringList{"P0", "P1", "P2"} << false;
    QTest::newRow("none marked") << QList<int>{} << QStringList{"P0", "P1", "P2"} << false;
}

void TestCommands::sortMarkedFirst()
{
    QFETCH(QList<int>, marked);
    QFETCH(QStringList, order);
    QFETCH(bool, modified);

    AppFixture f;
    Applicazione* w = windowWithRows(f, 3);
    for (int row : marked)
        w->ListBox1()->setCellCheck(row, 0, true);
    QVERIFY(!w->HandleMenu(QStringLiteral("EditOrdinaMarked")));
    QCOMPARE(Descriptions(*w->ListBox1()), order);
    QCOMPARE(w->Modificato(), modified);
    QCOMPARE(w->windowTitle().endsWith(QLatin1String(" *]")), modified);
}

void TestCommands::editCommandsFollowTheFocus()
{
    AppFixture f;
    Applicazione* w = f.newWindow();
    w->EditFieldNome()->setText("Bar Roma");
    w->EditFieldNome()->setFocus();
    QVERIFY(w->HandleMenu("EditSelectAll"));
    QVERIFY(w->HandleMenu("EditClear"));
    QVERIFY(w->EditFieldNome()->text().isEmpty());
    // Without a field in focus they go to the map, and leave the fields alone.
    w->EditFieldLatitudine()->setText("43.5");
    w->ListBox1()->setFocus();
    QVERIFY(w->HandleMenu("EditSelectAll"));
    QVERIFY(w->HandleMenu("EditClear"));
    QCOMPARE(w->EditFieldLatitudine()->text(), QString("43.5"));
}

LUMETRA_TEST_MAIN(TestCommands)

#include "tst_commands.moc"
