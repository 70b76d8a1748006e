#include "map/MapBridge.h"
#include "ov2/Ov2Dylib.h"
#include "platform/BevelButton.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "poi/PoiDocument.h"
#include "shell/Pictures.h"
#include "shell/Toolbar1.h"
#include "support/DocumentFixture.h"
#include "support/PageProbe.h"
#include "support/TestMain.h"
#include "support/WindowRows.h"
#include "window/Applicazione.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Tint(237, 243, 254);

struct Row {
    QString description;
    QString latitude;
    QString longitude;
    QString mod;
};

// The document window, active, so clicks and keys reach its list.
struct Doc : DocumentFixture {
    Doc()
    {
        w->activateWindow();
        QApplication::setActiveWindow(w);
    }

    void add(const Row& r) { w->AggiungiPdiAllaLista(r.description, r.latitude, r.longitude, r.mod); }

    void click(int row, int column)
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cellCenter(row, column));
    }

    void doubleClick(int row, int column)
    {
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cellCenter(row, column));
    }

    // The line editor open on the cell, if any.
    QLineEdit* editor(int row, int column) const
    {
        return qobject_cast<QLineEdit*>(view->indexWidget(view->model()->index(row, column)));
    }

    bool editing() const
    {
        const auto editors = view->viewport()->findChildren<QLineEdit*>();
        return std::any_of(editors.begin(), editors.end(), [](QLineEdit* e) { return e->isVisible(); });
    }

    QStringList column(int c) const
    {
        QStringList texts;
        for (int row = 0; row < list->ListCount(); ++row)
            texts << list->Cell(row, c);
        return texts;
    }

    QColor textColor(int row, int c) const
    {
        return view->model()->index(row, c).data(Qt::ForegroundRole).value<QBrush>().color();
    }

    void clickHeading(int column)
    {
        QHeaderView* heading = static_cast<QTableView*>(view)->horizontalHeader();
        const QPoint at(heading->sectionViewportPosition(column) + heading->sectionSize(column) / 2,
                        heading->height() / 2);
        QTest::mouseClick(heading->viewport(), Qt::LeftButton, {}, at);
    }
};

// Opens the cell with a double click, replaces its text by typing and ends the edit.
void typeInto(Doc& d, int row, int column, const QString& text)
{
    d.doubleClick(row, column);
    QLineEdit* editor = d.editor(row, column);
    QVERIFY(editor);
    editor->selectAll();
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Backspace);
    else
        QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!d.editing());
}

}  // namespace

class TestListEvents : public QObject {
    Q_OBJECT
private slots:
    void editedCoordinate_data();
    void editedCoordinate();
    void clearedDescriptionGetsPlaceholder();
    void editedDescriptionIsOneLine();
    void typingMarksRowBeforeEditEnds();
    void checkBoxToggleLeavesMod();
    void editedDescriptionSetsPhoneIcon_data();
    void editedDescriptionSetsPhoneIcon();
    void rowColours_data();
    void rowColours();
    void evenRowsTinted();
    void headingSortsNumerically();
    void headingMarksOnlyANewOrder();
    void openEditSurvivesCommands_data();
    void openEditSurvivesCommands();
    void equalValuesCompareAsLesser();
    void sortWithManyEqualValues();
    void returnOpensRememberedCell();
    void onlyReturnOpensAnEdit();
    void vanishedCellIsNotEdited_data();
    void vanishedCellIsNotEdited();
    void hiddenColumnIsNeverEdited();
    void selectionRemembersRow();
    void selectionGoesToMapUnlessFromMap();
    void dragReorderMarksModified();
};

