#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "platform/TextCase.h"
#include "support/DocumentFixture.h"
#include "support/TableTranslator.h"
#include "support/TestMain.h"
#include "window/Applicazione.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

const QStringList EntryTexts{"Copy description", "-", "Title Case", "-", "UPPER CASE", "lower case", "-",
                             "Delete", "-", "Within 15 km", "-", "Send to TomTom"};
enum Entry { Copy = 0, Title = 2, Upper = 4, Lower = 5, Delete = 7, Range = 9, TomTom = 11 };

struct Row {
    QString description;
    QString latitude;
    QString longitude;
};

struct Doc : DocumentFixture {
    void add(const Row& r) { w->AggiungiPdiAllaLista(r.description, r.latitude, r.longitude, QStringLiteral("0")); }

    // A contextual click at the point of the list's viewport, as the window system sends
    // it after a right press. While the menu is open, `inMenu` gets it; it must close it.
    void contextClick(const QPoint& at, const std::function<void(QMenu*)>& inMenu = {})
    {
        bool opened = false;
        QTimer::singleShot(0, view, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            opened = true;
            if (inMenu)
                inMenu(menu);
            if (menu->isVisible())
                menu->close();
        });
        QWidget* viewport = view->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
        QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
        menuOpened = opened;
        QCoreApplication::processEvents();
    }

    // Right-clicks the row and chooses the entry at that position with the mouse.
    void choose(int row, int entry)
    {
        contextClick(cellCenter(row), [entry](QMenu* menu) {
            QAction* action = menu->actions().at(entry);
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        });
    }

    bool menuOpened = false;
};

QStringList entryTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

}  // namespace

class TestContextMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void noMenuWithoutSelection();
    void twelveEntriesInOrder();
    void entryEffects_data();
    void entryEffects();
    void deleteRemovesSelectedRow();
    void rangeMarksNearRows();
    void actsOnListIndexRow();
    void actionWithoutSelection();
    void caseFunctions_data();
    void caseFunctions();

private:
    std::unique_ptr<TableTranslator> mTexts;
};

void TestContextMenu::initTestCase()
{
    mTexts = std::make_unique<TableTranslator>(QHash<QString, QString>{
        {"Applicazione.kMenu_CopyDescription", EntryTexts[Copy]},
        {"Applicazione.kMenu_TitleCase", EntryTexts[Title]},
        {"Applicazione.kMenu_Upparcase", EntryTexts[Upper]},
        {"Applicazione.kMenu_Lowercase", EntryTexts[Lower]},
        {"Applicazione.kMenu_Delete", EntryTexts[Delete]},
        {"Applicazione.kMenu_Rangekm", EntryTexts[Range]},
        {"Applicazione.kMenu_SendTomTom", EntryTexts[TomTom]},
    });
    QCoreApplication::installTranslator(mTexts.get());
}

void TestContextMenu::cleanupTestCase()
{
    QCoreApplication::removeTranslator(mTexts.get());
}

void TestContextMenu::noMenuWithoutSelection()
{
    Doc d;
    d.contextClick(QPoint(20, 20));
    QVERIFY(!d.menuOpened);

    d.add({"Roma", "41.9", "12.5"});
    // Below the rows: the press selects nothing.
    d.contextClick(d.cellCenter(0) + QPoint(0, 200));
    QVERIFY(!d.menuOpened);
    QCOMPARE(d.list->ListIndex(), -1);

    QMenu base;
    QVERIFY(!d.list->ConstructContextualMenu(base, 0, 0));
    QVERIFY(base.actions().isEmpty());
    QVERIFY(!d.w->Modificato());
}

void TestContextMenu::twelveEntriesInOrder()
{
    Doc d;
    d.add({"Roma", "41.9", "12.5"});
    d.add({"Milano", "45.46", "9.19"});
    QStringList shown;
    // The right press selects the row under it, so the menu has a row to act on.
    d.contextClick(d.cellCenter(1), [&shown](QMenu* menu) { shown = entryTexts(menu); });
    QVERIFY(d.menuOpened);
    QCOMPARE(d.list->ListIndex(), 1);
    QCOMPARE(shown, EntryTexts);
    // Closing the menu without a choice changes nothing.
    QVERIFY(!d.w->Modificato());

    // With no translations the entries have no texts, yet each still finds its command.
    QCoreApplication::removeTranslator(mTexts.get());
    QMenu base;
    QVERIFY(d.list->ConstructContextualMenu(base, 0, 0));
    QCoreApplication::installTranslator(mTexts.get());
    QCOMPARE(base.actions().size(), 12);
    QVERIFY(d.list->ContextualMenuAction(base.actions().at(Upper)));
    QCOMPARE(d.list->Cell(1, 0), QString("MILANO"));
}

void TestContextMenu::entryEffects_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("url");
    QTest::newRow("copy") << int(Copy) << "Bar Sport > 061234" << "Bar Sport > 061234" << true
                          << "Bar Sport > 061234" << "";
    QTest::newRow("title case") << int(Title) << "rOMA nord > 06 1234" << "Roma Nord > 06 1234" << true << ""
                                << "";
    QTest::newRow("upper case") << int(Upper) << "caffè ß > 06 1234" << "CAFFÈ SS > 06 1234" << true << "" << "";
    QTest::newRow("lower case") << int(Lower) << "ÀNGELO > 06 1234" << "àngelo > 06 1234" << true << "" << "";
    QTest::newRow("send to TomTom") << int(TomTom) << "Pisa > 050" << "Pisa > 050" << false << ""
                                    << "tomtomhome:location?43.12345,10.12345";
}