void TestListEvents::editedCoordinate_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("comma becomes point") << 1 << "12,5" << "12.5";
    QTest::newRow("leading zero") << 1 << "012,50" << "12.5";
    QTest::newRow("negative longitude as its number") << 2 << "-7.250" << "-7.25";
    // What is no coordinate leaves the position the row had.
    QTest::newRow("text") << 1 << "abc" << "45.46";
    QTest::newRow("two commas") << 1 << "1,2,3" << "45.46";
    QTest::newRow("emptied") << 2 << "" << "9.19";
    QTest::newRow("latitude past the pole") << 1 << "90.5" << "45.46";
    QTest::newRow("longitude 1e5") << 2 << "1e5" << "9.19";
    QTest::newRow("latitude 999") << 1 << "999" << "45.46";
}

void TestListEvents::editedCoordinate()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Doc d;
    d.add({"Roma", "41.9", "12.5", "0"});
    d.add({"Milano", "45.46", "9.19", "0"});
    QVERIFY(!d.titleMarked());

    typeInto(d, 1, column, typed);

    QCOMPARE(d.list->Cell(1, column), stored);
    QCOMPARE(d.list->Cell(1, 4), QString("1"));
    QCOMPARE(d.textColor(1, column), Blue);
    QVERIFY(d.w->Modificato());
    QVERIFY(d.titleMarked());
    // The other row and the row's other coordinate are untouched.
    QCOMPARE(d.list->Cell(0, column), column == 1 ? QString("41.9") : QString("12.5"));
    QCOMPARE(d.list->Cell(1, 3 - column), column == 1 ? QString("9.19") : QString("45.46"));
}

void TestListEvents::clearedDescriptionGetsPlaceholder()
{
    Doc d;
    d.add({"Roma", "41.9", "12.5", "0"});
    QCOMPARE(d.textColor(0, 0), Black);

    typeInto(d, 0, 0, QString());

    QCOMPARE(d.list->Cell(0, 0), QString("Inserire il testo..."));
    QCOMPARE(d.list->Cell(0, 4), QString("1"));
    QCOMPARE(d.textColor(0, 0), Blue);
    QVERIFY(d.titleMarked());
}

// A pasted line break or tab becomes a blank; a file's own tab survives a mark toggled.
void TestListEvents::editedDescriptionIsOneLine()
{
    Doc d;
    d.add({"Roma", "41.9", "12.5", "0"});
    d.add({"Tab\tfrom the file", "45.46", "9.19", "0"});
    d.doubleClick(0, 0);
    QLineEdit* editor = d.editor(0, 0);
    QVERIFY(editor);
    editor->setText("Bar\tRoma\r\nNord");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!d.editing());
    QCOMPARE(d.list->Cell(0, 0), QString("Bar Roma  Nord"));

    d.list->setCellCheck(1, 0, true);
    d.list->view()->model()->setData(d.list->view()->model()->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
    QVERIFY(!d.list->CellCheck(1, 0));
    QCOMPARE(d.list->Cell(1, 0), QString("Tab\tfrom the file"));
}

void TestListEvents::typingMarksRowBeforeEditEnds()
{
    Doc d;
    d.add({"Roma", "41.9", "12.5", "0"});
    d.doubleClick(0, 0);
    QLineEdit* editor = d.editor(0, 0);
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_X);
    QCOMPARE(d.list->Cell(0, 4), QString("1"));
    QVERIFY(!d.w->Modificato());

    // Escape ends the edit without storing it: the row stays marked, the document not.
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!d.editing());
    QCOMPARE(d.list->Cell(0, 0), QString("Roma"));
    QVERIFY(!d.w->Modificato());
}

void TestListEvents::checkBoxToggleLeavesMod()
{
    Doc d;
    d.add({"Roma", "41.9", "12.5", "0"});
    d.add({"Milano", "45.46", "9.19", "1"});
    for (int row : {0, 1}) {
        const QString mod = d.list->Cell(row, 4);
        const QColor colour = d.textColor(row, 0);
        QStyleOptionViewItem option;
        option.initFrom(d.view);
        option.rect = d.view->visualRect(d.view->model()->index(row, 0));
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect box = d.view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, d.view);
        QTest::mouseClick(d.view->viewport(), Qt::LeftButton, {}, box.center());
        QVERIFY(d.list->CellCheck(row, 0));
        QCOMPARE(d.list->Cell(row, 4), mod);
        QCOMPARE(d.textColor(row, 0), colour);
        QCOMPARE(d.list->Cell(row, 0), row == 0 ? QString("Roma") : QString("Milano"));
    }
    QVERIFY(d.w->Modificato());
    QVERIFY(d.titleMarked());
    QVERIFY(d.w->LabelSelezionati()->text().endsWith(QStringLiteral(":  2 / 2")));
}

void TestListEvents::editedDescriptionSetsPhoneIcon_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<const QPixmap*>("icon");
    QTest::newRow("number") << "Bar Sport > 061234567" << &Pictures::phone_ok();
    QTest::newRow("nothing after the mark") << "Bar Sport >" << &Pictures::phone_error();
    QTest::newRow("no number") << "Bar Sport" << &Pictures::phone_none();
    QTest::newRow("emptied") << "" << &Pictures::phone_none();
}

void TestListEvents::editedDescriptionSetsPhoneIcon()
{
    QFETCH(QString, typed);
    QFETCH(const QPixmap*, icon);
    Doc d;
    d.add({"Roma > 06", "41.9", "12.5", "0"});
    QCOMPARE(d.list->RowPicture(0), &Pictures::phone_ok());
    d.list->setRowPicture(0, nullptr);
    typeInto(d, 0, 0, typed);
    QCOMPARE(d.list->RowPicture(0), icon);
}

void TestListEvents::rowColours_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("mod");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("57, read") << QString(57, u'a') << "0" << Black;
    QTest::newRow("57, changed") << QString(57, u'a') << "1" << Blue;
    QTest::newRow("58, read") << QString(58, u'a') << "0" << Red;
    QTest::newRow("58, changed") << QString(58, u'a') << "1" << Red;
    QTest::newRow("empty") << QString() << "0" << Black;
    QTest::newRow("mod empty") << "Roma" << "" << Blue;
    // Characters count, not UTF-16 units.
    QTest::newRow("57 emoji") << QString::fromUtf8("😀").repeated(57) << "0" << Black;
    QTest::newRow("58 emoji") << QString::fromUtf8("😀").repeated(58) << "1" << Red;
}

void TestListEvents::rowColours()
{
    QFETCH(QString, description);
    QFETCH(QString, mod);
    QFETCH(QColor, colour);
    Doc d;
    d.add({description, "41.9", "12.5", mod});
    for (int column = 0; column < 3; ++column)
        QCOMPARE(d.textColor(0, column), colour);
}

void TestListEvents::evenRowsTinted()
{
    Doc d;
    for (int i = 0; i < 4; ++i)
        d.add({"Roma", "41.9", "12.5", "0"});
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QVariant background = d.view->model()->index(row, column).data(Qt::BackgroundRole);
            if (row % 2 == 0)
                QCOMPARE(background.value<QBrush>().color(), Tint);
            else
                QVERIFY(!background.isValid());
        }
    }
}

void TestListEvents::headingSortsNumerically()
{
    Doc d;
    d.add({"a", "10.2", "3", "0"});
    d.add({"b", "-1.5", "20", "0"});
    d.add({"c", "9.9", "-100", "0"});
    d.add({"d", "10.2", "1e1", "0"});

    d.clickHeading(1);
    QCOMPARE(d.column(1), (QStringList{"-1.5", "9.9", "10.2", "10.2"}));
    QVERIFY(d.w->Modificato());
    QVERIFY(d.titleMarked());

    d.clickHeading(1);
    QCOMPARE(d.column(1), (QStringList{"10.2", "10.2", "9.9", "-1.5"}));

    d.clickHeading(2);
    QCOMPARE(d.column(2), (QStringList{"-100", "3", "1e1", "20"}));
    // Whole rows move together.
    QCOMPARE(d.column(0), (QStringList{"c", "a", "d", "b"}));
}