void TestContextMenu::entryEffects()
{
    QFETCH(int, entry);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, modified);
    QFETCH(QString, clipboard);
    QFETCH(QString, url);
    Doc d;
    d.add({"Roma", "41.9", "12.5"});
    d.add({before, "43.12345", "10.12345"});
    const QPixmap* icon = d.list->RowPicture(1);

    d.choose(1, entry);

    QVERIFY(d.menuOpened);
    QCOMPARE(d.list->Cell(1, 0), after);
    QCOMPARE(d.list->Cell(0, 0), QString("Roma"));
    QCOMPARE(d.w->Modificato(), modified);
    QCOMPARE(d.titleMarked(), modified);
    QCOMPARE(d.f.services.clipboard, clipboard);
    QCOMPARE(d.f.services.urls, url.isEmpty() ? QStringList() : QStringList{url});
    // Only the description changes: the row's mark, icon and coordinates stay.
    QCOMPARE(d.list->Cell(1, 4), QString("0"));
    QCOMPARE(d.list->RowPicture(1), icon);
    QCOMPARE(d.list->Cell(1, 1), QString("43.12345"));
}

void TestContextMenu::deleteRemovesSelectedRow()
{
    Doc d;
    d.add({"Roma", "41.9", "12.5"});
    d.add({"Milano", "45.46", "9.19"});
    d.add({"Napoli", "40.85", "14.27"});
    d.list->setCellCheck(1, 0, true);
    d.choose(1, Delete);
    QCOMPARE(d.list->ListCount(), 2);
    QCOMPARE(d.list->Cell(0, 0), QString("Roma"));
    QCOMPARE(d.list->Cell(1, 0), QString("Napoli"));
    QVERIFY(d.w->LabelSelezionati()->text().endsWith(QStringLiteral(":  0 / 2")));
    QVERIFY(d.titleMarked());
}

void TestContextMenu::rangeMarksNearRows()
{
    Doc d;
    d.add({"far", "45.18", "9.0"});   // about 20 km north
    d.add({"here", "45.0", "9.0"});
    d.add({"near", "45.09", "9.0"});  // about 10 km north
    d.list->setCellCheck(0, 0, true);
    d.choose(1, Range);
    QVERIFY(!d.list->CellCheck(0, 0));
    QVERIFY(d.list->CellCheck(1, 0));
    QVERIFY(d.list->CellCheck(2, 0));
    QVERIFY(d.titleMarked());
}

void TestContextMenu::actsOnListIndexRow()
{
    Doc d;
    d.add({"roma", "41.9", "12.5"});
    d.add({"milano", "45.46", "9.19"});
    d.add({"napoli", "40.85", "14.27"});
    d.list->setSelected(2, true);
    d.list->setSelected(1, true);
    QCOMPARE(d.list->SelCount(), 2);
    QCOMPARE(d.list->ListIndex(), 1);

    QMenu base;
    QVERIFY(d.list->ConstructContextualMenu(base, 0, 0));
    QVERIFY(d.list->ContextualMenuAction(base.actions().at(Upper)));
    QCOMPARE(d.list->Cell(1, 0), QString("MILANO"));
    QCOMPARE(d.list->Cell(2, 0), QString("napoli"));
    QVERIFY(d.list->ContextualMenuAction(base.actions().at(TomTom)));
    QCOMPARE(d.f.services.urls, QStringList{"tomtomhome:location?45.46,9.19"});
}

void TestContextMenu::actionWithoutSelection()
{
    Doc d;
    d.add({"roma", "41.9", "12.5"});
    d.list->setListIndex(0);
    QMenu base;
    QVERIFY(d.list->ConstructContextualMenu(base, 0, 0));
    d.list->setListIndex(-1);
    QVERIFY(d.list->ContextualMenuAction(base.actions().at(Upper)));
    QCOMPARE(d.list->Cell(0, 0), QString("roma"));
    QVERIFY(!d.w->Modificato());

    // An entry that is none of the commands still marks the document.
    d.list->setListIndex(0);
    QAction stranger(QStringLiteral("Other"));
    QVERIFY(d.list->ContextualMenuAction(&stranger));
    QCOMPARE(d.list->Cell(0, 0), QString("roma"));
    QVERIFY(d.titleMarked());
}

void TestContextMenu::caseFunctions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::newRow("mixed") << "rOMA nord" << "Roma Nord" << "ROMA NORD" << "roma nord";
    QTest::newRow("phone") << "bar>06 123" << "Bar>06 123" << "BAR>06 123" << "bar>06 123";
    QTest::newRow("apostrophe") << "dell'ARTE" << "Dell'arte" << "DELL'ARTE" << "dell'arte";
    QTest::newRow("digit first") << "3RD street" << "3rd Street" << "3RD STREET" << "3rd street";
    QTest::newRow("accents") << "ÉCOLE été" << "École Été" << "ÉCOLE ÉTÉ" << "école été";
    QTest::newRow("blanks kept") << "  due  spazi " << "  Due  Spazi " << "  DUE  SPAZI " << "  due  spazi ";
    QTest::newRow("punctuation") << "via roma,12-b (ex)" << "Via Roma,12-B (Ex)" << "VIA ROMA,12-B (EX)"
                                 << "via roma,12-b (ex)";
    QTest::newRow("digraph") << "ǆemal" << "ǅemal" << "ǄEMAL" << "ǆemal";
    QTest::newRow("outside the BMP") << "𐐨𐐨 x" << "𐐀𐐨 X" << "𐐀𐐀 X" << "𐐨𐐨 x";
    QTest::newRow("empty") << "" << "" << "" << "";
}

void TestContextMenu::caseFunctions()
{
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QCOMPARE(Titlecase(text), title);
    QCOMPARE(Uppercase(text), upper);
    QCOMPARE(Lowercase(text), lower);
}

LUMETRA_TEST_MAIN(TestContextMenu)

#include "tst_contextmenu.moc"