// A click that leaves every row where it was changes nothing a save would write.
void TestListEvents::headingMarksOnlyANewOrder()
{
    Doc d;
    d.clickHeading(0);
    QVERIFY(!d.w->Modificato());
    d.add({"a", "1", "1", "0"});
    d.add({"b", "2", "2", "0"});
    d.clickHeading(1);
    QCOMPARE(d.column(0), (QStringList{"a", "b"}));
    QVERIFY(!d.w->Modificato());
    QVERIFY(!d.titleMarked());
    d.clickHeading(1);
    QCOMPARE(d.column(0), (QStringList{"b", "a"}));
    QVERIFY(d.titleMarked());
}

void TestListEvents::openEditSurvivesCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("mark button") << "mark";
    QTest::newRow("Ctrl+S") << "save";
    QTest::newRow("heading click") << "heading";
    QTest::newRow("toolbar") << "toolbar";
    QTest::newRow("quit") << "quit";
}

// An edit in progress is stored, as Return stores it, before any command acts on the rows.
void TestListEvents::openEditSurvivesCommands()
{
    QFETCH(QString, command);
    QTemporaryDir folder;
    const QString file = folder.filePath("kept.ov2");
    Doc d;
    d.add({"Roma", "41.9", "12.5", "0"});
    d.add({"Milano", "45.46", "9.19", "0"});
    d.w->Document().setFileOv2Aperto(file);
    d.doubleClick(0, 0);
    QLineEdit* editor = d.editor(0, 0);
    QVERIFY(editor);
    editor->end(false);
    QTest::keyClicks(editor, "X");

    if (command == "mark") {
        d.w->ButtonTutti()->click();
        QCOMPARE(WindowRows::MarkedRows(*d.list), (QList<int>{0, 1}));
    } else if (command == "save") {
        QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!d.w->Modificato());
        initOv2();
        QCOMPARE(readOv2(QFile::encodeName(file).constData()), OV2_OK);
        double latitude = 0;
        double longitude = 0;
        QCOMPARE(QString::fromLatin1(getOv2Poi(0, &latitude, &longitude)), QString("RomaX"));
        deInitOv2();
    } else if (command == "heading") {
        d.clickHeading(0);
        d.clickHeading(0);
        QCOMPARE(d.column(0), (QStringList{"RomaX", "Milano"}));
    } else if (command == "toolbar") {
        d.f.services.saveAnswers.enqueue(QString());
        d.w->Toolbar11()->Action(toolbarOf(*d.w).ToolItemEsportaCsv);
    } else {
        d.f.services.dialogAnswers.enqueue(MessageDialog::Pressed::Cancel);
        d.f.app.Quit();
        QCOMPARE(d.f.services.dialogs.size(), 1);
        QVERIFY(d.f.services.quitCodes.isEmpty());
    }
    QVERIFY(!d.editing());
    QCOMPARE(d.list->Cell(d.list->Cell(0, 0) == "Milano" ? 1 : 0, 0), QString("RomaX"));
}

void TestListEvents::equalValuesCompareAsLesser()
{
    Doc d;
    d.add({"a", "10.2", "7", "0"});
    d.add({"b", "10.20", "7", "0"});
    d.add({"c", "9.9", "7", "0"});
    for (int column : {1, 2}) {
        int result = 0;
        QVERIFY(d.list->CompareRows(0, 1, column, result));
        QCOMPARE(result, -1);
        QVERIFY(d.list->CompareRows(1, 0, column, result));
        QCOMPARE(result, -1);
    }
    int result = 0;
    QVERIFY(d.list->CompareRows(0, 2, 1, result));
    QCOMPARE(result, 1);
    QVERIFY(d.list->CompareRows(2, 0, 1, result));
    QCOMPARE(result, -1);
    // A coordinate changed between two comparisons counts at once.
    d.list->setCell(2, 1, QStringLiteral("11"));
    QVERIFY(d.list->CompareRows(0, 2, 1, result));
    QCOMPARE(result, -1);
    QVERIFY(d.list->CompareRows(2, 0, 1, result));
    QCOMPARE(result, 1);
    d.list->setCell(0, 1, QStringLiteral("12"));
    QVERIFY(d.list->CompareRows(0, 2, 1, result));
    QCOMPARE(result, 1);
    // Other columns go to the list's own text comparison.
    for (int column : {0, 3, 4, 5}) {
        result = 42;
        QVERIFY(!d.list->CompareRows(0, 1, column, result));
        QCOMPARE(result, 42);
    }
}

void TestListEvents::sortWithManyEqualValues()
{
    Doc d;
    d.list->BeginUpdate();
    for (int i = 0; i < 1000; ++i)
        d.add({QString::number(i), QString::number((i * 7919) % 13 - 6), "0", "0"});
    d.list->EndUpdate();
    d.list->setSortedColumn(1);
    d.list->Sort();
    QCOMPARE(d.list->ListCount(), 1000);
    QSet<QString> seen;
    for (int row = 0; row < 1000; ++row) {
        seen.insert(d.list->Cell(row, 0));
        if (row > 0)
            QVERIFY(d.list->Cell(row - 1, 1).toDouble() <= d.list->Cell(row, 1).toDouble());
    }
    QCOMPARE(seen.size(), 1000);
}

void TestListEvents::returnOpensRememberedCell()
{
    Doc d;
    d.add({"Roma", "41.9", "12.5", "0"});
    d.add({"Milano", "45.46", "9.19", "0"});
    d.add({"Napoli", "40.85", "14.27", "0"});
    d.click(0, 2);
    QCOMPARE(d.w->RigaSelezionata(), 0);
    QCOMPARE(d.w->ColonnaSelezionata(), 2);

    // The arrow moves the remembered row; the column stays the one clicked.
    QTest::keyClick(d.view, Qt::Key_Down);
    QCOMPARE(d.list->ListIndex(), 1);
    QCOMPARE(d.w->RigaSelezionata(), 1);
    QCOMPARE(d.w->ColonnaSelezionata(), 2);

    QTest::keyClick(d.view, Qt::Key_Return);
    QVERIFY(d.editing());
    QLineEdit* editor = d.editor(1, 2);
    QVERIFY(editor);
    QCOMPARE(editor->text(), QString("9.19"));
    // The key goes on to the list.
    QVERIFY(!d.list->KeyDown(QStringLiteral("\r")));
}

void TestListEvents::onlyReturnOpensAnEdit()
{
    Doc d;
    d.add({"Roma", "41.9", "12.5", "0"});
    d.click(0, 1);
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Escape, Qt::Key_F2}) {
        QTest::keyClick(d.view, key);
        QVERIFY2(!d.editing(), QTest::toString(int(key)));
    }
    QVERIFY(!d.list->KeyDown(QStringLiteral("a")));
    QVERIFY(!d.list->CellClick(0, 1, 2, 2));
    QVERIFY(!d.list->CellKeyDown(0, 1, QStringLiteral("\r")));

    d.doubleClick(0, 1);
    QLineEdit* editor = d.editor(0, 1);
    QVERIFY(editor);
    QCOMPARE(editor->text(), QString("41.9"));
}

void TestListEvents::vanishedCellIsNotEdited_data()
{
    QTest::addColumn<int>("rowsLeft");
    QTest::newRow("list emptied") << 0;
    QTest::newRow("rows deleted below") << 2;
}

void TestListEvents::vanishedCellIsNotEdited()
{
    QFETCH(int, rowsLeft);
    Doc d;
    for (int i = 0; i < 5; ++i)
        d.add({QString::number(i), "41.9", "12.5", "0"});
    d.click(4, 1);
    QCOMPARE(d.w->RigaSelezionata(), 4);
    if (rowsLeft == 0) {
        d.list->DeleteAllRows();
    } else {
        while (d.list->ListCount() > rowsLeft)
            d.list->RemoveRow(d.list->ListCount() - 1);
    }
    QCOMPARE(d.w->RigaSelezionata(), 4);

    d.view->setFocus();
    QTest::keyClick(d.view, Qt::Key_Return);
    QVERIFY(!d.editing());
    d.list->DoubleClick();
    QVERIFY(!d.editing());
    QCOMPARE(d.list->ListCount(), rowsLeft);
}

void TestListEvents::hiddenColumnIsNeverEdited()
{
    Doc d;
    d.add({"Roma", "41.9", "12.5", "0"});
    for (int hidden : {3, 4, 5}) {
        d.click(0, 1);
        d.list->CellClick(0, hidden, 0, 0);
        QCOMPARE(d.w->ColonnaSelezionata(), 1);
        d.w->setColonnaSelezionata(hidden);
        d.list->DoubleClick();
        QVERIFY(!d.editing());
    }
}

void TestListEvents::selectionRemembersRow()
{
    Doc d;
    d.add({"Roma", "41.9", "12.5", "0"});
    d.add({"Milano", "45.46", "9.19", "0"});
    d.list->setListIndex(1);
    QCOMPARE(d.w->RigaSelezionata(), 1);
    // Losing the selection keeps the remembered row.
    d.list->setListIndex(-1);
    QCOMPARE(d.w->RigaSelezionata(), 1);
    d.w->setDisableClickPoi(true);
    d.list->setListIndex(0);
    d.w->setDisableClickPoi(false);
    QCOMPARE(d.w->RigaSelezionata(), 0);
}

void TestListEvents::selectionGoesToMapUnlessFromMap()
{
    Doc d;
    d.add({"Roma", "41.9", "12.5", "0"});
    d.add({"Milano", "45.46", "9.19", "0"});
    d.add({"Napoli", "40.85", "14.27", "0"});
    QVERIFY(PageProbe::WaitForMapPage(*d.w->web1()));
    auto shown = [&d] {
        return PageProbe::SettledState(*d.w->web1()).value("highlight").toMap();
    };

    const QString id0 = d.list->Cell(0, 3);
    const QString id1 = d.list->Cell(1, 3);
    d.click(1, 0);
    const QVariantMap highlight = shown();
    QCOMPARE(highlight.value("id").toString(), id1);
    QCOMPARE(highlight.value("description").toString(), QString("Milano"));
    QCOMPARE(highlight.value("lat").toDouble(), 45.46);
    d.click(0, 2);
    QCOMPARE(shown().value("id").toString(), id0);

    // A marker chosen on the map selects its row without being sent back.
    d.w->Map().GMapSelezionaPoi(d.list->Cell(2, 3) + QStringLiteral("|40.85,14.27"));
    QCOMPARE(d.list->ListIndex(), 2);
    QCOMPARE(d.w->RigaSelezionata(), 2);
    QVERIFY(!d.w->disableClickPoi());
    QCOMPARE(shown().value("id").toString(), id0);

    // The next selection in the list goes to the map as before.
    QTest::keyClick(d.view, Qt::Key_Up);
    QCOMPARE(d.list->ListIndex(), 1);
    QCOMPARE(shown().value("id").toString(), id1);
}

void TestListEvents::dragReorderMarksModified()
{
    // The offscreen platform runs no drag and drop, so the list's event is raised here
    // as a drop raises it.
    Doc d;
    d.add({"a", "1", "1", "0"});
    QVERIFY(!d.w->Modificato());
    d.list->RowsReordered();
    QVERIFY(d.w->Modificato());
    QVERIFY(d.titleMarked());
}

LUMETRA_TEST_MAIN(TestListEvents)

#include "tst_listevents.moc"
